# Read by CTest after the discovered Windows tests: the stress tests (each
# opens a dialog or starts a search a hundred times and more) get more than
# the two minutes every other test has.
foreach(test
    AboutBoxTest.TwoHundredOpeningsLeaveNoGdiObjectOrWindow
    ru.AboutBoxTest.TwoHundredOpeningsLeaveNoGdiObjectOrWindow
    FindAsyncTest.StoppedAtOnceAThousandTimes
    ru.FindAsyncTest.StoppedAtOnceAThousandTimes)
  set_tests_properties(${test} PROPERTIES TIMEOUT 400)
endforeach()
