// Files the build made on the host, as a test program under Wine reaches and reads them.
#pragma once
#include <string>
#include <vector>

// The host's / is drive Z: in the prefix.
std::string FromHost(const char* path);
// The whole file, opened for reading beside any writer; false when it cannot be read.
bool ReadAll(const std::string& path, std::vector<unsigned char>* bytes);
