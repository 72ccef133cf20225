// The window skin: our skin library, carried as a blob, mapped from memory at
// start-up and handed the skin data when the main window is created.
//
// Start-up:              CreateSkinModule(); ... MapSkinLibrary();
// Main window creation:  AttachSkin(skinDataBlob, "", 0, 0, 0);   (first step)
// Exit clean-up:         ReleaseSkinObjects();
// A library that does not load, or lacks its export, leaves the windows with
// their plain look; nothing is reported.
#pragma once
#include <cstdint>

#include "loader/memory_module.h"
#include "system/byte_blob.h"

// The skin library (a DLL) and its skin data, carried in the program.
extern const ByteBlob skinLibraryBlob;
extern const ByteBlob skinDataBlob;

// The process-wide module holding the skin library; null before start-up.
extern MemoryModule* skinModule;

// Creates skinModule, empty.
void CreateSkinModule();
// Maps the skin library blob into skinModule. The result needs no check.
bool MapSkinLibrary();
// Calls the library's SkinH_AttachRes with the skin bytes, their count, the
// text (a null pointer when it is empty) and the three integers, and keeps a
// copy of the bytes until ReleaseSkinObjects. Returns the export's result, or
// 0 without calling anything when the export is not available.
std::uint32_t AttachSkin(const ByteBlob& skin, const char* text, std::uint32_t a, std::uint32_t b,
                         std::uint32_t c);
// Releases the kept copy of the skin bytes and destroys skinModule without
// unloading its image: the library keeps skinning until the process ends.
void ReleaseSkinObjects();
// The kept copy (empty when none), for checks.
ByteBlob RetainedSkinData();
