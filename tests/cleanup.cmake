# Junk analysis and cleaning.
prepkit_test(NAME cleanup_text_tests
  SOURCES unit/cleanup/path_and_figure_test.cpp
  LIBS prepkit_cleanup_portable)

if(PREPKIT_WINDOWS)
  add_library(prepkit_cleanup_test_support STATIC unit/cleanup/junk_fixture.cpp)
  target_include_directories(prepkit_cleanup_test_support PUBLIC ${PREPKIT_ROOT})
  target_link_libraries(prepkit_cleanup_test_support PUBLIC prepkit_cleanup prepkit_test_support shell32 ole32)
  # Its shared fixtures stop a test with REQUIRE, built as the test programs build doctest.
  target_include_directories(prepkit_cleanup_test_support PRIVATE ${PREPKIT_DOCTEST_DIR})
  target_compile_definitions(prepkit_cleanup_test_support PRIVATE DOCTEST_CONFIG_NO_MULTITHREADING)

  prepkit_test(NAME cleanup_tests WINDOWS_ONLY TIMEOUT 240
    SOURCES unit/cleanup/folder_size_test.cpp unit/cleanup/analysis_test.cpp unit/cleanup/cleaning_test.cpp
    LIBS prepkit_cleanup_test_support)
  # Its own process: nothing may have been analysed before it runs.
  prepkit_test(NAME cleanup_first_cleaning_tests WINDOWS_ONLY
    SOURCES unit/cleanup/first_cleaning_test.cpp
    LIBS prepkit_cleanup_test_support)
endif()

# Through the cleanup window of the running program.
if(PREPKIT_WINDOWS)
  prepkit_test(NAME cleanup_e2e_tests WINDOWS_ONLY TIMEOUT 300
    SOURCES e2e/cleanup_e2e_test.cpp e2e/driver.cpp
    LIBS prepkit_forms prepkit_cleanup_test_support prepkit_test_support shell32 comctl32)
  add_dependencies(cleanup_e2e_tests PrepKit)
endif()
