# Tests of the profile tools: the script text everywhere, the handlers under Wine.
prepkit_test(NAME profile_script_tests
  SOURCES unit/portable/hidden_files_script_test.cpp
  LIBS prepkit_profile_portable)

if(PREPKIT_WINDOWS)
  prepkit_test(NAME profile_tests WINDOWS_ONLY TIMEOUT 300
    SOURCES unit/windows/relocation_test.cpp unit/windows/autologon_test.cpp
            unit/windows/hidden_files_test.cpp unit/windows/profile_fixture.cpp
    LIBS prepkit_profile prepkit_test_support prepkit_system_fixture)
endif()

if(PREPKIT_WINDOWS)
  prepkit_test(NAME profile_e2e_tests WINDOWS_ONLY TIMEOUT 300
    SOURCES e2e/profile_e2e_test.cpp e2e/driver.cpp unit/windows/profile_fixture.cpp
    LIBS prepkit_forms prepkit_optimise_portable prepkit_test_support shell32 comctl32)
  add_dependencies(profile_e2e_tests PrepKit)
endif()
