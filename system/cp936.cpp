#include "system/cp936.h"

namespace cp936 {

std::size_t FindChar(std::string_view text, char wanted, std::size_t from) {
  for (std::size_t i = 0; i < text.size();) {
    unsigned char byte = static_cast<unsigned char>(text[i]);
    if (IsLeadByte(byte)) {
      if (i + 1 >= text.size()) break;
      i += 2;
      continue;
    }
    if (i >= from && text[i] == wanted) return i;
    ++i;
  }
  return npos;
}

std::size_t FindLastChar(std::string_view text, char wanted) {
  std::size_t found = npos;
  for (std::size_t at = FindChar(text, wanted); at != npos; at = FindChar(text, wanted, at + 1))
    found = at;
  return found;
}

}  // namespace cp936
