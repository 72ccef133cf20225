// Files and directories.
#pragma once
#include <initializer_list>
#include <string_view>

#include "system/byte_blob.h"

// Creates or truncates the file (share mode 0) and writes the parts in order;
// empty parts are skipped. False for an empty path or any failed open or write.
bool WriteFileBytes(std::string_view path, std::initializer_list<ByteBlob> parts);

// True when the file's content is exactly the blob. Reads beside whoever holds the
// file open (a running program keeps its own file open).
bool FileHoldsBytes(std::string_view path, const ByteBlob& blob);

// One level; the parent must exist; an existing directory gives false.
bool MakeDirectory(std::string_view path);

// Empties and removes a directory. Never follows a link: a junction, mount point
// or symbolic link found inside is removed as a link, its target untouched.
// An entry whose full name does not fit is left alone. Refuses an empty path,
// spaces only, or a drive or share root however spelled (D:, D:\x\.., D:\\).
// Names beginning with a dot stay. True when the directory itself is gone.
// Safe to call from several threads at once on different directories.
bool RemoveDirectoryTree(std::string_view path);
