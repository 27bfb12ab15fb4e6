#include "main/frm_main.h"

#include <shellapi.h>

#include <exception>
#include <stdexcept>

#include "core/convert_file.h"
#include "core/messages.h"
#include "main/frm_main_layout.h"
#include "main/resource_ids.h"
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
  files_.WordReasonsIn(messages_.texts());
  files_.SetRetryPause([this](std::chrono::milliseconds pause) {
    if (batch_) {
      batch_->Wait(pause);
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
  const ConversionServices services{
      ListBox1_, prompts_,          files_,  bitmap_header_,
      messages_, NativePathStyle(), nullptr, batch_ ? &*batch_ : nullptr};
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
  if (batch_) return;
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
  if (batch_) return;

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
  if (RunAsBatch(WindowBatch::Work::kFolderScan, [&](WindowBatch& batch) {
        listed = DroppedNotes(dropped, batch, folder_dropped);
      })) {
    Close();
    return;
  }
  finList_.Assign(listed);
  if (listed.empty() && folder_dropped) {
    prompts_.ShowMessage(std::string(win_text::kNoNotesDropped));
  }
}

std::vector<std::string> TfrmMain::DroppedNotes(const std::vector<std::string>& dropped,
                                                WindowBatch& batch, bool& folder_dropped) {
  std::vector<std::string> listed;
  for (const std::string& path : dropped) {
    if (!IsFolder(path)) {
      listed.push_back(path);
      continue;
    }
    folder_dropped = true;
    const std::vector<std::string> notes =
        win::NotesInFolder(path, [&batch] { return batch.KeepAnswering(); });
    listed.insert(listed.end(), notes.begin(), notes.end());
    if (batch.CloseRequested()) break;
  }
  return listed;
}

void TfrmMain::Button1Click() {
  if (batch_) return;
  std::vector<win_text::FailedLine> failed;
  if (RunAsBatch(WindowBatch::Work::kConversion,
                 [&](WindowBatch& batch) { ConvertList(batch, failed); })) {
    Close();
    return;
  }
  const messages::Texts& texts = messages_.texts();
  prompts_.ShowMessage(failed.empty() ? std::string(texts.all_converted)
                                      : win_text::WithFailedLines(texts.some_failed, failed));
}

bool TfrmMain::RunAsBatch(WindowBatch::Work work, const std::function<void(WindowBatch&)>& steps) {
  batch_.emplace(
      window_.get(),
      std::vector<HWND>{controls_["BtnRead"], controls_["Button1"], controls_["finList"]},
      keyboard_, work);
  std::exception_ptr error;
  try {
    steps(*batch_);
  } catch (...) {
    error = std::current_exception();
  }
  const bool close_requested = batch_->CloseRequested();
  // The window is itself again before anything is shown.
  batch_.reset();
  if (error && !close_requested) std::rethrow_exception(error);
  if (error) owner_.ShowError(error);
  return close_requested;
}

void TfrmMain::ConvertList(WindowBatch& batch, std::vector<win_text::FailedLine>& failed) {
  for (int i = 0; i < finList_.Count(); ++i) {
    batch.StartNote(i + 1, finList_.Count());
    if (!batch.KeepAnswering()) return;
    if (batch.StopRequested()) {
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
  // The program ends after them, asked to close or not.
  RunAsBatch(WindowBatch::Work::kConversion, [&](WindowBatch& batch) {
    bool folder_given = false;
    const std::vector<std::string> notes = DroppedNotes(paths, batch, folder_given);
    if (notes.empty() && folder_given) {
      prompts_.ShowMessage(std::string(win_text::kNoNotesDropped));
    }
    const int count = static_cast<int>(notes.size());
    for (int i = 0; i < count && !batch.CloseRequested(); ++i) {
      batch.StartNote(i + 1, count);
      prompts_.StartNote(notes[i]);
      ConvertFile(notes[i]);
    }
  });
}

void TfrmMain::Close() {
  SendMessageW(window_.get(), WM_CLOSE, 0, 0);
}

void TfrmMain::mnuExitClick() {
  if (!batch_) Close();
}

bool TfrmMain::WMClose() {
  if (!batch_) return true;
  batch_->RequestClose();
  return false;
}

void TfrmMain::Escape() {
  if (batch_) batch_->RequestStop();
}

bool TfrmMain::WMQueryEndSession(std::uint32_t flags) {
  // Without a batch nothing of the window's own is at stake.
  if (!batch_) return true;
  const SessionEndAnswer answer = batch_->AnswerSessionEndQuery(flags);
  if (answer == SessionEndAnswer::kCleanUpAndEnd) EndWithSession();
  return answer == SessionEndAnswer::kLetEnd;
}

void TfrmMain::WMEndSession(bool ending) {
  if (batch_ && batch_->AnswerSessionEnd(ending) == SessionEndAnswer::kCleanUpAndEnd)
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
