#pragma once

#include <windows.h>

#include <string>
#include <string_view>
#include <vector>

#include "remote_program.h"

// Answering the program's dialogs as a user would, checking their texts.
namespace marrowpin::wine_tests {

// The program's own message window: the text, the application's title as
// caption, one OK button. Closed with the given key (VK_RETURN or VK_ESCAPE)
// or, with 0, by a click on OK.
void AnswerMessage(RemoteProgram& program, std::string_view text, WPARAM key = 0);

// A failure in the message window: the text before the reason as given,
// then the system's reason, which must not be empty.
void AnswerFailure(RemoteProgram& program, std::string_view before_reason);

// A yes/no message box with text and caption and no icon.
void AnswerQuestion(RemoteProgram& program, std::string_view text, std::string_view caption,
                    bool yes);

// An error box (stop icon) with the application's title, showing message
// with the "." the box adds to it.
void AnswerErrorBox(RemoteProgram& program, std::string_view message);

// Whether a window stays above other programs' windows (WS_EX_TOPMOST).
bool IsTopmost(HWND window);
// Whether a box stays above other programs' windows (WS_EX_TOPMOST) and
// has the foreground: so come those with no window of the program to own
// them, in the command-line mode.
bool ComesToTheFront(HWND box);
// As much of that as holds, for a failure's message.
std::string FrontState(HWND box);

// A file dialog, waited for; its title is checked unless title is empty.
HWND WaitForFileDialog(RemoteProgram& program, std::string_view title);
// Chooses names (quoted when several) in folder, and presses OK.
void ChooseFiles(HWND dialog, const std::string& folder, const std::vector<std::string>& names);
void CancelFileDialog(HWND dialog);
// The text of a file dialog's name field.
std::string FileNameField(HWND dialog);

}  // namespace marrowpin::wine_tests
