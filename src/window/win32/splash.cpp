#include "window/win32/splash.h"

#include <cstring>

extern "C" {
#include <stb_image.h>
}

namespace win32 {

HBITMAP LoadSplash(SIZE* size) {
  HMODULE module = ::GetModuleHandleW(nullptr);
  HRSRC found = ::FindResourceW(module, MAKEINTRESOURCEW(kSplashResource), RT_RCDATA);
  if (!found) return nullptr;
  HGLOBAL loaded = ::LoadResource(module, found);
  const auto* bytes = static_cast<const stbi_uc*>(::LockResource(loaded));
  const DWORD length = ::SizeofResource(module, found);
  if (!bytes || length == 0) return nullptr;

  int width = 0, height = 0, components = 0;
  stbi_uc* rgb =
      stbi_load_from_memory(bytes, static_cast<int>(length), &width, &height, &components, 3);
  if (!rgb) return nullptr;
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;  // top-down
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* pixels = nullptr;
  HBITMAP bitmap = ::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &pixels, nullptr, 0);
  if (bitmap) {
    auto* out = static_cast<BYTE*>(pixels);
    const std::size_t count = static_cast<std::size_t>(width) * static_cast<std::size_t>(height);
    for (std::size_t i = 0; i < count; ++i) {
      out[4 * i + 0] = rgb[3 * i + 2];
      out[4 * i + 1] = rgb[3 * i + 1];
      out[4 * i + 2] = rgb[3 * i + 0];
      out[4 * i + 3] = 0xFF;
    }
    size->cx = width;
    size->cy = height;
  }
  stbi_image_free(rgb);
  return bitmap;
}

HBITMAP ScaleSplash(HBITMAP banner, SIZE size, UINT dpi, SIZE* scaled) {
  if (!banner || dpi == 96) return nullptr;
  scaled->cx = ::MulDiv(size.cx, static_cast<int>(dpi), 96);
  scaled->cy = ::MulDiv(size.cy, static_cast<int>(dpi), 96);
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = scaled->cx;
  info.bmiHeader.biHeight = -scaled->cy;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* pixels = nullptr;
  HBITMAP bitmap = ::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &pixels, nullptr, 0);
  if (!bitmap) return nullptr;
  HDC from = ::CreateCompatibleDC(nullptr);
  HDC to = ::CreateCompatibleDC(nullptr);
  HGDIOBJ oldFrom = ::SelectObject(from, banner);
  HGDIOBJ oldTo = ::SelectObject(to, bitmap);
  ::SetStretchBltMode(to, HALFTONE);
  ::SetBrushOrgEx(to, 0, 0, nullptr);
  ::StretchBlt(to, 0, 0, scaled->cx, scaled->cy, from, 0, 0, size.cx, size.cy, SRCCOPY);
  ::SelectObject(from, oldFrom);
  ::SelectObject(to, oldTo);
  ::DeleteDC(from);
  ::DeleteDC(to);
  return bitmap;
}

}  // namespace win32
