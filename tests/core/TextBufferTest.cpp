#include "core/TextBuffer.h"

#include "tests/core/AllocationFailure.h"

#include <gtest/gtest.h>

#include <string>

TEST(TextBuffer, SetAt)
{
    {
        SCOPED_TRACE("shortening, and writing past the end after a kept prefix");
        TextBuffer text("abcdefghi");
        text.SetAt(0, "vwxyz", 5);
        EXPECT_STREQ(text.Get(), "vwxyz");
        EXPECT_EQ(text.Size(), 6);
        text.SetAt(5, "1234", 2);
        EXPECT_STREQ(text.Get(), "vwxyz12");
        EXPECT_EQ(text.Size(), 8);
    }
    {
        SCOPED_TRACE("a source inside the buffer survives the storage moving");
        const std::string start(150, 'x');
        TextBuffer text((start + "END").c_str());
        // Failing reallocation forces the fresh-block path, which always moves the storage.
        AllocationFailure failure(true, false);
        text.SetAt(text.Length(), text.Get(), text.Length());
        EXPECT_EQ(std::string(text.Get()), start + "END" + start + "END");
    }
    {
        SCOPED_TRACE("zero length empties only at position 0; negative arguments change nothing");
        TextBuffer text("hello");
        text.SetAt(2, "zz", 0);
        text.SetAt(-1, "zz", 2);
        text.SetAt(1, "zz", -2);
        EXPECT_STREQ(text.Get(), "hello");
        EXPECT_EQ(text.Size(), 6);
        text.SetAt(0, "zz", 0);
        EXPECT_STREQ(text.Get(), "");
        EXPECT_EQ(text.Size(), 1);
    }
    {
        SCOPED_TRACE("a failed growth leaves the text as it was");
        TextBuffer text("short");
        const std::string longer(400, 'y');
        AllocationFailure failure(true, true);
        text.SetAt(2, longer.c_str(), 400);
        EXPECT_STREQ(text.Get(), "short");
        EXPECT_EQ(text.Size(), 6);
    }
}
