#include "main/frm_main.h"

#include <shellapi.h>

#include <algorithm>
#include <stdexcept>

#include "core/convert_file.h"
#include "core/messages.h"
#include "main/frm_main_layout.h"
#include "main/resource_ids.h"
#include "win/wide_text.h"
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
      OpenDialog1_(win::FindComponent(FrmMainLayout(), "OpenDialog1")),
      OpenDialog2_(win::FindComponent(FrmMainLayout(), "OpenDialog2")),
      prompts_(owner, OpenDialog2_) {
  SetWindowLongPtrW(window_.get(), GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  controls_.ArrangeDocked();

  if (arguments.size() > 1) {
    ConvertFile(arguments[1]);
    PostQuitMessage(0);
  }
  DragAcceptFiles(window_.get(), TRUE);
}

TfrmMain::~TfrmMain() = default;

bool TfrmMain::ConvertFile(const std::string& source_path) {
  const ConversionServices services{ListBox1_,      prompts_,  files_,
                                    bitmap_header_, messages_, NativePathStyle()};
  return marrowpin::ConvertFile(source_path, services);
}

void TfrmMain::CenterOnDesktop() {
  RECT bounds;
  GetWindowRect(window_.get(), &bounds);
  const int width = bounds.right - bounds.left;
  const int height = bounds.bottom - bounds.top;
  const int left =
      GetSystemMetrics(SM_XVIRTUALSCREEN) + (GetSystemMetrics(SM_CXVIRTUALSCREEN) - width) / 2;
  const int top =
      GetSystemMetrics(SM_YVIRTUALSCREEN) + (GetSystemMetrics(SM_CYVIRTUALSCREEN) - height) / 2;
  SetWindowPos(window_.get(), nullptr, std::max(0, left), std::max(0, top), 0, 0,
               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TfrmMain::WMShowWindow() {
  if (!shown_before_ && FormComponent().Has(win::kDesktopCenter)) {
    CenterOnDesktop();
  }
  shown_before_ = true;
  FormShow();
}

void TfrmMain::FormShow() {
  finList_.Clear();
}

void TfrmMain::FormResize() {
  controls_.ArrangeDocked();
}

void TfrmMain::BtnReadClick() {
  finList_.Clear();
  for (const std::string& path : OpenDialog1_.Execute(window_.get())) {
    finList_.Append(path);
  }
}

void TfrmMain::WMDropFiles(HDROP drop) {
  struct DropRelease {
    HDROP drop;
    ~DropRelease() { DragFinish(drop); }
  } release{drop};

  finList_.Clear();
  const UINT count = DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
  for (UINT i = 0; i < count; ++i) {
    wchar_t path[kDroppedPathBuffer] = {};
    DragQueryFileW(drop, i, path, kDroppedPathBuffer);
    finList_.Append(win::Utf8(path));
  }
}

void TfrmMain::Button1Click() {
  bool all_converted = true;
  for (int i = 0; i < finList_.Count(); ++i) {
    if (!ConvertFile(finList_.Line(i))) {
      all_converted = false;
    }
  }
  prompts_.ShowMessage(all_converted ? messages_.texts().all_converted
                                     : messages_.texts().some_failed);
}

void TfrmMain::mnuExitClick() {
  SendMessageW(window_.get(), WM_CLOSE, 0, 0);
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
