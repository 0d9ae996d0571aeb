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

template <class H>
struct GdiObjectTraits {
  static H Invalid() { return nullptr; }
  static void Free(H object) { ::DeleteObject(object); }
};

struct IconTraits {
  static HICON Invalid() { return nullptr; }
  static void Free(HICON icon) { ::DestroyIcon(icon); }
};

// A memory device context from CreateCompatibleDC.
struct MemoryDcTraits {
  static HDC Invalid() { return nullptr; }
  static void Free(HDC dc) { ::DeleteDC(dc); }
};

// Kernel objects: files, processes, threads. CreateFileW's failure value.
struct KernelHandleTraits {
  static HANDLE Invalid() { return INVALID_HANDLE_VALUE; }
  static void Free(HANDLE handle) { ::CloseHandle(handle); }
};

struct FindHandleTraits {
  static HANDLE Invalid() { return INVALID_HANDLE_VALUE; }
  static void Free(HANDLE find) { ::FindClose(find); }
};

using UniqueFont = UniqueHandle<HFONT, GdiObjectTraits<HFONT>>;
using UniqueBitmap = UniqueHandle<HBITMAP, GdiObjectTraits<HBITMAP>>;
using UniqueBrush = UniqueHandle<HBRUSH, GdiObjectTraits<HBRUSH>>;
using UniqueIcon = UniqueHandle<HICON, IconTraits>;
using UniqueMemoryDc = UniqueHandle<HDC, MemoryDcTraits>;
using UniqueFile = UniqueHandle<HANDLE, KernelHandleTraits>;
using UniqueFind = UniqueHandle<HANDLE, FindHandleTraits>;

// CreateProcessW's process and thread handles, which use nullptr for none.
struct NullableKernelHandleTraits {
  static HANDLE Invalid() { return nullptr; }
  static void Free(HANDLE handle) { ::CloseHandle(handle); }
};
using UniqueKernelHandle = UniqueHandle<HANDLE, NullableKernelHandleTraits>;

}  // namespace platform
