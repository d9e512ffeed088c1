# libFuzzer targets, built with clang (PREXLE_FUZZ=ON, usually with
# PREXLE_SANITIZE=ON); scripts/fuzz builds and runs them.
foreach(target run pio)
  add_executable(fuzz_${target} ${CMAKE_CURRENT_LIST_DIR}/${target}_fuzzer.cpp
                                ${CMAKE_SOURCE_DIR}/src/testing/recording_host.cpp)
  target_include_directories(fuzz_${target} PRIVATE ${CMAKE_SOURCE_DIR}/tests)
  target_link_libraries(fuzz_${target} PRIVATE core)
  target_link_options(fuzz_${target} PRIVATE -fsanitize=fuzzer)
endforeach()
