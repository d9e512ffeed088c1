target_sources(unit_tests PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/windows_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/pio_check_window_test.cpp
)
