// DOCTEST_CONFIG_NO_MULTITHREADING comes from the build: the mingw-w64 win32-thread
// runtime has no std::mutex.
#define DOCTEST_CONFIG_IMPLEMENT_WITH_MAIN
#include <doctest/doctest.h>
