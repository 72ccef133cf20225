#include "system/message_box.h"

#include <windows.h>

#include <string>

int ShowMessage(std::string_view text, unsigned style, std::string_view caption) {
  if (!(style & MB_SYSTEMMODAL)) style |= MB_TASKMODAL;
  int pressed = MessageBoxA(nullptr, std::string(text).c_str(), std::string(caption).c_str(), style);
  return pressed > 0 ? pressed - 1 : 0;
}
