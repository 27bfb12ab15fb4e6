// Feeds arbitrary bytes to ConvertFile as a source file in a scratch folder.
// The first two input bytes script the answers to the prompts and the path
// style (POSIX, or Windows paths mapped onto the folder), the folder's
// layout, the size of the chunks the source is read in and the vector level;
// the rest is the source. Checks that the call returns, that only the output
// file is created or changed, only in the source's folder, under a name that
// is safe in that path style, and that it holds exactly the payload bytes
// that a plain reading of the rules gives.

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>
#include <optional>
#include <sstream>
#include <string>

#include "core/convert_file.h"
#include "core/error.h"
#include "core/messages.h"
#include "core/stream_line_source.h"
#include "platform/native_file_system.h"
#include "simd/vector_level.h"
#include "support/reference_rules.h"

namespace {

using marrowpin::BitmapHeaderTemplate;

void Require(bool condition, const char* what) {
  if (!condition) {
    std::fprintf(stderr, "invariant broken: %s\n", what);
    std::abort();
  }
}

// Answers taken from bits of a script byte. The name dialog is answered once
// with the scripted choice and cancelled after that, so that a "no" to every
// overwrite question cannot go round forever.
class ScriptedPrompts final : public marrowpin::UserPrompts {
 public:
  ScriptedPrompts(std::uint8_t script, bool windows) : script_(script), windows_(windows) {}

  void ShowMessage(const std::string&) override {}
  bool AskYesNo(marrowpin::Question question, const std::string&, const std::string&) override {
    if (question == marrowpin::Question::kAddBitmapHeader) {
      header_accepted_ = (script_ & 1) != 0;
      return header_accepted_;
    }
    return (script_ >> (1 + overwrite_questions_++ % 2) & 1) != 0;
  }
  std::optional<std::string> AskFileName(const marrowpin::NameRequest&, const std::string&,
                                         const std::string&) override {
    if (names_asked_++ > 0) return std::nullopt;
    switch (script_ >> 3 & 3) {
      case 0:
        return std::nullopt;
      case 1:
        return std::string(windows_ ? "C:\\elsewhere\\out.bin" : "out.bin");
      case 2:
        return std::string(" \t ");
      default:
        return std::string(windows_ ? "C:\\..\\climb\\out.bin" : "../climb/out.bin");
    }
  }
  bool header_accepted() const { return header_accepted_; }

 private:
  std::uint8_t script_;
  bool windows_;
  int overwrite_questions_ = 0;
  int names_asked_ = 0;
  bool header_accepted_ = false;
};

using Listing = std::map<std::string, std::string>;

// Every entry below folder with the content of its files ("/" marks folders).
void List(const std::string& folder, const std::string& prefix, Listing& listing) {
  DIR* dir = ::opendir(folder.c_str());
  Require(dir != nullptr, "scratch folder readable");
  while (const dirent* entry = ::readdir(dir)) {
    const std::string name = entry->d_name;
    if (name == "." || name == "..") continue;
    const std::string path = folder + "/" + name;
    struct stat info;
    Require(::lstat(path.c_str(), &info) == 0, "entry readable");
    if (S_ISDIR(info.st_mode)) {
      listing[prefix + name + "/"] = "";
      List(path, prefix + name + "/", listing);
    } else {
      std::ifstream file(path, std::ios::binary);
      std::ostringstream content;
      content << file.rdbuf();
      listing[prefix + name] = content.str();
    }
  }
  ::closedir(dir);
}

void RemoveAll(const std::string& folder) {
  Listing listing;
  List(folder, "", listing);
  for (auto it = listing.rbegin(); it != listing.rend(); ++it) {
    ::remove((folder + "/" + it->first).c_str());
  }
}

void WriteFile(const std::string& path, std::string_view bytes) {
  std::ofstream(path, std::ios::binary).write(bytes.data(), bytes.size());
}

const std::string& ScratchRoot();

void RemoveScratchRoot() {
  RemoveAll(ScratchRoot());
  ::rmdir(ScratchRoot().c_str());
}

// A folder of its own for this process under TMPDIR, removed when the fuzzer
// exits normally (after a crash it stays, with the input that caused it).
const std::string& ScratchRoot() {
  static const std::string root = [] {
    const char* temp = std::getenv("TMPDIR");
    std::string name =
        std::string(temp != nullptr && *temp != '\0' ? temp : "/tmp") + "/marrowpin-fuzz-XXXXXX";
    Require(::mkdtemp(name.data()) != nullptr, "scratch folder created");
    return name;
  }();
  static const bool removed_at_exit = std::atexit(RemoveScratchRoot) == 0;
  (void)removed_at_exit;
  return root;
}

// Windows paths on this machine: drive "C:" is the scratch root, and every
// "\" and "/" separates folders. Only the drive's own ":" may appear:
// anything else would name another drive or a stream.
class WindowsPathsOnPosix final : public marrowpin::FileSystem {
 public:
  explicit WindowsPathsOnPosix(std::string root) : root_(std::move(root)) {}

