// A small program the process tests start:
//   system_child report FILE        writes "<dwFlags> <wShowWindow>" of its STARTUPINFO to FILE
//   system_child linger FILE MS     writes its process id to FILE, then sleeps MS
//   system_child exit CODE          ends with CODE
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

int main(int argc, char** argv) {
  if (argc >= 3 && std::strcmp(argv[1], "report") == 0) {
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    GetStartupInfoA(&startup);
    FILE* out = std::fopen(argv[2], "w");
    if (!out) return 2;
    std::fprintf(out, "%lu %u", static_cast<unsigned long>(startup.dwFlags), static_cast<unsigned>(startup.wShowWindow));
    std::fclose(out);
    return 0;
  }
  if (argc >= 4 && std::strcmp(argv[1], "linger") == 0) {
    FILE* out = std::fopen(argv[2], "w");
    if (!out) return 2;
    std::fprintf(out, "%lu", static_cast<unsigned long>(GetCurrentProcessId()));
    std::fclose(out);
    Sleep(static_cast<DWORD>(std::atoi(argv[3])));
    return 0;
  }
  if (argc >= 3 && std::strcmp(argv[1], "exit") == 0) return std::atoi(argv[2]);
  return 1;
}
