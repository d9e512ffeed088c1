if(WIN32)
  target_sources(prexle PRIVATE ${CMAKE_CURRENT_LIST_DIR}/main-win32.cpp)
  # prexle.com, the console front that cmd and PowerShell run for "prexle".
  add_executable(prexle_console ${CMAKE_CURRENT_LIST_DIR}/console_launcher-win32.cpp)
else()
  target_sources(prexle PRIVATE ${CMAKE_CURRENT_LIST_DIR}/main-posix.cpp)
endif()
