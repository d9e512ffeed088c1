if(NOT WIN32)
  target_sources(unit_tests PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/../support/prexle_run.cpp
    ${CMAKE_CURRENT_LIST_DIR}/examples_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/golden_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/readings_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/real_programs_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/reliability_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/modules_arrays_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/pio_files_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/pio_programs_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/run_control_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/shell_form_test.cpp
  )
  target_compile_definitions(unit_tests PRIVATE PREXLE_GOLDEN_DIR="${CMAKE_SOURCE_DIR}/tests/golden"
    PREXLE_EXAMPLES_DIR="${CMAKE_SOURCE_DIR}/examples" PREXLE_MANUAL_PAGE="${CMAKE_SOURCE_DIR}/doc/prexle.1")
endif()
