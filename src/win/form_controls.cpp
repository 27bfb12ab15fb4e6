#include "win/form_controls.h"

#include <algorithm>
#include <climits>
#include <stdexcept>

#include "win/japanese_font.h"
#include "win/panel.h"
#include "win/wide_text.h"
#include "win_text/window_texts.h"

namespace marrowpin::win {

namespace {

struct ControlClass {
  const wchar_t* name;
  DWORD style;
  DWORD extended_style;
};

ControlClass ClassOf(const LayoutComponent& component, HINSTANCE instance) {
  switch (component.kind) {
    case ComponentKind::kPanel:
      // A label of the window may stand over it.
      return {RegisterPanelClass(instance), WS_CLIPCHILDREN | WS_CLIPSIBLINGS, WS_EX_CONTROLPARENT};
    case ComponentKind::kLabel:
      return {L"STATIC", SS_LEFT | SS_NOPREFIX, 0};
    case ComponentKind::kButton:
      return {L"BUTTON", BS_PUSHBUTTON | WS_TABSTOP, 0};
    case ComponentKind::kMemo:
      return {L"EDIT",
              static_cast<DWORD>(ES_MULTILINE | ES_AUTOVSCROLL | ES_AUTOHSCROLL | ES_WANTRETURN |
                                 ES_NOHIDESEL | WS_TABSTOP |
                                 (component.Has(kScrollBars) ? WS_HSCROLL | WS_VSCROLL : 0)),
              WS_EX_CLIENTEDGE};
    case ComponentKind::kListBox:
      return {L"LISTBOX", LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_TABSTOP, WS_EX_CLIENTEDGE};
    case ComponentKind::kStaticText:
      return {L"STATIC", SS_LEFT | SS_NOPREFIX,
              static_cast<DWORD>(component.Has(kSoftBevel) ? WS_EX_STATICEDGE : 0)};
    default:
      throw std::logic_error(std::string(win_text::kLayoutHoldsUnknownControl));
  }
}

// The room a label keeps free before the control on its right, in pixels at
// 96 dpi.
constexpr int kLabelGap = 4;

// The size of a label's caption in font.
SIZE TextExtent(HWND label, HFONT font) {
  wchar_t caption[256];
  const int length = GetWindowTextW(label, caption, static_cast<int>(std::size(caption)));
  const HDC dc = GetDC(label);
  const HGDIOBJ old_font = SelectObject(dc, font);
  SIZE extent{};
  GetTextExtentPoint32W(dc, caption, length, &extent);
  SelectObject(dc, old_font);
  ReleaseDC(label, dc);
  return extent;
}

// A label grows to show its whole caption when the font that stands in for
// the designed one is wider.
void FitToText(HWND label, HFONT font) {
  const SIZE extent = TextExtent(label, font);
  RECT bounds;
  GetWindowRect(label, &bounds);
  MapWindowPoints(nullptr, GetParent(label), reinterpret_cast<POINT*>(&bounds), 2);
  if (extent.cx > bounds.right - bounds.left || extent.cy > bounds.bottom - bounds.top) {
    MoveWindow(label, bounds.left, bounds.top, std::max<int>(extent.cx, bounds.right - bounds.left),
               std::max<int>(extent.cy, bounds.bottom - bounds.top), FALSE);
  }
}

}  // namespace

DpiScale::DpiScale() {
  const HDC screen = GetDC(nullptr);
  dpi_ = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
}

FormControls::FormControls(HWND form, FormLayout layout, const DpiScale& scale)
    : form_(form), layout_(layout), scale_(scale) {
  for (const LayoutComponent& component : layout_) {
    if (component.kind == ComponentKind::kForm) {
      // The form's own font serves every control that names none of its own.
      const HFONT font =
          CreateLayoutFont(component.font_face, component.font_height, component.fixed_pitch_font);
      CreateChildren(
          component, form,
          {font, component.font_face, component.fixed_pitch_font, component.font_height});
      KeepLabelsClear();
      return;
    }
  }
  throw std::logic_error(std::string(win_text::kLayoutHoldsNoForm));
}

void FormControls::CreateChildren(const LayoutComponent& parent, HWND parent_window,
                                  FontChoice parent_font) {
  const HINSTANCE instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(form_, GWLP_HINSTANCE));
  std::vector<const LayoutComponent*> children;
  for (const LayoutComponent& component : layout_) {
    if (component.parent == parent.name && component.kind != ComponentKind::kOpenDialog)
      children.push_back(&component);
  }
  std::stable_sort(children.begin(), children.end(),
                   [](const auto* a, const auto* b) { return a->tab_order < b->tab_order; });

