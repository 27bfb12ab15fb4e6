#include "platform/write_text.h"

#include <io.h>
#include <windows.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "platform/windows/system_error_text.h"
#include "win_text/utf16.h"

namespace marrowpin {

namespace {

// Consoles of older Windows refuse to take much more at once.
constexpr std::size_t kMaxConsolePiece = 8192;

// Why the last write through the C library failed: the system's own word
// where the library kept its error code.
std::string WhyTheStreamFailed() {
  return _doserrno != 0 ? SystemErrorText(_doserrno)
         : errno != 0   ? std::strerror(errno)
                        : "write error";
}

// Writes text through the C library's stream and flushes the stream.
bool WriteThroughStream(std::FILE* stream, std::string_view text, std::string* failure_reason) {
  errno = 0;
  _doserrno = 0;
  if (std::fwrite(text.data(), 1, text.size(), stream) == text.size() && std::fflush(stream) == 0 &&
      !std::ferror(stream)) {
    return true;
  }
  *failure_reason = WhyTheStreamFailed();
  return false;
}

bool WriteToConsole(HANDLE console, std::string_view text, std::string* failure_reason) {
  const std::wstring wide = win_text::Utf16FromUtf8<wchar_t>(text);
  for (std::size_t done = 0; done < wide.size();) {
    std::size_t piece = std::min(wide.size() - done, kMaxConsolePiece);
    // A surrogate pair is not split between two writes.
    if (done + piece < wide.size() && IS_HIGH_SURROGATE(wide[done + piece - 1])) --piece;
    DWORD written = 0;
    if (!WriteConsoleW(console, wide.data() + done, static_cast<DWORD>(piece), &written, nullptr)) {
      *failure_reason = SystemErrorText(GetLastError());
      return false;
    }
    if (written == 0) {
      *failure_reason = SystemErrorText(ERROR_WRITE_FAULT);
      return false;
    }
    done += written;
  }
  return true;
}

}  // namespace

bool WriteText(std::FILE* stream, std::string_view text, std::string* failure_reason) {
  const HANDLE handle = reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(stream)));
  DWORD mode = 0;
  if (handle == INVALID_HANDLE_VALUE || !GetConsoleMode(handle, &mode)) {
    return WriteThroughStream(stream, text, failure_reason);
  }
  // Whatever the stream still holds comes first.
  return WriteThroughStream(stream, {}, failure_reason) &&
         WriteToConsole(handle, text, failure_reason);
}

}  // namespace marrowpin
