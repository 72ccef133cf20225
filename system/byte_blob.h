// A constant byte array carried in the program image, or any borrowed bytes.
#pragma once
#include <cstddef>

struct ByteBlob {
  const unsigned char* bytes = nullptr;
  std::size_t size = 0;
};
