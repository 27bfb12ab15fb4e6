#include "win/japanese_font.h"

#include <cwchar>
#include <string>
#include <vector>

#include "win/wide_text.h"

namespace marrowpin::win {

namespace {

// The face that the program's window is designed in.
constexpr std::string_view kWindowFace = "ＭＳ Ｐゴシック";
// Characters of the program's texts, Japanese and Latin, that a face must
// have: some faces for Japanese text lack the Latin letters.
constexpr wchar_t kSample[] = L"変換終了ファイルOK.vnt";

struct JapaneseFace {
  std::wstring name;
  bool fixed_pitch;
};

int CALLBACK CollectFace(const LOGFONTW* font, const TEXTMETRICW*, DWORD, LPARAM faces) {
  // "@" faces are the vertical-writing variants.
  if (font->lfFaceName[0] != L'@') {
    reinterpret_cast<std::vector<JapaneseFace>*>(faces)->push_back(
        {font->lfFaceName, (font->lfPitchAndFamily & 0x3) == FIXED_PITCH});
  }
  return 1;
}

// The faces the system has for Shift-JIS text.
std::vector<JapaneseFace> JapaneseFaces() {
  LOGFONTW wanted{};
  wanted.lfCharSet = SHIFTJIS_CHARSET;
  std::vector<JapaneseFace> faces;
  const HDC screen = GetDC(nullptr);
  EnumFontFamiliesExW(screen, &wanted, CollectFace, reinterpret_cast<LPARAM>(&faces), 0);
  ReleaseDC(nullptr, screen);
  return faces;
}

bool ShowsSample(HFONT font) {
  const HDC screen = GetDC(nullptr);
  const HGDIOBJ old_font = SelectObject(screen, font);
  constexpr int kLength = static_cast<int>(std::size(kSample)) - 1;
  WORD glyphs[kLength] = {};
  const DWORD converted =
      GetGlyphIndicesW(screen, kSample, kLength, glyphs, GGI_MARK_NONEXISTING_GLYPHS);
  SelectObject(screen, old_font);
  ReleaseDC(nullptr, screen);
  if (converted == GDI_ERROR) return false;
  for (const WORD glyph : glyphs) {
    if (glyph == 0xFFFF) return false;
  }
  return true;
}

HFONT CreateFaceFont(const std::wstring& face, int height, bool fixed_pitch) {
  LOGFONTW font{};
  font.lfHeight = height;
  font.lfWeight = FW_NORMAL;
  font.lfCharSet = SHIFTJIS_CHARSET;
  font.lfPitchAndFamily = fixed_pitch ? FIXED_PITCH : VARIABLE_PITCH;
  wcsncpy(font.lfFaceName, face.c_str(), LF_FACESIZE - 1);
  return CreateFontIndirectW(&font);
}

bool FaceShowsSample(const std::wstring& face) {
  const HFONT font = CreateFaceFont(face, -12, false);
  const bool shows = font && ShowsSample(font);
  if (font) DeleteObject(font);
  return shows;
}

std::wstring AvailableFace(std::string_view face, bool fixed_pitch) {
  // The face itself, or what the system puts in its place (a substitute).
  std::wstring name = Wide(face);
  if (FaceShowsSample(name)) return name;
  std::vector<JapaneseFace> faces = JapaneseFaces();
  std::erase_if(faces,
                [](const JapaneseFace& candidate) { return !FaceShowsSample(candidate.name); });
  for (const JapaneseFace& candidate : faces) {
    if (candidate.fixed_pitch == fixed_pitch) return candidate.name;
  }
  // None at all: the font mapper picks what it can for the character set.
  return faces.empty() ? name : faces.front().name;
}

}  // namespace

HFONT CreateJapaneseFont(std::string_view face, int height, bool fixed_pitch) {
  return CreateFaceFont(AvailableFace(face, fixed_pitch), height, fixed_pitch);
}

HFONT CreateJapaneseMessageFont(int dpi) {
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof metrics;
  SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
  // The system gives its metrics at the system's dpi; a window on a screen
  // of another scale needs them at its own.
  const HDC screen = GetDC(nullptr);
  const int system_dpi = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  metrics.lfMessageFont.lfHeight = MulDiv(metrics.lfMessageFont.lfHeight, dpi, system_dpi);
  const HFONT system_font = CreateFontIndirectW(&metrics.lfMessageFont);
  if (system_font && ShowsSample(system_font)) return system_font;
  if (system_font) DeleteObject(system_font);
  return CreateJapaneseFont(kWindowFace, metrics.lfMessageFont.lfHeight, false);
}

}  // namespace marrowpin::win
