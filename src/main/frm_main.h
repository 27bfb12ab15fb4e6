#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "decode/bitmap_header_template.h"
#include "main/form_controls.h"
#include "main/list_box_line_buffer.h"
#include "main/memo_lines.h"
#include "main/open_dialog.h"
#include "main/stored_layout.h"
#include "main/window_prompts.h"
#include "platform/native_file_system.h"

namespace marrowpin::app {
class Application;
}

namespace marrowpin::main {

// The main window: the list of source files, the buttons that fill it and
// convert it, and the hidden list box that holds the file being converted.
class TfrmMain {
 public:
  // Builds the window from its stored layout. Given a file on the command
  // line, converts it at once and asks the application to end. Throws what
  // the conversion throws (a source that cannot be opened).
  explicit TfrmMain(app::Application& owner);
  ~TfrmMain();
  TfrmMain(const TfrmMain&) = delete;
  TfrmMain& operator=(const TfrmMain&) = delete;

  app::Application& Owner() const { return owner_; }
  // nullptr once the window has been destroyed.
  HWND Handle() const { return window_.get(); }

  // Converts one source file with this window's line buffer and prompts.
  bool ConvertFile(const std::string& source_path);

  // Handlers, called by the window procedure.
  void WMShowWindow();
  void FormShow();
  void FormResize();
  void BtnReadClick();
  void WMDropFiles(HDROP drop);
  void Button1Click();
  void mnuExitClick();
  void WMDestroy();

 private:
  struct WindowDestroyer {
    void operator()(HWND window) const;
  };
  using Window = std::unique_ptr<std::remove_pointer_t<HWND>, WindowDestroyer>;

  void CenterOnDesktop();

  app::Application& owner_;
  DpiScale scale_;
  StoredLayout layout_;
  Window window_;
  FormControls controls_;
  MemoLines finList_;
  ListBoxLineBuffer ListBox1_;
  OpenDialog OpenDialog1_;
  OpenDialog OpenDialog2_;
  WindowPrompts prompts_;
  NativeFileSystem files_;
  BitmapHeaderTemplate bitmap_header_;
  bool shown_before_ = false;
};

// The single main window, once its constructor has returned.
extern TfrmMain* frmMain;

// Registers the main window's class; returns its name.
const char* RegisterMainWindowClass(HINSTANCE instance);

}  // namespace marrowpin::main
