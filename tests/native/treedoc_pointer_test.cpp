#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "treedoc_test_support.h"

namespace {

constexpr const char* kSample = R"({
  "height": 300, "name": "board", "on": true, "off": false, "ratio": 2.5,
  "big": 5000000000, "neg": -7.9, "nothing": null,
  "a/b": 1, "m~n": 2, "": 3,
  "list": [10, "x", {"k": "v"}],
  "obj": {"first": 1, "second": 2}
})";

class TreedocPointerTest : public testing::Test {
protected:
    ParsedDocument document{kSample};
};

TEST_F(TreedocPointerTest, IntegersByPointer) {
    struct Row {
        const char* pointer;
        int32_t expected;
    };
    const Row rows[] = {
        {"/height", 300}, {"/missing", 0}, {"/name", 0}, {"/on", 0}, {"/ratio", 2},
        {"/neg", -7}, {"/big", 0}, {"/a~1b", 1}, {"/m~0n", 2}, {"/", 3},
        {"/list/0", 10}, {"/list/3", 0}, {"/list/-", 0}, {"/list/00", 0}, {"/obj/second", 2},
        {"height", 0}, {"/m~2n", 0}, {"/list/0/x", 0},
    };
    for (const Row& row : rows) EXPECT_EQ(pointer_get_int(document.handle, row.pointer), row.expected) << row.pointer;
}

TEST_F(TreedocPointerTest, OtherGetters) {
    EXPECT_EQ(pointer_get_int64(document.handle, "/big"), 5000000000LL);
    EXPECT_EQ(pointer_get_double(document.handle, "/ratio"), 2.5);
    EXPECT_EQ(pointer_get_double(document.handle, "/name"), 0.0);
    EXPECT_EQ(pointer_get_bool(document.handle, "/on"), 1);
    EXPECT_EQ(pointer_get_bool(document.handle, "/off"), 0);
    EXPECT_EQ(pointer_get_bool(document.handle, "/height"), 0);
    EXPECT_STREQ(pointer_get_string(document.handle, "/name"), "board");
    EXPECT_STREQ(pointer_get_string(document.handle, "/list/2/k"), "v");
    EXPECT_STREQ(pointer_get_string(document.handle, "/height"), "");
    EXPECT_STREQ(pointer_get_string(document.handle, "/missing"), "");
    EXPECT_EQ(pointer_get_count(document.handle, "/list"), 3);
    EXPECT_EQ(pointer_get_count(document.handle, "/obj"), 2);
    EXPECT_EQ(pointer_get_count(document.handle, "/name"), 0);
    EXPECT_EQ(pointer_get_count(document.handle, "/missing"), 0);
    EXPECT_EQ(pointer_is_exist(document.handle, "/nothing"), 1);
    EXPECT_EQ(pointer_is_exist(document.handle, "/missing"), 0);
    EXPECT_EQ(pointer_is_exist(document.handle, ""), 1);
}

TEST_F(TreedocPointerTest, TypeCodes) {
    struct Row {
        const char* pointer;
        int32_t type;
    };
    const Row rows[] = {
        {"/missing", kTreedocMissing}, {"/nothing", kTreedocNull}, {"/off", kTreedocFalse},
        {"/on", kTreedocTrue}, {"/obj", kTreedocObject}, {"/list", kTreedocArray},
        {"/name", kTreedocString}, {"/ratio", kTreedocNumber}, {"", kTreedocObject},
    };
    for (const Row& row : rows) EXPECT_EQ(pointer_get_type(document.handle, row.pointer), row.type) << row.pointer;
}

TEST_F(TreedocPointerTest, ValueHandlesReadRelativeToTheirNode) {
    const int32_t list = pointer_get_value(document.handle, "/list");
    ASSERT_GT(list, 0);
    EXPECT_EQ(pointer_get_value(document.handle, "/list"), list);
    EXPECT_EQ(pointer_get_int(list, "/0"), 10);
    const int32_t item = pointer_get_value(list, "/2");
    EXPECT_STREQ(pointer_get_string(item, "/k"), "v");
    EXPECT_EQ(pointer_get_value(document.handle, "/missing"), 0);
    EXPECT_EQ(JsonOf(item), R"({"k":"v"})");
}

TEST_F(TreedocPointerTest, KeysByIndex) {
    const int32_t obj = pointer_get_value(document.handle, "/obj");
    EXPECT_STREQ(object_get_key(obj, 0), "first");
    EXPECT_STREQ(object_get_key(obj, 1), "second");
    EXPECT_STREQ(object_get_key(obj, 2), "");
    EXPECT_STREQ(object_get_key(obj, -1), "");
    EXPECT_STREQ(object_get_key(pointer_get_value(document.handle, "/list"), 0), "");
}

