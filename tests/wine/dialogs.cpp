#include "dialogs.h"

#include "support/golden_texts.h"
#include "unicode_text.h"

namespace marrowpin::wine_tests {

namespace {

constexpr int kMessageTextId = 0xFFFF;
constexpr int kMessageBoxIconId = 0x0440;
constexpr int kFileNameFieldId = 0x047C;

void Expect(bool condition, const std::string& failure) {
  if (!condition) throw TestFailure(failure);
}

void ExpectText(const std::string& what, const std::string& actual, std::string_view expected) {
  Expect(actual == expected,
         what + " is \"" + Printable(actual) + "\", expected \"" + Printable(expected) + "\"");
}

std::string MessageText(HWND box) {
  const HWND text = GetDlgItem(box, kMessageTextId);
  Expect(text != nullptr, "dialog shows no message text");
  return WindowText(text);
}

bool HasIcon(HWND box) {
  const HWND icon = GetDlgItem(box, kMessageBoxIconId);
  DWORD_PTR shown = 0;
  return icon != nullptr &&
         SendMessageTimeoutW(icon, STM_GETICON, 0, 0, SMTO_ABORTIFHUNG, kTimeoutMs, &shown) &&
         shown != 0;
}

void WaitClosed(HWND dialog) {
  Expect(WaitUntil([&] { return !IsWindow(dialog) || !IsWindowVisible(dialog); }),
         "dialog did not close");
}

void Press(HWND dialog, int button_id) {
  const HWND button = GetDlgItem(dialog, button_id);
  Expect(button != nullptr, "dialog lacks button " + std::to_string(button_id));
  PostMessageW(button, BM_CLICK, 0, 0);
  WaitClosed(dialog);
}

void SetFileName(HWND dialog, const std::string& text) {
  const HWND field = FindDescendant(dialog, L"Edit", kFileNameFieldId);
  Expect(field != nullptr, "file dialog has no file name field");
  ReplaceWindowText(field, text);
}

}  // namespace

void AnswerMessage(RemoteProgram& program, std::string_view text, WPARAM key) {
  const HWND box = program.WaitForDialog();
  ExpectText("message", MessageText(box), text);
  ExpectText("message caption", WindowText(box), golden::kApplicationTitle);
  Expect(GetDlgItem(box, IDYES) == nullptr && GetDlgItem(box, IDOK) != nullptr && !HasIcon(box),
         "message \"" + Printable(text) + "\" is not in the message window");
  if (key == 0) {
    Press(box, IDOK);
  } else {
    PostMessageW(GetDlgItem(box, IDOK), WM_KEYDOWN, key, 0);
    WaitClosed(box);
  }
}

void AnswerFailure(RemoteProgram& program, std::string_view before_reason) {
  const HWND box = program.WaitForDialog();
  const std::string text = MessageText(box);
  Expect(text.size() > before_reason.size() &&
             text.compare(0, before_reason.size(), before_reason) == 0,
         "failure is \"" + Printable(text) + "\", expected \"" + Printable(before_reason) +
             "\" and a reason");
  ExpectText("message caption", WindowText(box), golden::kApplicationTitle);
  Press(box, IDOK);
}

void AnswerQuestion(RemoteProgram& program, std::string_view text, std::string_view caption,
                    bool yes) {
  const HWND box = program.WaitForDialog();
  ExpectText("question", MessageText(box), text);
  ExpectText("question caption", WindowText(box), caption);
  Expect(GetDlgItem(box, IDYES) != nullptr && GetDlgItem(box, IDNO) != nullptr && !HasIcon(box),
         "question \"" + Printable(text) + "\" is not a yes/no box without icon");
  Press(box, yes ? IDYES : IDNO);
}

void AnswerErrorBox(RemoteProgram& program, std::string_view message) {
  const HWND box = program.WaitForDialog();
  ExpectText("error", MessageText(box), std::string(message) + ".");
  ExpectText("error caption", WindowText(box), golden::kApplicationTitle);
  Expect(HasIcon(box) && GetDlgItem(box, IDYES) == nullptr, "error box shows no icon");
  Press(box, IDOK);
}

bool IsTopmost(HWND box) {
  return (GetWindowLongW(box, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
}

std::string FrontState(HWND box) {
  return std::string(IsTopmost(box) ? "topmost" : "not topmost") +
         (GetForegroundWindow() == box ? ", in the foreground" : ", not in the foreground");
}

bool ComesToTheFront(HWND box) {
  return WaitUntil([&] { return IsTopmost(box) && GetForegroundWindow() == box; }, 2000);
}

HWND WaitForFileDialog(RemoteProgram& program, std::string_view title) {
  const HWND dialog = program.WaitForDialog();
  Expect(WaitUntil([&] { return FindDescendant(dialog, L"Edit", kFileNameFieldId) != nullptr; }),
         "dialog is not a file dialog: " + Printable(WindowText(dialog)));
  if (!title.empty()) ExpectText("file dialog title", WindowText(dialog), title);
  return dialog;
}

void ChooseFiles(HWND dialog, const std::string& folder, const std::vector<std::string>& names) {
  // The dialog changes to a folder typed into its name field.
  SetFileName(dialog, folder);
  DWORD_PTR result;
  SendMessageTimeoutW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                      reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDOK)), SMTO_ABORTIFHUNG,
                      kTimeoutMs, &result);
  std::string typed;
  if (names.size() == 1) {
    typed = names.front();
  } else {
    for (const std::string& name : names)
      typed += (typed.empty() ? "\"" : " \"") + name + "\"";
  }
  SetFileName(dialog, typed);
  PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDOK)));
  WaitClosed(dialog);
}

std::string FileNameField(HWND dialog) {
  const HWND field = FindDescendant(dialog, L"Edit", kFileNameFieldId);
  Expect(field != nullptr, "file dialog has no file name field");
  return WindowText(field);
}

void CancelFileDialog(HWND dialog) {
  PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDCANCEL)));
  WaitClosed(dialog);
}

}  // namespace marrowpin::wine_tests