  for (const LayoutComponent* child : children) {
    const ControlClass control = ClassOf(*child, instance);
    const HWND window = CreateWindowExW(
        control.extended_style, control.name, Wide(child->caption).c_str(),
        WS_CHILD | control.style | (child->Has(kVisible) ? WS_VISIBLE : 0), 0, 0, 0, 0,
        parent_window, reinterpret_cast<HMENU>(static_cast<INT_PTR>(child->id)), instance, nullptr);
    if (!window) throw std::runtime_error(win_text::CannotCreateControl(child->name));
    windows_.emplace(child->name, window);

    FontChoice font = parent_font;
    if (!child->font_face.empty()) {
      font.face = child->font_face;
      font.fixed_pitch = child->fixed_pitch_font;
    }
    if (child->font_height != 0) font.height = child->font_height;
    if (font.face != parent_font.face || font.height != parent_font.height) {
      font.font = CreateLayoutFont(font.face, font.height, font.fixed_pitch);
    }
    if (child->kind == ComponentKind::kMemo) {
      SendMessageW(window, EM_SETLIMITTEXT, 0, 0);  // as much as the control can hold
    }
    controls_.push_back({window, child, font});
    Place(controls_.back());
    CreateChildren(*child, window, font);
  }
}

void FormControls::Place(const Control& control) const {
  const LayoutComponent& component = *control.component;
  MoveWindow(control.window, scale_(component.left), scale_(component.top), scale_(component.width),
             scale_(component.height), FALSE);
  SendMessageW(control.window, WM_SETFONT, reinterpret_cast<WPARAM>(control.font.font), FALSE);
  if (component.kind == ComponentKind::kLabel) {
    FitToText(control.window, control.font.font);
  }
  if (component.kind == ComponentKind::kListBox && component.item_height != 0) {
    SendMessageW(control.window, LB_SETITEMHEIGHT, 0, scale_(component.item_height));
  }
}

void FormControls::Rescale() {
  // The old fonts go once no control is drawn in them any more.
  const std::vector<Font> old_fonts = std::move(fonts_);
  fonts_.clear();
  std::map<HFONT, HFONT> remade;
  for (Control& control : controls_) {
    HFONT& font = remade[control.font.font];
    if (!font) {
      font = CreateLayoutFont(control.font.face, control.font.height, control.font.fixed_pitch);
    }
    control.font.font = font;
    Place(control);
  }
  ArrangeDocked();
  KeepLabelsClear();
  RedrawWindow(form_, nullptr, nullptr, RDW_ERASE | RDW_INVALIDATE | RDW_ALLCHILDREN);
}

void FormControls::KeepLabelsClear() {
  for (const Control& label : controls_) {
    if (label.component->kind != ComponentKind::kLabel) continue;
    RECT bounds;
    GetWindowRect(label.window, &bounds);
    LONG limit = LONG_MAX;
    for (const Control& other : controls_) {
      RECT beside;
      GetWindowRect(other.window, &beside);
      // Asked for the style: the window itself may not be shown yet.
      const bool shown = (GetWindowLongW(other.window, GWL_STYLE) & WS_VISIBLE) != 0;
      if (other.window == label.window || !shown || beside.left <= bounds.left ||
          beside.top >= bounds.bottom || beside.bottom <= bounds.top)
        continue;
      limit = std::min(limit, beside.left - scale_(kLabelGap));
    }
    if (bounds.right <= limit) continue;
    const int room = limit - bounds.left;
    HFONT font = label.font.font;
    SIZE extent = TextExtent(label.window, font);
    for (int height = scale_(label.font.height) + 1; extent.cx > room && height < -1; ++height) {
      fonts_.emplace_back(CreateJapaneseFont(label.font.face, height, label.font.fixed_pitch));
      font = fonts_.back().get();
      extent = TextExtent(label.window, font);
    }
    SendMessageW(label.window, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    POINT at{bounds.left, bounds.top};
    ScreenToClient(GetParent(label.window), &at);
    MoveWindow(label.window, at.x, at.y, std::max(0, room),
               std::max<LONG>(extent.cy, bounds.bottom - bounds.top), TRUE);
  }
}

HFONT FormControls::CreateLayoutFont(std::string_view face, int height, bool fixed_pitch) {
  fonts_.emplace_back(CreateJapaneseFont(face, scale_(height), fixed_pitch));
  return fonts_.back().get();
}

HWND FormControls::operator[](std::string_view name) const {
  const auto found = windows_.find(name);
  if (found == windows_.end()) throw std::logic_error(win_text::LayoutLacks(name));
  return found->second;
}

void FormControls::ArrangeDocked() const {
  RECT client;
  GetClientRect(form_, &client);
  int top = 0;
  for (const Control& control : controls_) {
    if (control.component->Has(kDockTop)) {
      const int height = scale_(control.component->height);
      MoveWindow(control.window, 0, top, client.right, height, TRUE);
      top += height;
    }
  }
  for (const Control& control : controls_) {
    if (control.component->Has(kDockFill)) {
      MoveWindow(control.window, 0, top, client.right, std::max(0L, client.bottom - top), TRUE);
    }
  }
}

}  // namespace marrowpin::win
