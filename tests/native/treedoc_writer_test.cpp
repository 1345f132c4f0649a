#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "treedoc_test_support.h"

namespace {

TEST(TreedocWriter, WritesCompactInOrder) {
    OwnedWriter w;
    ASSERT_EQ(start_object(w.handle, ""), 1);
    EXPECT_EQ(set_key_int(w.handle, "z", 1), 1);
    EXPECT_EQ(set_key_bool(w.handle, "a", 0), 1);
    EXPECT_EQ(start_array(w.handle, "list"), 1);
    EXPECT_EQ(set_int64(w.handle, -5000000000LL), 1);
    EXPECT_EQ(set_double(w.handle, 2.5), 1);
    EXPECT_EQ(set_null(w.handle), 1);
    EXPECT_EQ(set_bool(w.handle, 7), 1);
    EXPECT_EQ(start_object(w.handle, nullptr), 1);
    EXPECT_EQ(end_object(w.handle), 1);
    EXPECT_EQ(end_array(w.handle), 1);
    EXPECT_EQ(set_key_null(w.handle, "n"), 1);
    EXPECT_EQ(set_key_int64(w.handle, "i", 1), 1);
    EXPECT_EQ(set_key_double(w.handle, "d", -0.25), 1);
    EXPECT_EQ(end_object(w.handle), 1);
    EXPECT_EQ(w.Text(), R"({"z":1,"a":false,"list":[-5000000000,2.5,null,true,{}],"n":null,"i":1,"d":-0.25})");
}

TEST(TreedocWriter, EscapesAsRfc8259Requires) {
    struct Row {
        const char* name;
        std::string value;
        std::string written;
    };
    const Row rows[] = {
        {"Quote", "a\"b", R"("a\"b")"},
        {"Backslash", "c:\\x", R"("c:\\x")"},
        {"Newline", "a\nb\r\t", R"("a\nb\r\t")"},
        {"Control", "\x01\x1f", R"("\u0001\u001F")"},
        {"SlashKept", "a/b", R"("a/b")"},
        {"Chinese", "\xE4\xB8\xAD\xE6\x96\x87", "\"\xE4\xB8\xAD\xE6\x96\x87\""},
    };
    for (const Row& row : rows) {
        OwnedWriter w;
        ASSERT_EQ(set_string(w.handle, row.value.c_str()), 1) << row.name;
        EXPECT_EQ(w.Text(), row.written) << row.name;
    }
}

TEST(TreedocWriter, RefusedValuesLeaveTheTextUnchanged) {
    OwnedWriter w;
    ASSERT_EQ(start_object(w.handle, nullptr), 1);
    EXPECT_EQ(set_key_int(w.handle, "a", 1), 1);
    EXPECT_EQ(set_key_double(w.handle, "nan", std::nan("")), 0);
    EXPECT_EQ(set_key_double(w.handle, "inf", -INFINITY), 0);
    EXPECT_EQ(set_key_string(w.handle, "bad", "\xC3\x28"), 0);
    EXPECT_EQ(set_key_string(w.handle, "\xED\xA0\x80", "x"), 0);
    EXPECT_EQ(set_int(w.handle, 3), 0);          // an element where a member belongs
    EXPECT_EQ(end_array(w.handle), 0);           // no array open
    EXPECT_EQ(set_key_raw_string(w.handle, "r", "[1,"), 0);
    EXPECT_EQ(set_key_raw_string(w.handle, "r", " [ 1 , {\"x\" : 1.50} ] "), 1);
    EXPECT_EQ(start_array(w.handle, "l"), 1);
    EXPECT_EQ(set_double(w.handle, std::nan("")), 0);
    EXPECT_EQ(set_key_int(w.handle, "k", 1), 0);  // a member where an element belongs
    EXPECT_EQ(end_object(w.handle), 0);
    EXPECT_EQ(end_array(w.handle), 1);
    EXPECT_EQ(end_object(w.handle), 1);
    EXPECT_EQ(w.Text(), R"({"a":1,"r":[1,{"x":1.50}],"l":[]})");
    EXPECT_EQ(set_int(w.handle, 1), 0);  // the root is done
    EXPECT_EQ(start_object(w.handle, nullptr), 0);
}

TEST(TreedocWriter, UnfinishedTextIsNeverHandedOut) {
    OwnedWriter w;
    EXPECT_EQ(w.Text(), "");
    ASSERT_EQ(start_object(w.handle, nullptr), 1);
    ASSERT_EQ(start_array(w.handle, "a"), 1);
    EXPECT_EQ(w.Text(), "");
    EXPECT_EQ(end_array(w.handle), 1);
    EXPECT_EQ(w.Text(), "");
    EXPECT_EQ(end_object(w.handle), 1);
    EXPECT_EQ(w.Text(), R"({"a":[]})");
}

TEST(TreedocWriter, AbandonedWriterLeavesNoHalfText) {
    OwnedBuffer buffer;
    const int32_t writer = new_writer(buffer.handle);
    ASSERT_EQ(start_object(writer, nullptr), 1);
    delete_writer(writer);
    EXPECT_STREQ(get_all_string(buffer.handle), "");
}

TEST(TreedocWriter, ClearingTheBufferRestartsTheWriter) {
    OwnedWriter w;
    ASSERT_EQ(start_object(w.handle, nullptr), 1);
    ASSERT_EQ(set_key_int(w.handle, "a", 1), 1);
    buffer_clear(w.buffer.handle);
    EXPECT_EQ(w.Text(), "");
    EXPECT_EQ(set_int(w.handle, 5), 1);
    EXPECT_EQ(w.Text(), "5");
}

TEST(TreedocWriter, WriterOutlivedByItsBufferRefusesWrites) {
    const int32_t buffer = new_buffer();
    const int32_t writer = new_writer(buffer);
    delete_buffer(buffer);
    EXPECT_EQ(start_object(writer, nullptr), 0);
    EXPECT_EQ(set_int(writer, 1), 0);
    delete_writer(writer);
    EXPECT_EQ(new_writer(buffer), 0);
}

TEST(TreedocWriter, DeepNestingIsWrittenWithoutRecursion) {
    OwnedWriter w;
    for (int i = 0; i < 100000; ++i) ASSERT_EQ(start_array(w.handle, nullptr), 1);
    for (int i = 0; i < 100000; ++i) ASSERT_EQ(end_array(w.handle), 1);
    EXPECT_EQ(w.Text().size(), 200000u);
}

}  // namespace
