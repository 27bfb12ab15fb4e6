#include "screenshot.h"

#include <algorithm>

#include "remote_program.h"
#include "test_files.h"

namespace marrowpin::wine_tests {

namespace {

constexpr int kMargin = 8;

RECT CoveredArea(const std::vector<HWND>& windows) {
  RECT area{GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN), 0, 0};
  for (const HWND window : windows) {
    RECT bounds;
    GetWindowRect(window, &bounds);
    area.left = std::min(area.left, bounds.left - kMargin);
    area.top = std::min(area.top, bounds.top - kMargin);
    area.right = std::max(area.right, bounds.right + kMargin);
    area.bottom = std::max(area.bottom, bounds.bottom + kMargin);
  }
  area.left = std::max(0L, area.left);
  area.top = std::max(0L, area.top);
  area.right = std::min<LONG>(GetSystemMetrics(SM_CXSCREEN), area.right);
  area.bottom = std::min<LONG>(GetSystemMetrics(SM_CYSCREEN), area.bottom);
  if (area.right <= area.left || area.bottom <= area.top)
    throw TestFailure("nothing to take a screenshot of");
  return area;
}

// The pixels of area as a bottom-up 24-bit DIB.
std::string CapturePixels(const RECT& area, BITMAPINFOHEADER& info) {
  const int width = area.right - area.left;
  const int height = area.bottom - area.top;
  const HDC screen = GetDC(nullptr);
  const HDC memory = CreateCompatibleDC(screen);
  const HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
  const HGDIOBJ old_bitmap = SelectObject(memory, bitmap);
  BitBlt(memory, 0, 0, width, height, screen, area.left, area.top, SRCCOPY);
  SelectObject(memory, old_bitmap);

  info = BITMAPINFOHEADER{};
  info.biSize = sizeof info;
  info.biWidth = width;
  info.biHeight = height;
  info.biPlanes = 1;
  info.biBitCount = 24;
  info.biCompression = BI_RGB;
  const int row_size = (width * 3 + 3) / 4 * 4;
  std::string pixels(static_cast<std::size_t>(row_size) * height, '\0');
  GetDIBits(memory, bitmap, 0, height, pixels.data(), reinterpret_cast<BITMAPINFO*>(&info),
            DIB_RGB_COLORS);
  DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  return pixels;
}

}  // namespace

void SaveScreenshot(const std::vector<HWND>& windows, const std::string& path) {
  const RECT area = CoveredArea(windows);
  // Windows that have just opened may still be painting: the picture is
  // taken once it has stayed the same for several captures in a row.
  constexpr int kSettledCaptures = 8;
  BITMAPINFOHEADER info;
  std::string pixels = CapturePixels(area, info);
  int unchanged = 0;
  WaitUntil(
      [&] {
        std::string again = CapturePixels(area, info);
        unchanged = again == pixels ? unchanged + 1 : 0;
        pixels = std::move(again);
        return unchanged >= kSettledCaptures;
      },
      5000);

  BITMAPFILEHEADER file{};
  file.bfType = 0x4D42;  // "BM"
  file.bfOffBits = sizeof file + sizeof info;
  file.bfSize = static_cast<DWORD>(file.bfOffBits + pixels.size());
  std::string bytes(reinterpret_cast<const char*>(&file), sizeof file);
  bytes.append(reinterpret_cast<const char*>(&info), sizeof info);
  WriteTestFile(path, bytes + pixels);
}

}  // namespace marrowpin::wine_tests
