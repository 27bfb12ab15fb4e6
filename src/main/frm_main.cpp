#include "main/frm_main.h"

#include <shellapi.h>

#include <stdexcept>

#include "core/convert_file.h"
#include "core/messages.h"
#include "main/busy_window.h"
#include "main/frm_main_layout.h"
#include "main/resource_ids.h"
#include "main/session_end.h"
#include "platform/removal_on_interrupt.h"
#include "platform/windows/wide_path.h"
#include "win/folder_notes.h"
#include "win/monitor_work_area.h"
#include "win/wide_text.h"
#include "win/window_dpi.h"
#include "win_text/window_texts.h"

namespace marrowpin::main {

TfrmMain* frmMain = nullptr;

namespace {

// The drop handler's buffer: a longer path is cut to one character less.
constexpr UINT kDroppedPathBuffer = 1024;

const win::LayoutComponent& FormComponent() {
  return win::FindComponent(FrmMainLayout(), "frmMain");
}

HWND CreateFormWindow(HINSTANCE instance, const win::DpiScale& scale) {
  const win::LayoutComponent& form = FormComponent();
  const DWORD style =
      WS_OVERLAPPEDWINDOW & (form.Has(win::kSizeable) ? ~0u : ~(WS_THICKFRAME | WS_MAXIMIZEBOX));
  const HWND window =
      CreateWindowExW(0, RegisterMainWindowClass(instance), win::Wide(form.caption).c_str(),
                      style | WS_CLIPCHILDREN, scale(form.left), scale(form.top), scale(form.width),
                      scale(form.height), nullptr,
                      LoadMenuW(instance, MAKEINTRESOURCEW(IDM_MAINMENU1)), instance, nullptr);
  if (!window) throw std::runtime_error(std::string(win_text::kCannotCreateMainWindow));
  return window;
}

bool IsFolder(const std::string& path) {
  const DWORD attributes = GetFileAttributesW(WidePath(path).c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

}  // namespace

// The window while a batch or a folder scan runs: it takes no input of its
// own, keeps answering, also through one long note, and remembers a request
// to close. While notes are converted, the end of the session waits and
// Windows is told why.
class TfrmMain::Busy final : public ConversionProgress {
 public:
  Busy(TfrmMain& form, bool converting)
      : form_(KeepingFocus(form)),
        converting_(converting),
        window_(form.Handle(),
                {form.controls_["BtnRead"], form.controls_["Button1"], form.controls_["finList"]},
                [&form](MSG& message) { return form.TakeKeys(message); }) {
    form_.busy_ = this;
    form_.stop_requested_ = false;
    if (converting_) {
      ShutdownBlockReasonCreate(form_.Handle(), win::Wide(win_text::kSessionEndWaits).c_str());
    }
  }
  ~Busy() override {
    if (converting_ && IsWindow(form_.Handle())) ShutdownBlockReasonDestroy(form_.Handle());
    form_.busy_ = nullptr;
  }
  Busy(const Busy&) = delete;
  Busy& operator=(const Busy&) = delete;

  bool converting() const { return converting_; }
  // Note `current` of `total` is taken in hand.
  void StartNote(int current, int total) {
    current_ = current;
    total_ = total;
    note_percent_ = -1;
    window_.ShowProgress(current, total);
  }
  // Keeps the window answering; false once it has been asked to close.
  bool KeepAnswering() {
    window_.KeepAnswering();
    return !form_.close_requested_;
  }
  // The note in hand has got this far.
  void Reached(std::uint64_t done, std::uint64_t total) override {
    if (total == 0) return;
    const int percent = static_cast<int>(done * 100 / total);
    if (percent != note_percent_) {
      note_percent_ = percent;
      window_.ShowProgress(current_, total_, percent);
    }
    window_.KeepAnswering();
  }
  // Waits before a file step is tried again, answering meanwhile.
  void Wait(std::chrono::milliseconds pause) { window_.WaitAnswering(pause); }

 private:
  // The control with the focus is kept before the busy window disables it,
  // so that it gets the focus back when the window is next activated.
  static TfrmMain& KeepingFocus(TfrmMain& form) {
    form.keyboard_.KeepFocus();
    return form;
  }

  TfrmMain& form_;
  bool converting_;
  BusyWindow window_;
  int current_ = 0;
  int total_ = 0;
  int note_percent_ = -1;
};

void TfrmMain::WindowDestroyer::operator()(HWND window) const {
  // Messages sent while the window goes away reach no half-destroyed object.
  SetWindowLongPtrW(window, GWLP_USERDATA, 0);
  DestroyWindow(window);
}

TfrmMain::TfrmMain(const WindowOwner& owner, const std::vector<std::string>& arguments)
    : owner_(owner),
      window_(CreateFormWindow(owner.Instance(), scale_)),
      controls_(window_.get(), FrmMainLayout(), scale_),
      finList_(controls_["finList"]),
      ListBox1_(controls_["ListBox1"]),
      // The buttons first, as the user meets them; then the list.
      keyboard_(window_.get(), {controls_["BtnRead"], controls_["Button1"], controls_["finList"]},
                LoadAcceleratorsW(owner.Instance(), MAKEINTRESOURCEW(IDA_SHORTCUTS)),
                [this] { Escape(); }),
      OpenDialog1_(win::FindComponent(FrmMainLayout(), "OpenDialog1")),
      OpenDialog2_(win::FindComponent(FrmMainLayout(), "OpenDialog2")),
      prompts_(owner, OpenDialog2_) {
  SetWindowLongPtrW(window_.get(), GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  // An output held by a scanner or viewer is tried again for a while: the
  // window goes on answering meanwhile.
  files_.SetRetryPause([this](std::chrono::milliseconds pause) {
    if (busy_) {
      busy_->Wait(pause);
    } else {
      SleepingPause(pause);
    }
  });
  // Screen readers name a control by the text just before it in z-order:
  // the list's is its label; the hidden text goes last, naming nothing.
  SetWindowPos(controls_["StaticText1"], HWND_BOTTOM, 0, 0, 0, 0,
               SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  controls_.ArrangeDocked();
  // Created at the system's scale; a screen of its own may differ.
  if (const int dpi = win::WindowDpi(window_.get()); dpi != scale_.Dpi()) ApplyDpi(dpi);

  if (arguments.size() > 1) {
    ConvertArguments({arguments.begin() + 1, arguments.end()});
    PostQuitMessage(0);
  }
  DragAcceptFiles(window_.get(), TRUE);
}

TfrmMain::~TfrmMain() = default;

bool TfrmMain::ConvertFile(const std::string& source_path) {
  const ConversionServices services{ListBox1_, prompts_,          files_,  bitmap_header_,
                                    messages_, NativePathStyle(), nullptr, busy_};
  return marrowpin::ConvertFile(source_path, services);
}

// In the work area of the monitor the window is on, not across the
// rectangle around all monitors, which would put it over a bezel.
void TfrmMain::CenterOnDesktop() {
  win::CentreOnMonitorOf(window_.get(), window_.get());
}

void TfrmMain::WMShowWindow() {
  if (!shown_before_ && FormComponent().Has(win::kDesktopCenter)) {
    CenterOnDesktop();
  }
  shown_before_ = true;
  FormShow();
}

void TfrmMain::WMActivate(bool active) {
  if (active) {
    keyboard_.Activated();
  } else {
    keyboard_.KeepFocus();
  }
}

void TfrmMain::FormShow() {
  finList_.Clear();
}

void TfrmMain::FormResize() {
  controls_.ArrangeDocked();
}

void TfrmMain::ApplyDpi(int dpi) {
  const win::LayoutComponent& form = FormComponent();
  scale_.SetDpi(dpi);
  controls_.Rescale();
  SetWindowPos(window_.get(), nullptr, 0, 0, scale_(form.width), scale_(form.height),
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TfrmMain::WMDpiChanged(int dpi, const RECT& suggested) {
  scale_.SetDpi(dpi);
  controls_.Rescale();
  SetWindowPos(window_.get(), nullptr, suggested.left, suggested.top,
               suggested.right - suggested.left, suggested.bottom - suggested.top,
               SWP_NOZORDER | SWP_NOACTIVATE);
}

void TfrmMain::BtnReadClick() {
  if (busy_) return;
  finList_.Clear();
  for (const std::string& path : OpenDialog1_.Execute(window_.get())) {
    finList_.Append(path);
  }
  if (OpenDialog1_.SelectionDidNotFit()) {
    prompts_.ShowMessage(std::string(win_text::kSelectionTooLong));
  }
}

void TfrmMain::WMDropFiles(HDROP drop) {
  struct DropRelease {
    HDROP drop;
    ~DropRelease() { DragFinish(drop); }
  } release{drop};
  // A drop that was on its way when the window became busy.
  if (busy_) return;

  finList_.Clear();
  const UINT count = DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
  std::vector<std::string> dropped;
  for (UINT i = 0; i < count; ++i) {
    wchar_t path[kDroppedPathBuffer] = {};
    DragQueryFileW(drop, i, path, kDroppedPathBuffer);
    dropped.push_back(win::Utf8(path));
  }
  bool folder_dropped = false;
  std::vector<std::string> listed;
  {
    Busy busy(*this, false);
    listed = DroppedNotes(dropped, busy, folder_dropped);
  }
  if (CloseIfRequested()) return;
  finList_.Assign(listed);
  if (listed.empty() && folder_dropped) {
    prompts_.ShowMessage(std::string(win_text::kNoNotesDropped));
  }
}

std::vector<std::string> TfrmMain::DroppedNotes(const std::vector<std::string>& dropped, Busy& busy,
                                                bool& folder_dropped) {
  std::vector<std::string> listed;
  for (const std::string& path : dropped) {
    if (!IsFolder(path)) {
      listed.push_back(path);
      continue;
    }
    folder_dropped = true;
    const std::vector<std::string> notes =
        win::NotesInFolder(path, [&busy] { return busy.KeepAnswering(); });
    listed.insert(listed.end(), notes.begin(), notes.end());
    if (close_requested_) break;
  }
  return listed;
}

void TfrmMain::Button1Click() {
  if (busy_) return;
  std::vector<win_text::FailedLine> failed;
  try {
    RunBatch(failed);
  } catch (...) {
    // The error ends the batch; a close asked for meanwhile still happens.
    if (!close_requested_) throw;
    owner_.ShowError(std::current_exception());
  }
  if (CloseIfRequested()) return;
  const messages::Texts& texts = messages_.texts();
  prompts_.ShowMessage(failed.empty() ? std::string(texts.all_converted)
                                      : win_text::WithFailedLines(texts.some_failed, failed));
}

void TfrmMain::RunBatch(std::vector<win_text::FailedLine>& failed) {
  Busy busy(*this, true);
  for (int i = 0; i < finList_.Count(); ++i) {
    busy.StartNote(i + 1, finList_.Count());
    if (!busy.KeepAnswering()) return;
    if (stop_requested_) {
      for (int left = i; left < finList_.Count(); ++left)
        failed.push_back({left + 1, finList_.Line(left)});
      return;
    }
    const std::string line = finList_.Line(i);
    const std::string path = win_text::PathOfListLine(line);
    prompts_.StartNote(path);
    if (!ConvertFile(path)) failed.push_back({i + 1, line});
  }
}

void TfrmMain::ConvertArguments(const std::vector<std::string>& paths) {
  Busy busy(*this, true);
  bool folder_given = false;
  const std::vector<std::string> notes = DroppedNotes(paths, busy, folder_given);
  if (notes.empty() && folder_given) {
    prompts_.ShowMessage(std::string(win_text::kNoNotesDropped));
  }
  const int count = static_cast<int>(notes.size());
  for (int i = 0; i < count && !close_requested_; ++i) {
    busy.StartNote(i + 1, count);
    prompts_.StartNote(notes[i]);
    ConvertFile(notes[i]);
  }
}

bool TfrmMain::CloseIfRequested() {
  if (!close_requested_) return false;
  close_requested_ = false;
  SendMessageW(window_.get(), WM_CLOSE, 0, 0);
  return true;
}

void TfrmMain::mnuExitClick() {
  if (busy_) return;
  SendMessageW(window_.get(), WM_CLOSE, 0, 0);
}

bool TfrmMain::WMClose() {
  if (!busy_) return true;
  close_requested_ = true;
  return false;
}

void TfrmMain::Escape() {
  if (busy_) stop_requested_ = true;
}

bool TfrmMain::WMQueryEndSession(std::uint32_t flags) {
  const SessionEndAnswer answer = AnswerQueryEndSession(busy_ && busy_->converting(), flags);
  if (answer == SessionEndAnswer::kCleanUpAndEnd) EndWithSession();
  refused_session_end_ = answer == SessionEndAnswer::kWait;
  return answer == SessionEndAnswer::kLetEnd;
}

void TfrmMain::WMEndSession(bool ending) {
  const bool refused = refused_session_end_;
  refused_session_end_ = false;
  if (AnswerEndSession(busy_ != nullptr, ending, refused) == SessionEndAnswer::kCleanUpAndEnd)
    EndWithSession();
}

void TfrmMain::EndWithSession() {
  // Removed before the handler returns, after which Windows may end the
  // program at any moment; ending it here keeps the batch from going on
  // half.
  RemoveTemporaryFilesNow();
  ExitProcess(0);
}

void TfrmMain::WMDestroy() {
  window_.release();
  // Closing the main window ends the program; a window that never became
  // the main one (its construction failed) does not.
  if (frmMain == this) {
    PostQuitMessage(0);
  }
}

}  // namespace marrowpin::main
