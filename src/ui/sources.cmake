target_sources(core PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/fatal_error_window.cpp
  ${CMAKE_CURRENT_LIST_DIR}/run_log_window.cpp
  ${CMAKE_CURRENT_LIST_DIR}/pio_check_window.cpp
)
