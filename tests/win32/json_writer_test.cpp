#include "json/json_writer.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

TEST(JsonWriterText, EmptyRootHasNoLineBreak) {
    orv::JsonWriter writer;
    ASSERT_TRUE(writer.Begin());
    EXPECT_EQ(writer.GetText(false, true), "{}");
}

TEST(JsonWriterText, OneMemberIsTwoLines) {
    orv::JsonWriter writer;
    ASSERT_TRUE(writer.Begin());
    EXPECT_NE(writer.WriteKeyInt("width", 981), 0);
    EXPECT_EQ(writer.GetText(false, true), "{\r\n\"width\":981}");
}

TEST(JsonWriterText, LastMemberObjectEndsWithBracesOnTwoLines) {
    orv::JsonWriter writer;
    ASSERT_TRUE(writer.Begin());
    writer.StartObject("o");
    writer.WriteKeyBool("b");
    writer.EndObject();
    EXPECT_EQ(writer.GetText(false, true), "{\r\n\"o\":{\r\n\"b\":false}\r\n}");
}

TEST(JsonWriterText, SavedBoardExample) {
    orv::JsonWriter writer;
    ASSERT_TRUE(writer.Begin());
    writer.WriteKeyNumber("width", 500);
    writer.WriteKeyNumber("height", 400);
    writer.WriteKeyNumber("left", 100);
    writer.WriteKeyNumber("crown", 50);
    writer.WriteKeyBool("startup", 0);
    writer.StartArray("navigation");
    writer.StartObject();
    writer.WriteKeyString("name", "我的电脑");
    writer.StartArray("file");
    writer.StartObject();
    writer.WriteKeyString("name", "回收站");
    writer.WriteKeyString("address", "回收站");
    writer.WriteKeyString("icon", "");
    writer.WriteKeyString("command", "");
    writer.WriteKeyBool("root_privilege", 0);
    writer.EndObject();
    writer.EndArray();
    writer.EndObject();
    writer.StartObject();
    writer.WriteKeyString("name", "新建分组");
    writer.StartArray("file");
    writer.EndArray();
    writer.EndObject();
    writer.EndArray();
    EXPECT_EQ(writer.GetText(false, true),
              "{\r\n\"width\":500,\r\n\"height\":400,\r\n\"left\":100,\r\n\"crown\":50,\r\n"
              "\"startup\":false,\r\n\"navigation\":[{\r\n\"name\":\"我的电脑\",\r\n\"file\":[{\r\n"
              "\"name\":\"回收站\",\r\n\"address\":\"回收站\",\r\n\"icon\":\"\",\r\n\"command\":\"\",\r\n"
              "\"root_privilege\":false}]},{\r\n\"name\":\"新建分组\",\r\n\"file\":[]}]}");
}

TEST(JsonWriterText, ChineseReachesTheLibraryAsUtf8) {
    orv::JsonWriter writer;
    ASSERT_TRUE(writer.Begin());
    writer.WriteKeyString("名", "值");
    EXPECT_EQ(writer.GetText(true), "{\"\xE5\x90\x8D\":\"\xE5\x80\xBC\"}");
    ASSERT_TRUE(writer.Begin());
    writer.WriteKeyString("名", "值");
    EXPECT_EQ(writer.GetText(), "{\"名\":\"值\"}");
}

TEST(JsonWriterText, NamesWithLayoutCharactersStayIntact) {
    orv::JsonWriter writer;
    ASSERT_TRUE(writer.Begin());
    writer.WriteKeyString("a", "x,");
    writer.WriteKeyString("b", "y{");
    writer.WriteKeyString("c", "}}");
    EXPECT_EQ(writer.GetText(false, true), "{\r\n\"a\":\"x,\",\r\n\"b\":\"y{\",\r\n\"c\":\"}}\"}");
}

TEST(JsonWriterNumber, IntegersWithinTheToleranceAreWrittenAsIntegers) {
    struct Row {
        double value;
        const char* text;
    };
    const Row rows[] = {{2.0, "{\"n\":2}"}, {2.00000005, "{\"n\":2}"}, {2.5, "{\"n\":2.5}"},
                        {-3.9, "{\"n\":-3.9}"}, {-0.00000001, "{\"n\":0}"}, {1e12, "{\"n\":1000000000000.0}"}};
    for (const Row& row : rows) {
        orv::JsonWriter writer;
        ASSERT_TRUE(writer.Begin());
        writer.WriteKeyNumber("n", row.value);
        EXPECT_EQ(writer.GetText(), row.text) << row.value;
    }
}

TEST(JsonWriterState, ClosedWriterIgnoresWrites) {
    orv::JsonWriter writer;
    EXPECT_EQ(writer.WriteKeyInt("a", 1), 0);
    EXPECT_EQ(writer.GetText(), "");
    ASSERT_TRUE(writer.Begin());
    EXPECT_EQ(writer.GetText(), "{}");
    EXPECT_EQ(writer.WriteKeyInt("a", 1), 0);
    EXPECT_EQ(writer.GetText(), "");
}

TEST(JsonWriterState, RefusedWritesNeverHalfTheText) {
    orv::JsonWriter writer;
    ASSERT_TRUE(writer.Begin());
    EXPECT_EQ(writer.WriteKeyNumber("nan", std::nan("")), 0);
    EXPECT_EQ(writer.WriteKeyNumber("inf", INFINITY), 0);
    EXPECT_NE(writer.WriteKeyInt("a", 1), 0);
    EXPECT_EQ(writer.GetText(), "{\"a\":1}");
}

TEST(JsonWriterState, UnclosedContainerGivesAnEmptyText) {
    orv::JsonWriter writer;
    ASSERT_TRUE(writer.Begin());
    writer.StartArray("a");
    writer.StartObject();
    EXPECT_EQ(writer.GetText(false, true), "");
}

TEST(JsonWriterState, BeginDiscardsWhatWasWritten) {
    orv::JsonWriter writer;
    ASSERT_TRUE(writer.Begin());
    writer.WriteKeyInt("old", 1);
    ASSERT_TRUE(writer.Begin());
    writer.WriteKeyInt("new", 2);
    EXPECT_EQ(writer.GetText(), "{\"new\":2}");
}

}  // namespace
