// Every case of the shared JSON conformance suite: y_ files must parse, n_
// files must not, i_ files may go either way; none may crash.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "treedoc_test_support.h"

namespace {

namespace fs = std::filesystem;

const fs::path kSuite = fs::path(ORVANTO_SHARED_TESTDATA) / "JSONTestSuite";

TEST(TreedocConformance, SuiteVerdicts) {
    if (!fs::is_directory(kSuite)) GTEST_SKIP() << "no conformance suite at " << kSuite;
    int checked = 0;
    int skippedNul = 0;
    for (const auto& item : fs::directory_iterator(kSuite)) {
        const std::string name = item.path().filename().string();
        if (item.path().extension() != ".json") continue;
        std::ifstream in(item.path(), std::ios::binary);
        const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        // A zero-terminated text cannot carry a zero byte whole.
        if (std::find(text.begin(), text.end(), '\0') != text.end()) {
            ++skippedNul;
            continue;
        }
        ParsedDocument document(text);
        if (name.starts_with("y_")) {
            EXPECT_GT(document.handle, 0) << name;
        } else if (name.starts_with("n_")) {
            EXPECT_EQ(document.handle, 0) << name;
        }
        if (document.handle > 0) JsonOf(document.handle);  // serialising must not crash either
        ++checked;
    }
    EXPECT_GT(checked, 0);
    EXPECT_LE(skippedNul, 7);
}

}  // namespace
