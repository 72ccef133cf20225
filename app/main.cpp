// The platform's part of start-up: OLE on the user-interface thread and the
// program's folder as the current directory, then the program itself.
#include <windows.h>
#include <ole2.h>

#include "app/program.h"
#include <string>

#include "system/cp936.h"

namespace {
void EnterProgramFolder() {
  char path[MAX_PATH] = {};
  DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return;
  std::string folder(path, length);
  std::size_t slash = cp936::LastBackslash(folder);
  if (slash == cp936::npos) return;
  folder.resize(slash + 1);
  SetCurrentDirectoryA(folder.c_str());
}
}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  OleInitialize(nullptr);
  EnterProgramFolder();
  int result = ProgramMain();
  OleUninitialize();
  return result;
}
