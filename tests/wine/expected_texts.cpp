#include "expected_texts.h"

namespace marrowpin::wine_tests {

const char* const kBrowseDialogTitle = "ファイルの選択";
const char* const kSamplePaths[3] = {
    "C:\\メモ\\花見.vnt",
    "C:\\メモ\\旅行 2026\\駅.vnt",
    "D:\\notes\\camera-0412.dat",
};

}  // namespace marrowpin::wine_tests
