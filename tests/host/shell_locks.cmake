# Read by CTest after the discovered Windows tests. The taskbar test puts a
# window of the taskbar's class ("Shell_TrayWnd") in front of every other
# window on the shared desktop, as the tray tests' stand-in shell does: each
# would find the other's window first. So it takes the tray tests' lock.
set_tests_properties(WindowTest.DesktopAreaLeftFreeByTheTaskbar PROPERTIES RESOURCE_LOCK shell)
