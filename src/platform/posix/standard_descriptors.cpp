#include "platform/posix/standard_descriptors.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

namespace marrowpin {

void OpenClosedStandardDescriptors() {
  for (int fd = STDIN_FILENO; fd <= STDERR_FILENO; ++fd) {
    if (::fcntl(fd, F_GETFD) != -1 || errno != EBADF) continue;
    // The lowest free number is this one: every number below it is open.
    const int opened = ::open("/dev/null", O_RDWR);
    if (opened != fd && opened >= 0) ::close(opened);
  }
}

}  // namespace marrowpin
