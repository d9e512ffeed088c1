target_sources(unit_tests PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/flag_directives_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/startup_test.cpp
)
