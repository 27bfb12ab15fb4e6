#pragma once

#include <windows.h>

#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

#include "win/form_layout.h"

namespace marrowpin::win {

// Converts the layout's 96-dpi pixels to those of a screen: the system's
// until told the window's own.
class DpiScale {
 public:
  DpiScale();
  int operator()(int pixels) const { return MulDiv(pixels, dpi_, 96); }
  int Dpi() const { return dpi_; }
  void SetDpi(int dpi) { dpi_ = dpi; }

 private:
  int dpi_;
};

// The child controls of a window, created from its layout with their fonts,
// kept in place when the window is resized, and laid out and given fonts
// again when it moves to a screen of another scale.
class FormControls {
 public:
  // Creates every control whose parent chain leads to the layout's form,
  // inside form, in tab order within each parent.
  FormControls(HWND form, FormLayout layout, const DpiScale& scale);

  // The control of that name; throws std::logic_error when there is none.
  HWND operator[](std::string_view name) const;

  // Puts the docked controls in place over form's client area: those docked
  // at the top one below the other, then the one filling the rest.
  void ArrangeDocked() const;

  // Places every control and makes every font again at the scale's current
  // dpi, then puts the docked controls in place.
  void Rescale();

 private:
  struct FontDeleter {
    void operator()(HFONT font) const { DeleteObject(font); }
  };
  using Font = std::unique_ptr<std::remove_pointer_t<HFONT>, FontDeleter>;

  // The font a component and its children are drawn in.
  struct FontChoice {
    HFONT font;
    std::string_view face;
    bool fixed_pitch;
    int height;
  };

  // A control as created, with the font it is drawn in.
  struct Control {
    HWND window;
    const LayoutComponent* component;
    FontChoice font;
  };

  // A Japanese font of the face and character height, kept with the controls.
  HFONT CreateLayoutFont(std::string_view face, int height, bool fixed_pitch);
  void CreateChildren(const LayoutComponent& parent, HWND parent_window, FontChoice parent_font);
  // Sizes and places the control at the current scale, with its font.
  void Place(const Control& control) const;
  // A label that has grown to show its caption stands clear of the controls
  // on its right: where the caption does not fit before the nearest of them,
  // the label's font is made smaller until it does. Its text stays whole,
  // and it covers no button, whatever face stands in for its font.
  void KeepLabelsClear();

  HWND form_;
  FormLayout layout_;
  const DpiScale& scale_;
  std::map<std::string, HWND, std::less<>> windows_;
  std::vector<Control> controls_;
  std::vector<Font> fonts_;
};

}  // namespace marrowpin::win
