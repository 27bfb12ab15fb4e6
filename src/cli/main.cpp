// marrowpin-cli: converts note files without a window, for scripts. main()
// connects the real streams, file services and environment to the run.
//
// A closed pipe on stdout ends the program by SIGPIPE, as it does other
// command-line tools, unless the caller ignores that signal: the write then
// fails with EPIPE like any other.

#include <clocale>
#include <cstdio>
#include <cstdlib>

#include "cli/run.h"
#include "platform/file_identity.h"
#include "platform/locale_charset.h"
#include "platform/native_file_system.h"
#include "platform/program_arguments.h"
#include "platform/removal_on_interrupt.h"
#include "platform/user_language.h"
#ifndef _WIN32
#include "platform/posix/standard_descriptors.h"
#endif

int main(int argc, char** argv) {
  using namespace marrowpin;
#ifndef _WIN32
  OpenClosedStandardDescriptors();
#endif
  // The system's reasons follow the user's locale, and names are printed as
  // they are only where its character set shows them as printable characters.
  std::setlocale(LC_ALL, "");
  RemoveTemporaryFilesOnInterrupt();
  NativeFileSystem files;
  const cli::ConsoleStreams streams{stdin,
                                    stdout,
                                    stderr,
                                    StandardStreamId(StandardStream::kInput),
                                    StandardStreamId(StandardStream::kOutput),
                                    StandardStreamId(StandardStream::kError)};
  const cli::ConsoleEnvironment environment{[](const char* name) { return std::getenv(name); },
                                            LocaleCharset(), UserInterfaceLanguage()};
  return cli::Run(ProgramArguments(argc, argv), files, streams, environment);
}
