target_sources(unit_tests PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/winbasic_delivery_test.cpp
)
