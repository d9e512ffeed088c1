target_sources(unit_tests PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/command_line_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/window_geometry_test.cpp
)
if(NOT WIN32)
  target_sources(unit_tests PRIVATE ${CMAKE_CURRENT_LIST_DIR}/child_limit_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/pending_group_test.cpp)
endif()
