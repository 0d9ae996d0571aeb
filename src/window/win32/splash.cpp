// Decoding, scaling and drawing the splash banner.
#include "window/win32/splash.h"

#include <cstddef>
#include <utility>

extern "C" {
#include <stb_image.h>
}

namespace win32 {
namespace {

// A 32-bit top-down bitmap and where its pixels are.
platform::UniqueBitmap CreateBitmap(SIZE size, void** pixels) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = size.cx;
  info.bmiHeader.biHeight = -size.cy;  // top-down
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  return platform::UniqueBitmap(
      ::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, pixels, nullptr, 0));
}

}  // namespace

void Splash::Load() {
  HMODULE module = ::GetModuleHandleW(nullptr);
  HRSRC found = ::FindResourceW(module, MAKEINTRESOURCEW(kSplashResource), RT_RCDATA);
  if (!found) return;
  const auto* bytes = static_cast<const stbi_uc*>(::LockResource(::LoadResource(module, found)));
  const DWORD length = ::SizeofResource(module, found);
  if (!bytes || length == 0) return;

  int width = 0, height = 0, components = 0;
  stbi_uc* rgb =
      stbi_load_from_memory(bytes, static_cast<int>(length), &width, &height, &components, 3);
  if (!rgb) return;
  void* pixels = nullptr;
  banner_ = CreateBitmap({width, height}, &pixels);
  if (banner_) {
    auto* out = static_cast<BYTE*>(pixels);
    const std::size_t count = static_cast<std::size_t>(width) * static_cast<std::size_t>(height);
    for (std::size_t i = 0; i < count; ++i) {
      out[4 * i + 0] = rgb[3 * i + 2];
      out[4 * i + 1] = rgb[3 * i + 1];
      out[4 * i + 2] = rgb[3 * i + 0];
      out[4 * i + 3] = 0xFF;
    }
    size_ = {width, height};
  }
  stbi_image_free(rgb);
}

void Splash::SetDpi(UINT dpi) {
  scaled_.Reset();
  if (!banner_ || dpi == 96) return;
  scaledSize_ = {::MulDiv(size_.cx, static_cast<int>(dpi), 96),
                 ::MulDiv(size_.cy, static_cast<int>(dpi), 96)};
  void* pixels = nullptr;
  platform::UniqueBitmap scaled = CreateBitmap(scaledSize_, &pixels);
  if (!scaled) return;
  platform::UniqueMemoryDc from(::CreateCompatibleDC(nullptr)), to(::CreateCompatibleDC(nullptr));
  HGDIOBJ oldFrom = ::SelectObject(from.Get(), banner_.Get());
  HGDIOBJ oldTo = ::SelectObject(to.Get(), scaled.Get());
  ::SetStretchBltMode(to.Get(), HALFTONE);
  ::SetBrushOrgEx(to.Get(), 0, 0, nullptr);
  ::StretchBlt(to.Get(), 0, 0, scaledSize_.cx, scaledSize_.cy, from.Get(), 0, 0, size_.cx, size_.cy,
               SRCCOPY);
  ::SelectObject(from.Get(), oldFrom);
  ::SelectObject(to.Get(), oldTo);
  scaled_ = std::move(scaled);
}

void Splash::Draw(HDC dc, const RECT& area) const {
  ::FillRect(dc, &area, ::GetSysColorBrush(COLOR_WINDOW));
  const platform::UniqueBitmap& banner = scaled_ ? scaled_ : banner_;
  if (!banner) return;
  const SIZE size = scaled_ ? scaledSize_ : size_;
  platform::UniqueMemoryDc memory(::CreateCompatibleDC(dc));
  HGDIOBJ old = ::SelectObject(memory.Get(), banner.Get());
  ::BitBlt(dc, area.left, area.top, size.cx, size.cy, memory.Get(), 0, 0, SRCCOPY);
  ::SelectObject(memory.Get(), old);
}

}  // namespace win32
