// MemoryStream as a plug-in's state reader and writer sees it.
#include "vst3/hosting/MemoryStream.h"
#include "vst3/sdk/IPtr.h"

#include <gtest/gtest.h>

#include <cstring>

using namespace Steinberg;
using namespace Steinberg::Hosting;

TEST(HostingStream, WriteSeekReadRoundTrip) {
    auto stream = IPtr<MemoryStream>::adopt(new MemoryStream);
    IBStream* s = stream.get();
    double values[3] = {1.5, -2.25, 1e300};
    int32 count = -1;
    ASSERT_EQ(s->write(values, sizeof values, &count), kResultOk);
    EXPECT_EQ(count, 24);
    int32 flag = 1;
    ASSERT_EQ(s->write(&flag, 4, nullptr), kResultOk);
    int64 pos = -1;
    EXPECT_EQ(s->tell(&pos), kResultOk);
    EXPECT_EQ(pos, 28);
    {
        SCOPED_TRACE("reading back what was written");
        EXPECT_EQ(s->seek(0, IBStream::kIBSeekSet, &pos), kResultOk);
        EXPECT_EQ(pos, 0);
        double back[3] = {};
        ASSERT_EQ(s->read(back, sizeof back, &count), kResultOk);
        EXPECT_EQ(count, 24);
        EXPECT_EQ(std::memcmp(back, values, sizeof back), 0);
    }
    {
        SCOPED_TRACE("short reads deliver what is there; at the end, nothing but success");
        EXPECT_EQ(s->seek(-2, IBStream::kIBSeekEnd, &pos), kResultOk);
        EXPECT_EQ(pos, 26);
        char tail[8] = {};
        EXPECT_EQ(s->read(tail, 8, &count), kResultOk);
        EXPECT_EQ(count, 2);
        EXPECT_EQ(s->read(tail, 4, &count), kResultOk);
        EXPECT_EQ(count, 0);
    }
    {
        SCOPED_TRACE("seeking before the start is refused and keeps the cursor");
        EXPECT_EQ(s->seek(-29, IBStream::kIBSeekCur, &pos), kInvalidArgument);
        EXPECT_EQ(stream->position(), 28);
        EXPECT_EQ(s->seek(0, 7, &pos), kInvalidArgument);
        EXPECT_EQ(s->read(nullptr, -1, &count), kInvalidArgument);
        EXPECT_EQ(s->write(nullptr, 4, &count), kInvalidArgument);
        EXPECT_EQ(s->tell(nullptr), kInvalidArgument);
    }
    {
        SCOPED_TRACE("writing past the end zero-fills the gap; overwriting keeps the size");
        EXPECT_EQ(s->seek(32, IBStream::kIBSeekSet, nullptr), kResultOk);
        char z = 'z';
        EXPECT_EQ(s->write(&z, 1, nullptr), kResultOk);
        ASSERT_EQ(stream->data().size(), 33u);
        EXPECT_EQ(stream->data()[30], 0);
        EXPECT_EQ(s->seek(0, IBStream::kIBSeekSet, nullptr), kResultOk);
        EXPECT_EQ(s->write(&z, 1, nullptr), kResultOk);
        EXPECT_EQ(stream->data().size(), 33u);
        EXPECT_EQ(stream->data()[0], 'z');
    }
}

TEST(HostingStream, InjectedFailuresAndSizing) {
    MemoryStream stream(std::vector<uint8>(12, 0xAB));
    IBStream* s = &stream;
    stream.failReadsAfter(1);
    char buffer[8];
    int32 count = -1;
    EXPECT_EQ(s->read(buffer, 8, &count), kResultOk);
    EXPECT_EQ(count, 8);
    EXPECT_EQ(s->read(buffer, 4, &count), kResultFalse) << "the second read must fail";
    EXPECT_EQ(count, 0);
    EXPECT_EQ(stream.position(), 8) << "a failed read moves nothing";
    stream.failReadsAfter(-1);
    EXPECT_EQ(s->read(buffer, 4, &count), kResultOk);
    EXPECT_EQ(count, 4);

    stream.failWritesAfter(0);
    EXPECT_EQ(s->write(buffer, 4, &count), kResultFalse);
    EXPECT_EQ(stream.data().size(), 12u);

    ISizeableStream* sizeable = nullptr;
    ASSERT_EQ(stream.queryInterface(ISizeableStream::iid, reinterpret_cast<void**>(&sizeable)),
              kResultOk);
    int64 size = 0;
    EXPECT_EQ(sizeable->getStreamSize(size), kResultOk);
    EXPECT_EQ(size, 12);
    EXPECT_EQ(sizeable->setStreamSize(3), kResultOk);
    EXPECT_EQ(stream.data().size(), 3u);
    EXPECT_EQ(sizeable->setStreamSize(-1), kInvalidArgument);
    sizeable->release();
    EXPECT_EQ(stream.getRefCount(), 1u);
}
