// Windows handles that free themselves: one owner each, moved, never copied.
#pragma once

#include <windows.h>

#include <type_traits>
#include <utility>

namespace platform {

// Owns a handle of type H and frees it with Traits::Free when it goes.
// Traits::IsEmpty tells the values that own nothing.
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
  explicit operator bool() const { return !Traits::IsEmpty(handle_); }

  // Gives the handle up without freeing it, for a caller that frees it
  // itself and must see whether that worked.
  H Release() { return std::exchange(handle_, H{}); }

  void Reset(H handle = H{}) {
    H old = std::exchange(handle_, handle);
    if (!Traits::IsEmpty(old)) Traits::Free(old);
  }

 private:
  H handle_{};
};

// Frees a handle with `kFree`. A null handle owns nothing; so does
// INVALID_HANDLE_VALUE for kernel handles, as some calls (CreateFileW,
// FindFirstFileW) fail with it and others with null: no owner has to know
// which its call gives.
template <class H, auto kFree>
struct HandleTraits {
  static bool IsEmpty(H handle) {
    if constexpr (std::is_same_v<H, HANDLE>) {
      if (handle == INVALID_HANDLE_VALUE) return true;
    }
    return handle == nullptr;
  }
  static void Free(H handle) { kFree(handle); }
};

using UniqueFont = UniqueHandle<HFONT, HandleTraits<HFONT, &::DeleteObject>>;
using UniqueBitmap = UniqueHandle<HBITMAP, HandleTraits<HBITMAP, &::DeleteObject>>;
using UniqueRegion = UniqueHandle<HRGN, HandleTraits<HRGN, &::DeleteObject>>;
using UniqueIcon = UniqueHandle<HICON, HandleTraits<HICON, &::DestroyIcon>>;
// A memory device context from CreateCompatibleDC.
using UniqueMemoryDc = UniqueHandle<HDC, HandleTraits<HDC, &::DeleteDC>>;
// Kernel objects: processes, threads, files; and the searches of FindFirstFileW.
using UniqueKernelHandle = UniqueHandle<HANDLE, HandleTraits<HANDLE, &::CloseHandle>>;
using UniqueFile = UniqueKernelHandle;
using UniqueFind = UniqueHandle<HANDLE, HandleTraits<HANDLE, &::FindClose>>;

}  // namespace platform
