#pragma once

namespace marrowpin {

// Opens /dev/null as each of standard input, output and error that is
// closed, so that no file the program opens later takes its number and
// receives what is meant for the stream. Called once, first thing.
void OpenClosedStandardDescriptors();

}  // namespace marrowpin
