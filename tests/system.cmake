# Tests of the system services, under Wine against the real API.
if(PREPKIT_WINDOWS)
  add_library(prepkit_system_fixture STATIC unit/windows/system_fixture.cpp)
  target_include_directories(prepkit_system_fixture PUBLIC ${PREPKIT_ROOT})

  # A child program the process tests start; it reports what it was started with.
  add_executable(system_child unit/windows/system_child.cpp)
  target_link_options(system_child PRIVATE -mwindows)

  prepkit_test(NAME system_files_tests WINDOWS_ONLY
    SOURCES unit/windows/system_files_test.cpp
    LIBS prepkit_system prepkit_system_fixture)
endif()

if(PREPKIT_WINDOWS)
  prepkit_test(NAME system_processes_tests WINDOWS_ONLY
    SOURCES unit/windows/system_processes_test.cpp
    LIBS prepkit_system prepkit_system_fixture)
  add_dependencies(system_processes_tests system_child)
endif()
