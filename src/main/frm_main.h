#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/messages.h"
#include "decode/bitmap_header_template.h"
#include "main/window_batch.h"
#include "main/window_owner.h"
#include "main/window_prompts.h"
#include "platform/native_file_system.h"
#include "win/form_controls.h"
#include "win/form_keyboard.h"
#include "win/list_box_line_buffer.h"
#include "win/memo_lines.h"
#include "win/open_dialog.h"
#include "win_text/batch_texts.h"
#include "win_text/window_texts.h"

namespace marrowpin::main {

// The main window: the list of source files, the buttons that fill it and
// convert it, and the hidden list box that holds the file being converted.
class TfrmMain {
 public:
  // Builds the window from its layout. Given paths in arguments (the
  // command line's, the program's own path first), converts them at once,
  // in order, a folder standing for its notes, and asks the application to
  // end. Throws what the conversion throws (a source that cannot be opened).
  TfrmMain(const WindowOwner& owner, const std::vector<std::string>& arguments);
  ~TfrmMain();
  TfrmMain(const TfrmMain&) = delete;
  TfrmMain& operator=(const TfrmMain&) = delete;

  const WindowOwner& Owner() const { return owner_; }
  // nullptr once the window has been destroyed.
  HWND Handle() const { return window_.get(); }

  // Converts one source file (a UTF-8 path) with this window's line buffer
  // and prompts.
  bool ConvertFile(const std::string& source_path);

  // Takes the window's keys before they are dispatched: Tab and Shift+Tab,
  // Enter on a button, the shortcuts and Esc; whether it took the message.
  bool TakeKeys(MSG& message) { return keyboard_.TakeMessage(message); }

  // Handlers, called by the window procedure.
  void WMShowWindow();
  // The window is left, or becomes active again: the focus stays where it was.
  void WMActivate(bool active);
  void FormShow();
  void FormResize();
  // The window moved to a screen of another scale: it takes the suggested
  // bounds and lays itself out again at the new dpi.
  void WMDpiChanged(int dpi, const RECT& suggested);
  void BtnReadClick();
  void WMDropFiles(HDROP drop);
  void Button1Click();
  void mnuExitClick();
  // Whether the window may close now. While a batch or a folder scan runs,
  // the request is kept: the work ends after the note in hand, and then the
  // window closes.
  bool WMClose();
  // Esc: during a batch, the batch ends after the note in hand; otherwise
  // nothing happens, so that no key loses the list.
  void Escape();
  // Whether the session may end now (`flags` the query's lParam): not while
  // notes are converted, unless Windows forces the end; then the note in
  // hand leaves nothing behind, and the program ends at once.
  bool WMQueryEndSession(std::uint32_t flags);
  // The session ends (`ending`), or goes on after the window refused, which
  // the user may override with no further word: the note in hand leaves
  // nothing behind, and the program ends at once.
  void WMEndSession(bool ending);
  void WMDestroy();

 private:
  struct WindowDestroyer {
    void operator()(HWND window) const;
  };
  using Window = std::unique_ptr<std::remove_pointer_t<HWND>, WindowDestroyer>;

  void CenterOnDesktop();
  void ApplyDpi(int dpi);
  // Runs steps as the window's batch, which has ended when this returns;
  // whether the window was asked to close meanwhile, which the caller then
  // does. What steps throw ends the batch and is thrown on, unless a close
  // was asked for: then it is shown, so that the close still happens.
  bool RunAsBatch(WindowBatch::Work work, const std::function<void(WindowBatch&)>& steps);
  // Converts every line of the list in turn; the lines that failed go into
  // failed, and so do those left when Esc stopped the batch.
  void ConvertList(WindowBatch& batch, std::vector<win_text::FailedLine>& failed);
  // Converts the paths the command line gives, in order.
  void ConvertArguments(const std::vector<std::string>& paths);
  // The paths the shell handed over (dropped, or given on the command line)
  // with every folder among them replaced by its notes; scanning stops early
  // when the window is asked to close.
  std::vector<std::string> DroppedNotes(const std::vector<std::string>& dropped, WindowBatch& batch,
                                        bool& folder_dropped);
  // Sends the window the request that the close box sends.
  void Close();
  // Removes the note in hand's temporary file and ends the program.
  [[noreturn]] void EndWithSession();

  const WindowOwner& owner_;
  win::DpiScale scale_;
  Window window_;
  win::FormControls controls_;
  win::MemoLines finList_;
  win::ListBoxLineBuffer ListBox1_;
  win::FormKeyboard keyboard_;
  win::OpenDialog OpenDialog1_;
  win::OpenDialog OpenDialog2_;
  WindowPrompts prompts_;
  NativeFileSystem files_;
  BitmapHeaderTemplate bitmap_header_;
  const Messages messages_{win_text::kConversionTexts};
  bool shown_before_ = false;
  // While a batch, a folder scan or the command line's conversions run.
  std::optional<WindowBatch> batch_;
};

// The single main window, once its constructor has returned.
extern TfrmMain* frmMain;

// Registers the main window's class; returns its name.
const wchar_t* RegisterMainWindowClass(HINSTANCE instance);

}  // namespace marrowpin::main
