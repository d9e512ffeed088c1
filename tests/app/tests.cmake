target_sources(unit_tests PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/line_order_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/run_files_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/shell_options_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/startup_test.cpp
)
