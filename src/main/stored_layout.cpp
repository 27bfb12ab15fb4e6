#include "main/stored_layout.h"

#include <cstdint>
#include <cstring>
#include <stdexcept>

#include "main/shift_jis.h"

namespace marrowpin::main {

namespace {

// Reads the 16-bit fields and zero-terminated UTF-16 names of the resource.
class ResourceReader {
 public:
  ResourceReader(const unsigned char* data, std::size_t size) : data_(data), size_(size) {}

  bool AtEnd() const { return at_ + sizeof(std::uint16_t) > size_; }

  std::uint16_t Word() {
    if (AtEnd())
      throw std::logic_error("stored layout is cut short");
    std::uint16_t word;
    std::memcpy(&word, data_ + at_, sizeof word);
    at_ += sizeof word;
    return word;
  }

  int SignedWord() { return static_cast<std::int16_t>(Word()); }

  std::string Name() {
    std::string name;
    while (const std::uint16_t unit = Word()) {
      name.push_back(static_cast<char>(unit));  // names are ASCII
    }
    return name;
  }

 private:
  const unsigned char* data_;
  std::size_t size_;
  std::size_t at_ = 0;
};

std::string LoadText(HINSTANCE module, int text_id) {
  if (text_id == 0)
    return {};
  const wchar_t* text = nullptr;
  // With a zero buffer size LoadStringW hands out the resource's own text.
  const int length =
      LoadStringW(module, static_cast<UINT>(text_id), reinterpret_cast<wchar_t*>(&text), 0);
  if (length <= 0)
    throw std::logic_error("stored layout names a missing text");
  return ToShiftJis(std::wstring_view(text, static_cast<std::size_t>(length)));
}

}  // namespace

StoredLayout LoadStoredLayout(HINSTANCE module, int layout_id) {
  const HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(layout_id), MAKEINTRESOURCEA(10));
  const HGLOBAL loaded = found ? LoadResource(module, found) : nullptr;
  if (!loaded)
    throw std::logic_error("stored layout is missing");
  ResourceReader reader(static_cast<const unsigned char*>(LockResource(loaded)),
                        SizeofResource(module, found));

  StoredLayout layout;
  while (!reader.AtEnd()) {
    StoredComponent component;
    component.name = reader.Name();
    if (component.name.empty())
      break;  // padding after the last component
    component.kind = reader.Word();
    component.parent = reader.Name();
    component.left = reader.SignedWord();
    component.top = reader.SignedWord();
    component.width = reader.SignedWord();
    component.height = reader.SignedWord();
    component.tab_order = reader.Word();
    component.settings = reader.Word();
    component.id = reader.Word();
    component.font_face = LoadText(module, reader.Word());
    component.font_height = reader.SignedWord();
    component.item_height = reader.SignedWord();
    component.caption = LoadText(module, reader.Word());
    component.filter = LoadText(module, reader.Word());
    component.default_extension = LoadText(module, reader.Word());
    layout.push_back(std::move(component));
  }
  return layout;
}

const StoredComponent& FindComponent(const StoredLayout& layout, std::string_view name) {
  for (const StoredComponent& component : layout) {
    if (component.name == name)
      return component;
  }
  throw std::logic_error("stored layout lacks " + std::string(name));
}

}  // namespace marrowpin::main
