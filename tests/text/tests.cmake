target_sources(unit_tests PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/text_helpers_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/utf8_test.cpp
)
