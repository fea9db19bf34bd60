# Runs the probe program by hand, as a developer would, and checks the verdicts: every test
# (two failures, a crash and an early exit, named with their reasons), then a filter of the
# user's that leaves only the isolation pair. Usage: cmake -DPROGRAM=<probe> -P check_runner.cmake
function(expect_run expected_code)
  execute_process(COMMAND ${PROGRAM} ${ARGN} RESULT_VARIABLE code
                  OUTPUT_VARIABLE output ERROR_VARIABLE output)
  if(NOT code EQUAL expected_code)
    message(FATAL_ERROR "`${ARGN}` exited ${code}, expected ${expected_code}:\n${output}")
  endif()
  set(output "${output}" PARENT_SCOPE)
endfunction()

function(expect_text pattern)
  if(NOT output MATCHES "${pattern}")
    message(FATAL_ERROR "No match for `${pattern}` in:\n${output}")
  endif()
endfunction()

expect_run(1)
expect_text("\n  Faulty\\.Crashes \\(killed by signal")
expect_text("\n  Faulty\\.LeavesEarlyWithSuccess \\(left the process before")
expect_text("\n2 passed, 2 failed\n")

expect_run(0 --gtest_filter=Isolation.*)
expect_text("\n2 passed, 0 failed\n")