TEST_F(TreedocPointerTest, EraseRemovesOnlyWhatExists) {
    EXPECT_EQ(pointer_erase_path(document.handle, "/list/0"), 1);
    EXPECT_EQ(pointer_get_count(document.handle, "/list"), 2);
    EXPECT_EQ(pointer_erase_path(document.handle, "/missing"), 0);
    EXPECT_EQ(pointer_erase_path(document.handle, ""), 0);
    EXPECT_EQ(pointer_erase_path(document.handle, "/m~0n"), 1);
    EXPECT_EQ(pointer_is_exist(document.handle, "/m~0n"), 0);
}

TEST(TreedocSetters, CreateReplaceAndAppend) {
    ParsedDocument document("{\"list\":[1],\"s\":\"x\"}");
    const int32_t d = document.handle;
    EXPECT_EQ(pointer_set_int(d, 0, "/height", 300), 1);
    EXPECT_EQ(pointer_set_string(d, 0, "/a/b/c", "deep"), 1);
    EXPECT_EQ(pointer_set_bool(d, 0, "/list/0", 1), 1);
    EXPECT_EQ(pointer_set_double(d, 0, "/list/1", 0.5), 1);
    EXPECT_EQ(pointer_set_int(d, 0, "/list/-", 7), 1);
    EXPECT_EQ(pointer_set_int(d, 0, "/list/9", 7), 0);
    EXPECT_EQ(pointer_set_int(d, 0, "/list/999999999", 7), 0);
    EXPECT_EQ(pointer_set_int(d, 0, "/s/t", 1), 0);
    EXPECT_EQ(pointer_set_int(d, 0, "/x~1y", 2), 1);
    EXPECT_EQ(pointer_set_double(d, 0, "/nan", std::nan("")), 0);
    EXPECT_EQ(pointer_set_double(d, 0, "/inf", INFINITY), 0);
    EXPECT_EQ(pointer_set_string(d, 0, "/bad", "\xFF"), 0);
    EXPECT_EQ(pointer_set_int(d, 0, "no-slash", 1), 0);
    EXPECT_EQ(JsonOf(d), R"({"list":[true,0.5,7],"s":"x","height":300,"a":{"b":{"c":"deep"}},"x/y":2})");
}

TEST(TreedocSetters, ValueHandleFollowsItsPathAfterChanges) {
    ParsedDocument document(R"({"list":[{"n":1}]})");
    const int32_t first = pointer_get_value(document.handle, "/list/0");
    for (int i = 0; i < 100; ++i) ASSERT_EQ(pointer_set_int(document.handle, 0, "/list/-", i), 1);
    EXPECT_EQ(pointer_set_string(first, 0, "/name", "a"), 1);
    EXPECT_STREQ(pointer_get_string(document.handle, "/list/0/name"), "a");
    EXPECT_EQ(pointer_erase_path(document.handle, "/list"), 1);
    EXPECT_EQ(pointer_get_int(first, "/n"), 0);
    EXPECT_EQ(pointer_set_int(first, 0, "/n", 1), 0);
}

TEST(TreedocSetters, SetObjectCopiesSoTheSourceMayGo) {
    ParsedDocument target("{}");
    {
        ParsedDocument source(R"({"k":[1,"two"]})");
        EXPECT_EQ(pointer_set_object(target.handle, 0, "/copy", source.handle), 1);
    }
    EXPECT_EQ(JsonOf(target.handle), R"({"copy":{"k":[1,"two"]}})");
    EXPECT_EQ(pointer_set_object(target.handle, 0, "/self", target.handle), 1);
    EXPECT_EQ(JsonOf(target.handle), R"({"copy":{"k":[1,"two"]},"self":{"copy":{"k":[1,"two"]}}})");
}

TEST(TreedocHandles, StaleAndForeignHandlesAreRefused) {
    const int32_t document = parse(R"({"a":1})");
    const int32_t value = pointer_get_value(document, "/a");
    OwnedBuffer buffer;
    EXPECT_EQ(pointer_get_int(buffer.handle, "/a"), 0);        // a buffer is no document
    EXPECT_STREQ(get_all_string(document), "");                // a document is no buffer
    EXPECT_EQ(set_int(document, 1), 0);                        // nor a writer
    free_(document);
    EXPECT_EQ(pointer_get_int(document, "/a"), 0);
    EXPECT_EQ(pointer_get_int(value, ""), 0);
    free_(document);  // twice is harmless
    const int32_t made[] = {0, -1, 1, 0x7FFFFFFF, static_cast<int32_t>(0x80000000u), 0x10000001};
    for (int32_t handle : made) {
        EXPECT_EQ(pointer_get_int(handle, ""), 0);
        EXPECT_STREQ(get_pointer_string(handle, buffer.handle, ""), "");
        EXPECT_EQ(end_object(handle), 0);
        free_(handle);
        delete_buffer(handle);
        delete_writer(handle);
    }
}

TEST(TreedocHandles, FreedSlotsDoNotReviveOldHandles) {
    const int32_t first = parse("{}");
    free_(first);
    for (int i = 0; i < 1000; ++i) {
        const int32_t other = parse("[]");
        EXPECT_NE(other, first);
        free_(other);
    }
    EXPECT_EQ(pointer_get_type(first, ""), kTreedocMissing);
}

}  // namespace
