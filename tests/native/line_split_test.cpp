#include "core/line_split.h"

#include <gtest/gtest.h>

namespace orv {
namespace {

struct LinesCase {
    const char* name;
    std::string_view text;
    std::vector<std::string> lines;
};

class NonEmptyLinesTest : public ::testing::TestWithParam<LinesCase> {};

TEST_P(NonEmptyLinesTest, SplitsAtCrLfAndDropsEmptyLines) {
    EXPECT_EQ(NonEmptyLines(GetParam().text), GetParam().lines);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, NonEmptyLinesTest,
    ::testing::Values(
        LinesCase{"Empty", "", {}},
        LinesCase{"OnePath", "C:\\a.txt", {"C:\\a.txt"}},
        LinesCase{"TwoPaths", "C:\\a\r\nD:\\b", {"C:\\a", "D:\\b"}},
        LinesCase{"TrailingBreak", "C:\\a\r\n", {"C:\\a"}},
        LinesCase{"OnlyBreaks", "\r\n\r\n", {}},
        LinesCase{"EmptyLineBetween", "a\r\n\r\nb", {"a", "b"}},
        LinesCase{"LoneLfStaysInLine", "a\nb", {"a\nb"}},
        LinesCase{"LoneCrStaysInLine", "a\rb\r\nc", {"a\rb", "c"}},
        LinesCase{"LocalTextKept", "C:\\\xce\xd2\xb5\xc4\r\nE:\\x", {"C:\\\xce\xd2\xb5\xc4", "E:\\x"}}),
    [](const ::testing::TestParamInfo<LinesCase>& row) { return std::string(row.param.name); });

}  // namespace
}  // namespace orv
