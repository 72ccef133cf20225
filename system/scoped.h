// Small owners for Windows handles: each closes what it holds when it goes.
#pragma once
#include <windows.h>

template <typename H, H Invalid, typename Closer>
class Scoped {
 public:
  Scoped() = default;
  explicit Scoped(H h) : h_(h) {}
  ~Scoped() { Reset(); }
  Scoped(const Scoped&) = delete;
  Scoped& operator=(const Scoped&) = delete;
  Scoped(Scoped&& o) noexcept : h_(o.Release()) {}
  Scoped& operator=(Scoped&& o) noexcept {
    if (this != &o) {
      Reset();
      h_ = o.Release();
    }
    return *this;
  }
  H Get() const { return h_; }
  H* Receive() {
    Reset();
    return &h_;
  }
  H Release() {
    H h = h_;
    h_ = Invalid;
    return h;
  }
  void Reset(H h = Invalid) {
    if (h_ != Invalid) Closer()(h_);
    h_ = h;
  }
  explicit operator bool() const { return h_ != Invalid; }

 private:
  H h_ = Invalid;
};

struct CloseKey { void operator()(HKEY k) const { RegCloseKey(k); } };
struct CloseKernelHandle { void operator()(HANDLE h) const { CloseHandle(h); } };
struct CloseFind { void operator()(HANDLE h) const { FindClose(h); } };

using ScopedKey = Scoped<HKEY, static_cast<HKEY>(nullptr), CloseKey>;
using ScopedHandle = Scoped<HANDLE, static_cast<HANDLE>(nullptr), CloseKernelHandle>;
// CreateFile and FindFirstFile report failure as INVALID_HANDLE_VALUE, not null.
struct ScopedFile : Scoped<HANDLE, static_cast<HANDLE>(nullptr), CloseKernelHandle> {
  using Scoped::Scoped;
  explicit ScopedFile(HANDLE h) : Scoped(h == INVALID_HANDLE_VALUE ? nullptr : h) {}
};
struct ScopedFind : Scoped<HANDLE, static_cast<HANDLE>(nullptr), CloseFind> {
  explicit ScopedFind(HANDLE h) : Scoped(h == INVALID_HANDLE_VALUE ? nullptr : h) {}
};
