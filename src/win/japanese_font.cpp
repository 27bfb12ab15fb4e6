#include "win/japanese_font.h"

#include <cwchar>
#include <string>
#include <vector>

#include "win/wide_text.h"

namespace marrowpin::win {

namespace {

// The face that the program's window is designed in.
constexpr std::string_view kWindowFace = "ＭＳ Ｐゴシック";
// Characters of the program's texts that a Japanese face must have.
constexpr wchar_t kJapaneseSample[] = L"変換終了ファイル";

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

// The faces the system has for Shift-JIS text: all of them, or those of the name.
std::vector<JapaneseFace> JapaneseFaces(const std::wstring& name) {
  LOGFONTW wanted{};
  wanted.lfCharSet = SHIFTJIS_CHARSET;
  wcsncpy(wanted.lfFaceName, name.c_str(), LF_FACESIZE - 1);
  std::vector<JapaneseFace> faces;
  const HDC screen = GetDC(nullptr);
  EnumFontFamiliesExW(screen, &wanted, CollectFace, reinterpret_cast<LPARAM>(&faces), 0);
  ReleaseDC(nullptr, screen);
  return faces;
}

std::wstring AvailableFace(std::string_view face, bool fixed_pitch) {
  std::wstring name = Wide(face);
  if (!JapaneseFaces(name).empty()) return name;
  const std::vector<JapaneseFace> faces = JapaneseFaces(L"");
  for (const JapaneseFace& candidate : faces) {
    if (candidate.fixed_pitch == fixed_pitch) return candidate.name;
  }
  // None at all: the font mapper picks what it can for the character set.
  return faces.empty() ? name : faces.front().name;
}

bool HasJapaneseCharacters(HFONT font) {
  const HDC screen = GetDC(nullptr);
  const HGDIOBJ old_font = SelectObject(screen, font);
  constexpr int kLength = static_cast<int>(std::size(kJapaneseSample)) - 1;
  WORD glyphs[kLength] = {};
  const DWORD converted =
      GetGlyphIndicesW(screen, kJapaneseSample, kLength, glyphs, GGI_MARK_NONEXISTING_GLYPHS);
  SelectObject(screen, old_font);
  ReleaseDC(nullptr, screen);
  if (converted == GDI_ERROR) return false;
  for (const WORD glyph : glyphs) {
    if (glyph == 0xFFFF) return false;
  }
  return true;
}

}  // namespace

HFONT CreateJapaneseFont(std::string_view face, int height, bool fixed_pitch) {
  LOGFONTW font{};
  font.lfHeight = height;
  font.lfWeight = FW_NORMAL;
  font.lfCharSet = SHIFTJIS_CHARSET;
  font.lfPitchAndFamily = fixed_pitch ? FIXED_PITCH : VARIABLE_PITCH;
  wcsncpy(font.lfFaceName, AvailableFace(face, fixed_pitch).c_str(), LF_FACESIZE - 1);
  return CreateFontIndirectW(&font);
}

HFONT CreateJapaneseMessageFont() {
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof metrics;
  SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
  const HFONT system_font = CreateFontIndirectW(&metrics.lfMessageFont);
  if (system_font && HasJapaneseCharacters(system_font)) return system_font;
  if (system_font) DeleteObject(system_font);
  return CreateJapaneseFont(kWindowFace, metrics.lfMessageFont.lfHeight, false);
}

}  // namespace marrowpin::win
