// Windows handles that free themselves: one owner each, moved, never copied.
#pragma once

#include <windows.h>

#include <utility>

namespace platform {

// Owns a handle of type H and frees it with Traits::Free when it goes.
// Traits::Invalid() is the value that owns nothing.
template <class H, class Traits>
class UniqueHandle {
 public:
  UniqueHandle() = default;
  explicit UniqueHandle(H handle) : handle_(handle) {}
  UniqueHandle(UniqueHandle&& other) noexcept : handle_(other.Release()) {}
  UniqueHandle& operator=(UniqueHandle&& other) noexcept {
    if (this != &other) Reset(other.Release());
    return *this;
  }
  UniqueHandle(const UniqueHandle&) = delete;
  UniqueHandle& operator=(const UniqueHandle&) = delete;
  ~UniqueHandle() { Reset(); }

  H Get() const { return handle_; }
  explicit operator bool() const { return handle_ != Traits::Invalid(); }

  // Gives the handle up without freeing it, for a caller that frees it
  // itself and must see whether that worked.
  H Release() { return std::exchange(handle_, Traits::Invalid()); }

  void Reset(H handle = Traits::Invalid()) {
    H old = std::exchange(handle_, handle);
    if (old != Traits::Invalid()) Traits::Free(old);
  }

 private:
  H handle_ = Traits::Invalid();
};

// Frees a handle with `kFree`; the handle that owns nothing is nullptr, or
// INVALID_HANDLE_VALUE for the calls that fail with it (CreateFileW,
// FindFirstFileW).
template <class H, auto kFree, bool kNoneIsInvalidHandleValue = false>
struct HandleTraits {
  static H Invalid() {
    if constexpr (kNoneIsInvalidHandleValue) {
      return INVALID_HANDLE_VALUE;
    } else {
      return nullptr;
    }
  }
  static void Free(H handle) { kFree(handle); }
};

using UniqueFont = UniqueHandle<HFONT, HandleTraits<HFONT, &::DeleteObject>>;
using UniqueBitmap = UniqueHandle<HBITMAP, HandleTraits<HBITMAP, &::DeleteObject>>;
using UniqueIcon = UniqueHandle<HICON, HandleTraits<HICON, &::DestroyIcon>>;
// A memory device context from CreateCompatibleDC.
using UniqueMemoryDc = UniqueHandle<HDC, HandleTraits<HDC, &::DeleteDC>>;
// Kernel objects: processes and threads (nullptr for none), files.
using UniqueKernelHandle = UniqueHandle<HANDLE, HandleTraits<HANDLE, &::CloseHandle>>;
using UniqueFile = UniqueHandle<HANDLE, HandleTraits<HANDLE, &::CloseHandle, true>>;
using UniqueFind = UniqueHandle<HANDLE, HandleTraits<HANDLE, &::FindClose, true>>;

}  // namespace platform
