// The junk measurement and cleaning on a generated tree of 20,000 files in 2,000
// folders inside the temporary folder, each against a peer measured in the same run:
//  (a) FolderSize against a bare FindFirstFileExA walk of the same tree;
//  (b) the temp-files cleaning task against "cmd /c rd /s /q" on an identical copy.
// Prints each median and the median ratio.   cleanup_bench.exe [RUNS]
#include <windows.h>
#include <ole2.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "cleanup/cleaning.h"
#include "cleanup/folder_size.h"
#include "system/files.h"

namespace {
constexpr int kTopFolders = 50, kSubFolders = 40, kFilesPerFolder = 10;  // 2,000 folders, 20,000 files

double Now() {
  LARGE_INTEGER frequency, counter;
  QueryPerformanceFrequency(&frequency);
  QueryPerformanceCounter(&counter);
  return static_cast<double>(counter.QuadPart) / static_cast<double>(frequency.QuadPart);
}

bool Generate(const std::string& root) {
  if (!CreateDirectoryA(root.c_str(), nullptr)) return false;
  char block[4096];
  std::fill(block, block + sizeof block, 'j');
  for (int t = 0; t < kTopFolders; ++t) {
    std::string top = root + "\\t" + std::to_string(t);
    CreateDirectoryA(top.c_str(), nullptr);
    for (int s = 0; s < kSubFolders; ++s) {
      std::string sub = top + "\\s" + std::to_string(s);
      CreateDirectoryA(sub.c_str(), nullptr);
      for (int f = 0; f < kFilesPerFolder; ++f) {
        std::string name = sub + "\\f" + std::to_string(f) + ".tmp";
        HANDLE file = CreateFileA(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file == INVALID_HANDLE_VALUE) return false;
        DWORD written = 0;
        WriteFile(file, block, 512 + (f * 373) % 3584, &written, nullptr);
        CloseHandle(file);
      }
    }
  }
  return true;
}

std::uint64_t BareWalk(const std::string& folder) {
  std::uint64_t total = 0;
  WIN32_FIND_DATAA entry;
  HANDLE find = FindFirstFileExA((folder + "\\*").c_str(), FindExInfoStandard, &entry, FindExSearchNameMatch, nullptr, 0);
  if (find == INVALID_HANDLE_VALUE) return 0;
  do {
    if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
      if (entry.cFileName[0] == '.' && (!entry.cFileName[1] || (entry.cFileName[1] == '.' && !entry.cFileName[2])))
        continue;
      if (!(entry.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT)) total += BareWalk(folder + "\\" + entry.cFileName);
    } else {
      total += (static_cast<std::uint64_t>(entry.nFileSizeHigh) << 32) | entry.nFileSizeLow;
    }
  } while (FindNextFileA(find, &entry));
  FindClose(find);
  return total;
}

bool RunAndWait(std::string commandLine) {
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process;
  if (!CreateProcessA(nullptr, &commandLine[0], nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr, nullptr, &startup,
                      &process))
    return false;
  WaitForSingleObject(process.hProcess, INFINITE);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return true;
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

bool Exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }
}  // namespace

int main(int argc, char** argv) {
  int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
  OleInitialize(nullptr);
  char temp[MAX_PATH] = {};
  GetTempPathA(MAX_PATH, temp);
  std::string base = std::string(temp) + "prepkit-bench";
  CreateDirectoryA(base.c_str(), nullptr);

  // (a) measurement, on one tree; the two alternate so that caches favour neither.
  std::string tree = base + "\\measure";
  if (!Generate(tree)) {
    std::printf("cleanup bench: could not generate %s\n", tree.c_str());
    return 1;
  }
  std::vector<double> ours, bare, sizeRatios;
  std::uint64_t ourBytes = 0, bareBytes = 0;
  FolderSize(tree);  // warm-up
  for (int run = 0; run < runs; ++run) {
    double t0 = Now();
    ourBytes = FolderSize(tree);
    double t1 = Now();
    bareBytes = BareWalk(tree);
    double t2 = Now();
    ours.push_back(t1 - t0);
    bare.push_back(t2 - t1);
    sizeRatios.push_back((t1 - t0) / (t2 - t1));
  }
  std::printf("measurement: FolderSize %.1f ms, bare FindFirstFileExA walk %.1f ms (bytes %llu / %llu); median ratio %.2f (target <= 1.2)\n",
              Median(ours) * 1000, Median(bare) * 1000, static_cast<unsigned long long>(ourBytes),
              static_cast<unsigned long long>(bareBytes), Median(sizeRatios));

  // (b) cleaning: two identical fresh trees per run.
  std::vector<double> clean, rd, cleanRatios;
  for (int run = 0; run < runs; ++run) {
    std::string mine = base + "\\clean" + std::to_string(run), peer = base + "\\rd" + std::to_string(run);
    if (!Generate(mine) || !Generate(peer)) {
      std::printf("cleanup bench: could not generate the cleaning trees\n");
      return 1;
    }
    JunkPaths paths;
    paths.tempPath = mine + "\\";
    bool ticked[kJunkKindCount] = {true, false, false, false, false, false};
    double t0 = Now();
    StartCleaningTasks(ticked, paths);
    while (RunningCleaningTasks() > 0) Sleep(1);
    double t1 = Now();
    RunAndWait("cmd /c rd /s /q \"" + peer + "\"");
    double t2 = Now();
    if (Exists(mine) || Exists(peer)) std::printf("warning: a tree was not removed whole (run %d)\n", run);
    clean.push_back(t1 - t0);
    rd.push_back(t2 - t1);
    cleanRatios.push_back((t1 - t0) / (t2 - t1));
  }
  std::printf("cleaning: task %.1f ms, cmd /c rd /s /q %.1f ms; median ratio %.2f (target <= 1.0)\n",
              Median(clean) * 1000, Median(rd) * 1000, Median(cleanRatios));
  RemoveDirectoryTree(base);  // the prefix's temporary folder is left as it was
  OleUninitialize();
  return 0;
}