  bool FileExists(const std::string& path) override { return native_.FileExists(Mapped(path)); }
  marrowpin::Entry EntryAt(const std::string& path) override {
    return native_.EntryAt(Mapped(path));
  }
  std::string NotAFolderReason(const std::string& path) override {
    return native_.NotAFolderReason(Mapped(path));
  }
  std::optional<marrowpin::FileId> FileIdAt(const std::string& path) override {
    return native_.FileIdAt(Mapped(path));
  }
  std::unique_ptr<marrowpin::InputFile> OpenForReading(const std::string& path) override {
    return native_.OpenForReading(Mapped(path));
  }
  // The name's folders are walked from the folder, "\" and "/" alike.
  std::unique_ptr<marrowpin::OutputFile> CreateForWriting(const std::string& folder,
                                                          const std::string& name) override {
    Require(name.find(':') == std::string::npos, "no other drive or stream");
    std::string mapped_name = name;
    std::replace(mapped_name.begin(), mapped_name.end(), '\\', '/');
    return native_.CreateForWriting(Mapped(folder), mapped_name);
  }
  marrowpin::CreationFailure LastCreationFailure() const override {
    return native_.LastCreationFailure();
  }

 private:
  std::string Mapped(std::string_view path) const {
    Require(path.starts_with("C:\\"), "paths stay on the source's drive");
    Require(path.find(':', 2) == std::string_view::npos, "no other drive or stream");
    std::string mapped = root_;
    for (std::size_t i = 2; i < path.size(); ++i)
      mapped += path[i] == '\\' ? '/' : path[i];
    return mapped;
  }

  std::string root_;
  marrowpin::NativeFileSystem native_;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 2) return 0;
  const std::uint8_t script = data[0];
  const std::uint8_t layout = data[1];
  const std::string_view source_bytes(reinterpret_cast<const char*>(data + 2), size - 2);

  // root/notes/ holds the source; root/ itself must stay as it is.
  const std::string& root = ScratchRoot();
  RemoveAll(root);
  const std::string folder = root + "/notes";
  ::mkdir(folder.c_str(), 0700);
  const std::string source = folder + "/note.vnt";
  WriteFile(source, source_bytes);
  if (layout & 1) WriteFile(folder + "/out.bin", "existing");
  if (layout & 2) ::mkdir((folder + "/sub").c_str(), 0700);
  const bool windows = (script >> 5 & 1) != 0;

  Listing before;
  List(root, "", before);

  // Small chunks cut lines, keys and line ends apart.
  constexpr std::size_t kChunkSizes[] = {
      1, 2, 3, 7, 16, 64, 4096, marrowpin::StreamLineSource::kDefaultChunkSize};
  marrowpin::StreamLineSource lines(kChunkSizes[layout >> 2 & 7]);
  const auto& levels = marrowpin::simd::SupportedLevels();
  marrowpin::simd::SetActiveLevel(levels[(layout >> 5) % levels.size()]);
  ScriptedPrompts prompts(script, windows);
  marrowpin::NativeFileSystem posix_files;
  WindowsPathsOnPosix windows_files(root);
  BitmapHeaderTemplate bitmap_header;
  const marrowpin::Messages messages(marrowpin::messages::kJapanese);
  const marrowpin::ConversionServices services{
      lines,
      prompts,
      windows ? static_cast<marrowpin::FileSystem&>(windows_files) : posix_files,
      bitmap_header,
      messages,
      windows ? marrowpin::PathStyle::kWindowsUtf8 : marrowpin::PathStyle::kPosix};
  const bool converted = marrowpin::ConvertFile(windows ? "C:\\notes\\note.vnt" : source, services);

  Listing after;
  List(root, "", after);
  std::string changed;
  int changes = 0;
  for (const auto& [name, content] : after) {
    const auto old = before.find(name);
    if (old == before.end() || old->second != content) {
      changed = name;
      ++changes;
    }
  }
  for (const auto& [name, content] : before) {
    Require(after.count(name) == 1, "no entry removed");
  }
  Require(changes <= 1, "at most one file written");
  if (changes == 1) {
    Require(changed.rfind("notes/", 0) == 0, "output inside the source's folder");
    Require(changed.back() != '/', "no folder created");
    Require(!marrowpin::reference::IsUnsafeOutputName(changed.substr(6), false, windows),
            "output name safe in its path style");
  }

  bool payload_found = false;
  const std::string expected = marrowpin::reference::PayloadBytes(source_bytes, &payload_found);
  if (!payload_found) Require(!converted && changes == 0, "no payload, no output");
  if (!converted) {
    Require(changes == 0, "a failed conversion writes nothing here");
    return 0;
  }
  // A conversion that rewrote a file with the same bytes shows no change.
  if (changes == 0) return 0;
  const std::string& written = after[changed];
  if (prompts.header_accepted()) {
    const auto& header = bitmap_header.Bytes();
    Require(written == std::string(header.begin(), header.end()) + expected,
            "output is the bitmap header and the payload");
  } else {
    Require(written == expected, "output is the payload");
  }
  return 0;
}
