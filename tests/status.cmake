# Status strip, hover tips and icon buttons.
prepkit_test(NAME status_text_tests
  SOURCES unit/portable/status_text_test.cpp
  LIBS prepkit_app_portable)
