if(WIN32)
  target_sources(core PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/console-win32.cpp
    ${CMAKE_CURRENT_LIST_DIR}/environment-win32.cpp
    ${CMAKE_CURRENT_LIST_DIR}/files-win32.cpp
    ${CMAKE_CURRENT_LIST_DIR}/host-win32.cpp
    ${CMAKE_CURRENT_LIST_DIR}/interruption-win32.cpp
    ${CMAKE_CURRENT_LIST_DIR}/memory-win32.cpp
    ${CMAKE_CURRENT_LIST_DIR}/path_kind-win32.cpp
    ${CMAKE_CURRENT_LIST_DIR}/process-win32.cpp
    ${CMAKE_CURRENT_LIST_DIR}/window-win32.cpp
  )
else()
  target_sources(core PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/console-posix.cpp
    ${CMAKE_CURRENT_LIST_DIR}/environment-posix.cpp
    ${CMAKE_CURRENT_LIST_DIR}/files-posix.cpp
    ${CMAKE_CURRENT_LIST_DIR}/host-posix.cpp
    ${CMAKE_CURRENT_LIST_DIR}/interruption-posix.cpp
    ${CMAKE_CURRENT_LIST_DIR}/memory-posix.cpp
    ${CMAKE_CURRENT_LIST_DIR}/path_kind-posix.cpp
    ${CMAKE_CURRENT_LIST_DIR}/process-posix.cpp
  )
endif()
target_sources(core PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/command_line.cpp
  ${CMAKE_CURRENT_LIST_DIR}/console_text.cpp
  ${CMAKE_CURRENT_LIST_DIR}/file_faults.cpp
  ${CMAKE_CURRENT_LIST_DIR}/group_record.cpp
  ${CMAKE_CURRENT_LIST_DIR}/pending_file.cpp
  ${CMAKE_CURRENT_LIST_DIR}/pending_group.cpp
  ${CMAKE_CURRENT_LIST_DIR}/temporaries.cpp
  ${CMAKE_CURRENT_LIST_DIR}/window_geometry.cpp
)
