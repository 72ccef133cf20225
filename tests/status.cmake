# Status strip, hover tips and icon buttons.
prepkit_test(NAME status_text_tests
  SOURCES unit/portable/status_text_test.cpp
  LIBS prepkit_app_portable)

if(PREPKIT_WINDOWS)
  add_library(prepkit_status_test_support STATIC unit/windows/status_test_support.cpp)
  target_include_directories(prepkit_status_test_support PUBLIC ${PREPKIT_ROOT})
  target_link_libraries(prepkit_status_test_support PUBLIC gdi32 user32)

  prepkit_test(NAME icon_button_tests WINDOWS_ONLY TIMEOUT 180
    SOURCES unit/windows/icon_button_test.cpp
    LIBS prepkit_app_status prepkit_status_test_support uxtheme)
endif()

if(PREPKIT_WINDOWS)
  prepkit_test(NAME hover_tip_tests WINDOWS_ONLY TIMEOUT 180
    SOURCES unit/windows/hover_tip_test.cpp
    LIBS prepkit_app_status prepkit_status_test_support)
endif()

if(PREPKIT_WINDOWS)
  prepkit_test(NAME status_line_tests WINDOWS_ONLY
    SOURCES unit/windows/status_line_test.cpp
    LIBS prepkit_app_status ws2_32)
endif()

if(PREPKIT_WINDOWS)
  prepkit_test(NAME status_e2e_tests WINDOWS_ONLY TIMEOUT 300
    SOURCES e2e/status_e2e_test.cpp e2e/driver.cpp
    LIBS prepkit_forms prepkit_app_portable prepkit_test_support comctl32 gdi32)
  add_dependencies(status_e2e_tests PrepKit)
endif()
