target_sources(unit_tests PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/chip_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/decoder_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/directives_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/encoder_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/expression_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/file_translation_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/guidance_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/line_pass_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/line_words_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/pio_blocks_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/pio_text_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/pioasm_reader_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/programs_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/register_display_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/register_fields_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/robustness_test.cpp
)
