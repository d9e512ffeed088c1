target_sources(core PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/console_reporter.cpp
  ${CMAKE_CURRENT_LIST_DIR}/end_of_run.cpp
  ${CMAKE_CURRENT_LIST_DIR}/host_folder.cpp
  ${CMAKE_CURRENT_LIST_DIR}/line_order.cpp
  ${CMAKE_CURRENT_LIST_DIR}/line_stages.cpp
  ${CMAKE_CURRENT_LIST_DIR}/main.cpp
  ${CMAKE_CURRENT_LIST_DIR}/pio_files.cpp
  ${CMAKE_CURRENT_LIST_DIR}/read_loop.cpp
  ${CMAKE_CURRENT_LIST_DIR}/run_files.cpp
  ${CMAKE_CURRENT_LIST_DIR}/settings_file.cpp
  ${CMAKE_CURRENT_LIST_DIR}/shell_form.cpp
  ${CMAKE_CURRENT_LIST_DIR}/shell_help.cpp
  ${CMAKE_CURRENT_LIST_DIR}/shell_options.cpp
  ${CMAKE_CURRENT_LIST_DIR}/startup.cpp
  ${CMAKE_CURRENT_LIST_DIR}/test_name.cpp
  ${CMAKE_CURRENT_LIST_DIR}/window_reporter.cpp
)
