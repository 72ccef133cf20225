# End-to-end: a driver program starts PrepKit.exe in the prefix and works it through its windows.
if(PREPKIT_WINDOWS)
  prepkit_test(NAME app_e2e_tests WINDOWS_ONLY TIMEOUT 300
    SOURCES e2e/app_e2e_test.cpp e2e/driver.cpp
    LIBS prepkit_forms prepkit_optimise_portable prepkit_test_support shell32 comctl32)
  add_dependencies(app_e2e_tests PrepKit)
endif()
