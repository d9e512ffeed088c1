target_sources(core PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/block_text.cpp
  ${CMAKE_CURRENT_LIST_DIR}/decoder.cpp
  ${CMAKE_CURRENT_LIST_DIR}/directives.cpp
  ${CMAKE_CURRENT_LIST_DIR}/encoder.cpp
  ${CMAKE_CURRENT_LIST_DIR}/first_pass.cpp
  ${CMAKE_CURRENT_LIST_DIR}/guidance.cpp
  ${CMAKE_CURRENT_LIST_DIR}/options.cpp
  ${CMAKE_CURRENT_LIST_DIR}/pio_assembler.cpp
  ${CMAKE_CURRENT_LIST_DIR}/pio_blocks.cpp
  ${CMAKE_CURRENT_LIST_DIR}/pio_line.cpp
  ${CMAKE_CURRENT_LIST_DIR}/pio_text.cpp
  ${CMAKE_CURRENT_LIST_DIR}/register_display.cpp
  ${CMAKE_CURRENT_LIST_DIR}/register_fields.cpp
  ${CMAKE_CURRENT_LIST_DIR}/second_pass.cpp
  ${CMAKE_CURRENT_LIST_DIR}/side_set_delay.cpp
  ${CMAKE_CURRENT_LIST_DIR}/source_line.cpp
)
