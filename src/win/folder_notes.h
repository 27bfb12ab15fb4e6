#pragma once

#include <functional>
#include <string>
#include <vector>

namespace marrowpin::win {

// The notes in a folder (a UTF-8 path) and its subfolders, as the browse
// dialog's first filter shows them, by full path: a folder's own in name
// order, then those of each subfolder in name order. Links and junctions
// inside are not followed. keep_going is called between entries; the scan
// stops early, with what it found so far, when it returns false.
std::vector<std::string> NotesInFolder(const std::string& folder,
                                       const std::function<bool()>& keep_going);

}  // namespace marrowpin::win
