target_sources(unit_tests PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/array_blocks_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/code_modules_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/conditionals_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/includes_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/option_directives_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/replace_line_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/replacements_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/target_options_test.cpp
)
