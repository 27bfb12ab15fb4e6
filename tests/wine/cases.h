#pragma once

#include "suite.h"

// The groups of cases, in the order the driver runs them.
namespace marrowpin::wine_tests {

void CommandLineCases(Suite& suite);
void FileListCases(Suite& suite);
void BatchCases(Suite& suite);
void BlankLineCases(Suite& suite);
void PromptCases(Suite& suite);
void FailureCases(Suite& suite);
// Names Windows would read as devices or patterns, and sources from a bare
// root or relative to a drive.
void NameRuleCases(Suite& suite);
// Japanese and Korean names of notes, folders and outputs.
void UnicodeNameCases(Suite& suite);
// The console program's texts as a console shows them, and its language.
void ConsoleCases(Suite& suite);
// Odd bytes and long lines, which must pass through the window unchanged.
void OddInputCases(Suite& suite);
// Sources of many megabytes, with the times they take.
void LargeInputCases(Suite& suite);

}  // namespace marrowpin::wine_tests
