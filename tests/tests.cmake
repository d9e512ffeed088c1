include(GoogleTest)
add_executable(unit_tests)
target_link_libraries(unit_tests PRIVATE core GTest::gtest GTest::gtest_main)
target_include_directories(unit_tests PRIVATE ${CMAKE_CURRENT_LIST_DIR})
target_compile_definitions(unit_tests PRIVATE PREXLE_BINARY="$<TARGET_FILE:prexle>")
add_dependencies(unit_tests prexle)

target_sources(unit_tests PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/support/temp_folder.cpp
  ${CMAKE_SOURCE_DIR}/src/testing/recording_host.cpp
)

include(${CMAKE_CURRENT_LIST_DIR}/text/tests.cmake)
include(${CMAKE_CURRENT_LIST_DIR}/platform/tests.cmake)
include(${CMAKE_CURRENT_LIST_DIR}/ui/tests.cmake)
include(${CMAKE_CURRENT_LIST_DIR}/preprocessor/tests.cmake)
include(${CMAKE_CURRENT_LIST_DIR}/pio/tests.cmake)
include(${CMAKE_CURRENT_LIST_DIR}/delivery/tests.cmake)
include(${CMAKE_CURRENT_LIST_DIR}/app/tests.cmake)
include(${CMAKE_CURRENT_LIST_DIR}/e2e/tests.cmake)

gtest_discover_tests(unit_tests DISCOVERY_TIMEOUT 60)
