target_sources(unit_tests PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/replacements_test.cpp
)
