# Registers every GoogleTest case of a Windows test program as its own CTest
# test, run under Wine through the cross-compiling emulator.
#
#   kelvane_wine_tests(target [LOCALE ll_CC.UTF-8] [PREFIX name.] [TIMEOUT s] [LOCK name])
#
# Tests of targets given the same LOCK never run at the same time.
#
# A case passes only when GoogleTest reports it passed: a filter that
# matched nothing, or a crash before the summary, counts as a failure.
function(kelvane_wine_tests target)
  cmake_parse_arguments(ARG "" "LOCALE;PREFIX;TIMEOUT;LOCK" "" ${ARGN})
  if(NOT ARG_TIMEOUT)
    # Wine 8 now and then holds one test process of a run for two to four
    # minutes (seen on loaded and idle machines, on any test program, not yet
    # explained); the time-out leaves room for it.
    set(ARG_TIMEOUT 600)
  endif()
  # Properties go in as name/value pairs; an empty value would vanish from
  # the list and shift every pair after it, so optional ones are appended.
  set(props TIMEOUT ${ARG_TIMEOUT} PASS_REGULAR_EXPRESSION "\\[  PASSED  \\] 1 test\\.")
  if(ARG_LOCALE)
    list(APPEND props ENVIRONMENT "KELVANE_LOCALE=${ARG_LOCALE}")
  endif()
  if(ARG_LOCK)
    list(APPEND props RESOURCE_LOCK ${ARG_LOCK})
  endif()
  gtest_discover_tests(${target}
    DISCOVERY_MODE PRE_TEST
    DISCOVERY_TIMEOUT 120
    TEST_PREFIX "${ARG_PREFIX}"
    PROPERTIES ${props})
endfunction()
