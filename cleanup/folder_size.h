// How many bytes the files in a folder and all its subfolders hold.
#pragma once
#include <cstdint>
#include <string_view>

// The file-system automation object's figure when it can give one; otherwise
// (object missing, folder refused, Size unsupported or failing on an unreadable
// subfolder) the figure of MeasureFolderByWalk. 0 for a missing folder, an empty
// path, or a path that is not absolute. Needs OLE initialised on the calling thread
// for the automation object; without it the walk alone answers.
std::uint64_t FolderSize(std::string_view path);

// Adds up the sizes of every file below the folder, hidden and system files
// included. Entries that cannot be listed are skipped; a link or junction inside
// is neither entered nor counted as a folder. 0 for an empty or relative path.
std::uint64_t MeasureFolderByWalk(std::string_view path);
