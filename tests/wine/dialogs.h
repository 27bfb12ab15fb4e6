#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "remote_program.h"

// Answering the program's dialogs as a user would, checking their texts.
namespace marrowpin::wine_tests {

// The program's own message window: the text, the application's title as
// caption, one OK button. Closed with the given key (VK_RETURN or VK_ESCAPE)
// or, with 0, by a click on OK.
void AnswerMessage(RemoteProgram& program, const std::string& text, WPARAM key = 0);

// A yes/no message box with text and caption and no icon.
void AnswerQuestion(RemoteProgram& program, const std::string& text, const std::string& caption,
                    bool yes);

// An error box (stop icon) with text and the application's title.
void AnswerErrorBox(RemoteProgram& program, const std::string& text);

// A file dialog, waited for; its title is checked unless title is empty.
HWND WaitForFileDialog(RemoteProgram& program, const std::string& title);
// Chooses names (quoted when several) in folder, and presses OK.
void ChooseFiles(HWND dialog, const std::string& folder, const std::vector<std::string>& names);
void CancelFileDialog(HWND dialog);
// The text of a file dialog's name field.
std::string FileNameField(HWND dialog);

}  // namespace marrowpin::wine_tests
