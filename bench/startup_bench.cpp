// Start-up time of PrepKit.exe against a minimal one-window program, both started
// the same way: from process creation until a visible top-level window exists and
// the process waits for input. Prints each median and their ratio.
//   startup_bench.exe PROGRAM FLOOR_PROGRAM [RUNS]
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "tests/support/process_windows.h"

namespace {
// The first visible top-level window of the process that has no owner, or null.
HWND UnownedWindowOf(DWORD processId) {
  for (HWND window : TopWindowsOf(processId))
    if (!GetParent(window)) return window;
  return nullptr;
}

double Now() {
  static LARGE_INTEGER frequency = [] {
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    return f;
  }();
  LARGE_INTEGER counter;
  QueryPerformanceCounter(&counter);
  return static_cast<double>(counter.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// Seconds until the program's window is up and idle; negative on failure.
double TimeStart(const std::string& program) {
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process = {};
  std::string commandLine = "\"" + program + "\"";
  double start = Now();
  if (!CreateProcessA(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
    return -1;
  HWND found = nullptr;
  double elapsed = -1;
  while (Now() - start < 60) {
    found = UnownedWindowOf(process.dwProcessId);
    if (found) {
      WaitForInputIdle(process.hProcess, 10000);
      elapsed = Now() - start;
      break;
    }
    Sleep(5);
  }
  if (found) PostMessageA(found, WM_CLOSE, 0, 0);
  if (WaitForSingleObject(process.hProcess, 10000) != WAIT_OBJECT_0) TerminateProcess(process.hProcess, 1);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return elapsed;
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values.empty() ? 0 : values[values.size() / 2];
}
}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: startup_bench PROGRAM FLOOR_PROGRAM [RUNS]\n");
    return 2;
  }
  int runs = argc > 3 ? std::max(1, std::atoi(argv[3])) : 7;
  std::vector<double> program, floor;
  TimeStart(argv[1]);  // warm the file cache and the Wine server
  TimeStart(argv[2]);
  for (int i = 0; i < runs; ++i) {
    double a = TimeStart(argv[1]);
    double b = TimeStart(argv[2]);
    if (a < 0 || b < 0) {
      std::fprintf(stderr, "a program did not open its window\n");
      return 1;
    }
    program.push_back(a);
    floor.push_back(b);
  }
  double p = Median(program), f = Median(floor);
  std::printf("start-up, median of %d runs: PrepKit %.3f s, minimal window %.3f s, ratio %.2f\n", runs, p, f,
              f > 0 ? p / f : 0.0);
  return 0;
}
