#include "core/GrowBuffer.h"

#include "tests/core/AllocationFailure.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

TEST(GrowBuffer, AllocationPolicy)
{
    {
        SCOPED_TRACE("granularity 4096: first growth, growth inside the block, 5000 bytes");
        GrowBuffer buffer(4096);
        void* first = buffer.Resize(8);
        EXPECT_EQ(buffer.Allocated(), 4000);
        EXPECT_EQ(buffer.Resize(4000), first) << "growing within the allocation moved the data";
        EXPECT_EQ(buffer.Allocated(), 4000);
        GrowBuffer larger(4096);
        larger.Resize(5000);
        EXPECT_EQ(larger.Allocated(), 8096);
    }
    {
        SCOPED_TRACE("granularity 128: half again, at least the granularity");
        GrowBuffer small(128), larger(128);
        small.Resize(10);
        larger.Resize(1000);
        EXPECT_EQ(small.Allocated(), 138);
        EXPECT_EQ(larger.Allocated(), 1500);
    }
    {
        SCOPED_TRACE("large sizes fill whole pages with the allocator overhead; growth capped at 4 MiB");
        for (int size : {1000000, 40000000}) {
            GrowBuffer buffer(4096);
            buffer.Resize(size);
            const int extra = buffer.Allocated() - size;
            EXPECT_EQ((buffer.Allocated() + 96) % 4096, 0) << size;
            EXPECT_GT(extra, std::min(size / 2, 4194304) - 8192) << size;
            EXPECT_LE(extra, 4194304) << size;
        }
    }
    {
        SCOPED_TRACE("resize to 0 or below releases the storage and returns none");
        GrowBuffer buffer(4096);
        buffer.Resize(100);
        EXPECT_EQ(buffer.Resize(0), nullptr);
        EXPECT_EQ(buffer.Allocated(), 0);
        buffer.Resize(100);
        EXPECT_EQ(buffer.Resize(-7), nullptr);
        EXPECT_EQ(buffer.Size(), 0);
        EXPECT_EQ(buffer.Allocated(), 0);
    }
}

TEST(GrowBuffer, ShrinkThreshold)
{
    {
        SCOPED_TRACE("up to 16384 bytes allocated, only a resize to 0 with allowShrink releases");
        GrowBuffer buffer(4096);
        buffer.Resize(3000);
        buffer.Resize(1);
        buffer.Resize(0, false);
        EXPECT_EQ(buffer.Allocated(), 4000);
        EXPECT_EQ(buffer.Get(), nullptr) << "an empty buffer handed out its stale block";
    }
    {
        SCOPED_TRACE("24480 allocated: threshold is the allocation minus 16384");
        GrowBuffer buffer(4096);
        buffer.Resize(20000);
        ASSERT_EQ(buffer.Allocated(), 24480);
        buffer.Resize(8096);
        EXPECT_EQ(buffer.Allocated(), 24480);
        buffer.Resize(8095);
        EXPECT_LT(buffer.Allocated(), 24480);
    }
    {
        SCOPED_TRACE("147360 allocated: threshold is half; nothing shrinks without allowShrink");
        GrowBuffer buffer(4096);
        buffer.Resize(100000);
        ASSERT_EQ(buffer.Allocated(), 147360);
        buffer.Resize(10, false);
        buffer.Resize(100000);
        buffer.Resize(73680);
        EXPECT_EQ(buffer.Allocated(), 147360);
        buffer.Resize(73679);
        EXPECT_LT(buffer.Allocated(), 147360);
    }
}

TEST(GrowBuffer, FailedAllocationLeavesBufferUnchanged)
{
    GrowBuffer buffer(128);
    char* data = static_cast<char*>(buffer.Resize(10));
    std::memcpy(data, "0123456789", 10);
    {
        SCOPED_TRACE("reallocation fails, a fresh block succeeds: the contents move along");
        AllocationFailure failure(true, false);
        data = static_cast<char*>(buffer.Resize(500));
        ASSERT_NE(data, nullptr);
        EXPECT_EQ(std::memcmp(data, "0123456789", 10), 0);
    }
    AllocationFailure failure(true, true);
    const int allocated = buffer.Allocated();
    for (int size : {5000, 2}) {
        SCOPED_TRACE(size == 2 ? "both fail on a shrink" : "both fail on growth");
        EXPECT_EQ(buffer.Resize(size), data);
        EXPECT_EQ(buffer.Size(), 500);
        EXPECT_EQ(buffer.Allocated(), allocated);
    }
    GrowBuffer fresh(4096);
    EXPECT_EQ(fresh.Resize(8), nullptr);
    EXPECT_EQ(fresh.Size(), 0) << "a fresh buffer claims a size it could not allocate";
}
