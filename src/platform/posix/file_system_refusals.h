#pragma once

namespace marrowpin {

// Operations the staging of an output takes its file system to refuse, as a
// file system that lacks them does, so that the fallbacks such a file system
// needs can be taken on any (the tests take them). The programs refuse none.
struct FileSystemRefusals {
  // Files made without a name (O_TMPFILE), refused as with EOPNOTSUPP.
  bool unnamed_files = false;
  // A rename that never replaces (RENAME_NOREPLACE), refused as with EINVAL.
  bool rename_without_replacing = false;
};

}  // namespace marrowpin
