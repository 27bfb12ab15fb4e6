#include "main/form_controls.h"

#include <algorithm>
#include <stdexcept>

#include "main/panel.h"
#include "main/resource_ids.h"

namespace marrowpin::main {

namespace {

struct ControlClass {
  const char* name;
  DWORD style;
  DWORD extended_style;
};

ControlClass ClassOf(const StoredComponent& component, HINSTANCE instance) {
  switch (component.kind) {
    case KIND_PANEL:
      return {RegisterPanelClass(instance), WS_CLIPCHILDREN, WS_EX_CONTROLPARENT};
    case KIND_LABEL:
      return {"STATIC", SS_LEFT | SS_NOPREFIX, 0};
    case KIND_BUTTON:
      return {"BUTTON", BS_PUSHBUTTON | WS_TABSTOP, 0};
    case KIND_MEMO:
      return {"EDIT",
              static_cast<DWORD>(ES_MULTILINE | ES_AUTOVSCROLL | ES_AUTOHSCROLL | ES_WANTRETURN |
                                 ES_NOHIDESEL | WS_TABSTOP |
                                 (component.Has(OPT_SCROLL_BARS) ? WS_HSCROLL | WS_VSCROLL : 0)),
              WS_EX_CLIENTEDGE};
    case KIND_LIST_BOX:
      return {"LISTBOX", LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_TABSTOP, WS_EX_CLIENTEDGE};
    case KIND_STATIC_TEXT:
      return {"STATIC", SS_LEFT | SS_NOPREFIX,
              static_cast<DWORD>(component.Has(OPT_SOFT_BEVEL) ? WS_EX_STATICEDGE : 0)};
    default:
      throw std::logic_error("stored layout holds a control of unknown kind");
  }
}

// A label grows to show its whole caption when the font that stands in for
// the designed one is wider.
void FitToText(HWND label, HFONT font) {
  char caption[256];
  const int length = GetWindowTextA(label, caption, sizeof caption);
  const HDC dc = GetDC(label);
  const HGDIOBJ old_font = SelectObject(dc, font);
  SIZE extent{};
  GetTextExtentPoint32A(dc, caption, length, &extent);
  SelectObject(dc, old_font);
  ReleaseDC(label, dc);
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

FormControls::FormControls(HWND form, const StoredLayout& layout, const DpiScale& scale)
    : form_(form), layout_(layout), scale_(scale) {
  for (const StoredComponent& component : layout_) {
    if (component.kind == KIND_FORM) {
      CreateChildren(component, form, nullptr, component.font_face, component.font_height);
      return;
    }
  }
  throw std::logic_error("stored layout holds no form");
}

void FormControls::CreateChildren(const StoredComponent& parent, HWND parent_window,
                                  HFONT parent_font, const std::string& parent_face,
                                  int parent_height) {
  const HINSTANCE instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(form_, GWLP_HINSTANCE));
  std::vector<const StoredComponent*> children;
  for (const StoredComponent& component : layout_) {
    if (component.parent == parent.name && component.kind != KIND_OPEN_DIALOG)
      children.push_back(&component);
  }
  std::stable_sort(children.begin(), children.end(),
                   [](const auto* a, const auto* b) { return a->tab_order < b->tab_order; });

  // The form's own font serves every control that names none of its own.
  if (!parent_font) {
    fonts_.emplace_back(CreateFontA(scale_(parent_height), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE,
                                    SHIFTJIS_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                                    DEFAULT_QUALITY, DEFAULT_PITCH, parent_face.c_str()));
    parent_font = fonts_.back().get();
  }

  for (const StoredComponent* child : children) {
    const ControlClass control = ClassOf(*child, instance);
    const HWND window = CreateWindowExA(
        control.extended_style, control.name, child->caption.c_str(),
        WS_CHILD | control.style | (child->Has(OPT_VISIBLE) ? WS_VISIBLE : 0), scale_(child->left),
        scale_(child->top), scale_(child->width), scale_(child->height), parent_window,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(child->id)), instance, nullptr);
    if (!window)
      throw std::runtime_error("cannot create control " + child->name);
    windows_.emplace(child->name, window);

    const std::string& face = child->font_face.empty() ? parent_face : child->font_face;
    const int height = child->font_height == 0 ? parent_height : child->font_height;
    HFONT font = parent_font;
    if (face != parent_face || height != parent_height) {
      font = CreateLayoutFont(face, height);
    }
    SendMessageA(window, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);

    if (child->kind == KIND_LABEL) {
      FitToText(window, font);
    }
    if (child->kind == KIND_MEMO) {
      SendMessageA(window, EM_SETLIMITTEXT, 0, 0);  // as much as the control can hold
    }
    if (child->kind == KIND_LIST_BOX && child->item_height != 0) {
      SendMessageA(window, LB_SETITEMHEIGHT, 0, scale_(child->item_height));
    }
    if (child->Has(OPT_DOCK_TOP) || child->Has(OPT_DOCK_FILL)) {
      docked_.push_back({window, child->Has(OPT_DOCK_FILL), scale_(child->height)});
    }
    CreateChildren(*child, window, font, face, height);
  }
}

HFONT FormControls::CreateLayoutFont(const std::string& face, int height) {
  fonts_.emplace_back(CreateFontA(scale_(height), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE,
                                  SHIFTJIS_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                                  DEFAULT_QUALITY, DEFAULT_PITCH, face.c_str()));
  return fonts_.back().get();
}

HWND FormControls::operator[](std::string_view name) const {
  const auto found = windows_.find(name);
  if (found == windows_.end())
    throw std::logic_error("stored layout lacks " + std::string(name));
  return found->second;
}

void FormControls::ArrangeDocked() const {
  RECT client;
  GetClientRect(form_, &client);
  int top = 0;
  for (const Docked& docked : docked_) {
    if (!docked.fill) {
      MoveWindow(docked.window, 0, top, client.right, docked.height, TRUE);
      top += docked.height;
    }
  }
  for (const Docked& docked : docked_) {
    if (docked.fill) {
      MoveWindow(docked.window, 0, top, client.right, std::max(0L, client.bottom - top), TRUE);
    }
  }
}

}  // namespace marrowpin::main
