// A 32-bit DLL image mapped by hand from bytes held in memory, never written to
// a file and never seen by the system loader.
//
// The object holds only the address of the mapped image; every operation reads
// what it needs from the image itself. Discarding the object does not unload
// the image (that takes Unload): the program's skin library stays mapped until
// the process ends.
//
// Only a 32-bit x86 process can run a 32-bit image: in any other build every
// load fails cleanly and the object stays empty.
#pragma once
#include <cstdint>
#include <memory>

#include "system/byte_blob.h"

// Supplies an import's address before the system is asked: receives the
// importing library's name, the import's name (an ordinal as decimal text) and
// the caller's resolverData; returns the address, or 0 to leave the import to
// GetProcAddress. Called through CallByAddress.
using ImportResolver = std::uint32_t(__stdcall*)(const char* library, const char* name, std::uint32_t resolverData);

class MemoryModule {
 public:
  MemoryModule() = default;
  MemoryModule(const MemoryModule&) = default;
  MemoryModule& operator=(const MemoryModule&) = default;
  // Does nothing: in particular the image stays mapped.
  virtual ~MemoryModule();
  // A new, independent object with the same image address (caller owns it).
  virtual std::unique_ptr<MemoryModule> Copy() const;
  // Maps the image held in `image` (unloading any earlier one first). True when
  // an image is now loaded; on failure nothing is left mapped.
  virtual bool LoadFromMemory(const ByteBlob& image, ImportResolver resolver = nullptr,
                              std::uint32_t resolverData = 0);
  // Detaches and releases the image. True when nothing is loaded afterwards.
  virtual bool Unload();
  // Address of an export by name, or by ordinal written in decimal ("17"); 0
  // when it is not found or nothing is loaded.
  virtual std::uintptr_t GetExportAddress(const char* name) const;
  // Address of the image's entry point, or 0 when nothing is loaded.
  virtual std::uintptr_t GetEntryPointAddress() const;
  virtual std::uintptr_t GetImageBase() const;

 private:
  std::uintptr_t imageBase = 0;
};
