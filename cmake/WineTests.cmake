# Registers every GoogleTest case of a Windows test program as its own CTest
# test, run under Wine through the cross-compiling emulator.
#
#   kelvane_wine_tests(target [LOCALE ll_CC.UTF-8] [PREFIX name.] [TIMEOUT s] [LOCK name])
#
# Tests of targets given the same LOCK never run at the same time.
#
# A case passes when its program exits with 0 and GoogleTest ran a test: a
# filter that matched nothing fails, and so does a skipped test and a crash,
# also one on the way out after the summary (CTest would ignore the exit
# status if a pattern were to decide a pass). The pattern names only what
# ran nothing, so a case that failed is reported by its exit status, not as
# one that did not run.
set(KELVANE_GTEST_RAN_NOTHING "\\[==========\\] 0 tests from |\\[  SKIPPED \\]")

function(kelvane_wine_tests target)
  cmake_parse_arguments(ARG "" "LOCALE;PREFIX;TIMEOUT;LOCK" "" ${ARGN})
  if(NOT ARG_TIMEOUT)
    set(ARG_TIMEOUT 120)
  endif()
  # Properties go in as name/value pairs; an empty value would vanish from
  # the list and shift every pair after it, so optional ones are appended.
  set(props TIMEOUT ${ARG_TIMEOUT} FAIL_REGULAR_EXPRESSION "${KELVANE_GTEST_RAN_NOTHING}")
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
