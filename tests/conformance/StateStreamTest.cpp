// The state stream as hosts deliver it: whole, cut short, too long, corrupt, failing at any
// read, or trickling in a few bytes per read. After every load the plug-in must hold values
// inside their ranges, save a whole state and process finite audio.
#include "tests/conformance/ConformanceHost.h"
#include "vst3/hosting/MemoryStream.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>

using namespace Steinberg;
using namespace Conformance;

namespace {

// A memory stream that moves at most `bytesPerCall` bytes per read or write, as IBStream
// allows, and can be made to fail after a number of calls.
class TricklingStream : public Hosting::MemoryStream {
  public:
    TricklingStream(std::vector<uint8> bytes, int32 bytesPerCall)
        : MemoryStream(std::move(bytes)), bytesPerCall(bytesPerCall) {}
    tresult PLUGIN_API read(void* buffer, int32 numBytes, int32* numBytesRead) override {
        return MemoryStream::read(buffer, Limit(numBytes), numBytesRead);
    }
    tresult PLUGIN_API write(void* buffer, int32 numBytes, int32* numBytesWritten) override {
        return MemoryStream::write(buffer, Limit(numBytes), numBytesWritten);
    }

  private:
    int32 Limit(int32 numBytes) const {
        return bytesPerCall > 0 && numBytes > bytesPerCall ? bytesPerCall : numBytes;
    }
    int32 bytesPerCall;
};

class StateStream : public testing::Test {
  protected:
    void SetUp() override {
        plugin = Create();
        ASSERT_TRUE(Start(plugin, 48000.0, 256, false));
    }
    void TearDown() override { Stop(plugin); }

    std::vector<uint8> Saved() {
        IPtr<Hosting::MemoryStream> stream =
            IPtr<Hosting::MemoryStream>::adopt(new Hosting::MemoryStream);
        EXPECT_EQ(plugin.controller->getState(stream.get()), kResultOk);
        return stream->data();
    }
    tresult Load(std::vector<uint8> bytes, int32 bytesPerCall = 0, int32 failAfter = -1) {
        IPtr<TricklingStream> stream =
            IPtr<TricklingStream>::adopt(new TricklingStream(std::move(bytes), bytesPerCall));
        stream->failReadsAfter(failAfter);
        return plugin.controller->setState(stream.get());
    }
    // Values inside their ranges, a whole state saved, finite audio.
    void ExpectSound(const std::string& after) {
        SCOPED_TRACE(after);
        for (Vst::ParamID id = 0; id < kCoreParameters; ++id) {
            const double v = plugin.controller->getParamNormalized(id);
            ASSERT_TRUE(v >= 0.0 && v <= 1.0) << "parameter " << id << " at " << v;
        }
        ASSERT_EQ(Saved().size(), static_cast<size_t>(kStateBytes));
        GuardedBlock block(256, 2, false, false);
        for (int n = 0; n < 256; ++n)
            for (int c = 0; c < 2; ++c)
                block.SetInput(c, n, std::sin(0.01 * n + c));
        ASSERT_EQ(plugin.processor->process(block.Data(256, nullptr)), kResultOk);
        std::string where;
        EXPECT_TRUE(OutputFinite(block, 256, where)) << where;
    }

    Plugin plugin;
};

void Store(std::vector<uint8>& bytes, int index, double value) {
    std::memcpy(bytes.data() + 8 * index, &value, sizeof value);
}

double Stored(const std::vector<uint8>& bytes, int index) {
    double value;
    std::memcpy(&value, bytes.data() + 8 * index, sizeof value);
    return value;
}

// A state unlike the defaults in every value a host can tell apart, bypass on.
std::vector<uint8> Edited(std::vector<uint8> bytes) {
    Store(bytes, 0, 6.5);    // HGAINL
    Store(bytes, 12, -3.25); // OUTL
    Store(bytes, 14, -25.0); // DRIVE
    Store(bytes, 16, 1.0);   // LINK
    Store(bytes, 29, 2.0);   // LFREQR
    Store(bytes, 32, 1.0);   // oversampling
    bytes[kStateBytes - 4] = 1;
    return bytes;
}

} // namespace

TEST_F(StateStream, ShortReadsDeliverTheWholeState) {
    const std::vector<uint8> defaults = Saved();
    const std::vector<uint8> edited = Edited(defaults);
    for (int32 perCall : {1, 3, 7, 100}) {
        ASSERT_EQ(Load(defaults), kResultOk);
        EXPECT_EQ(Load(edited, perCall), kResultOk) << perCall << " bytes per read";
        EXPECT_EQ(Saved(), edited) << perCall << " bytes per read loaded another state";
        EXPECT_EQ(plugin.controller->getParamNormalized(kBypassId), 1.0);
    }
    {
        SCOPED_TRACE("a state saved through a stream that takes a few bytes per write");
        IPtr<TricklingStream> stream =
            IPtr<TricklingStream>::adopt(new TricklingStream({}, 5));
        EXPECT_EQ(plugin.controller->getState(stream.get()), kResultOk);
        EXPECT_EQ(stream->data(), edited);
        IPtr<TricklingStream> failing =
            IPtr<TricklingStream>::adopt(new TricklingStream({}, 5));
        failing->failWritesAfter(10);
        EXPECT_EQ(plugin.controller->getState(failing.get()), kResultFalse)
            << "a state cut short by the stream was reported as saved";
    }
    ExpectSound("short reads");
}

TEST_F(StateStream, AFailingReadChangesNothing) {
    const std::vector<uint8> defaults = Saved();
    const std::vector<uint8> edited = Edited(defaults);
    // One byte per read: fails at every read of the chunk, then at the bypass flag's.
    for (int32 failAfter = 0; failAfter < kStateBytes; ++failAfter) {
        ASSERT_EQ(Load(defaults), kResultOk);
        EXPECT_EQ(Load(edited, 1, failAfter), kResultFalse) << "failing after " << failAfter;
        ASSERT_EQ(Saved(), defaults) << "a read failing after " << failAfter << " bytes";
    }
    ExpectSound("failed reads");
}

TEST_F(StateStream, EmptyShortExactLongAndCorruptStreams) {
    const std::vector<uint8> defaults = Saved();
    const std::vector<uint8> edited = Edited(defaults);
    {
        SCOPED_TRACE("empty, short, or with the flag cut: refused, nothing changes");
        ASSERT_EQ(Load(edited), kResultOk);
        for (int length : {0, 1, 8 * 13 + 5, kStateBytes - 5, kStateBytes - 1}) {
            EXPECT_EQ(Load({defaults.begin(), defaults.begin() + length}, 4), kResultFalse);
            EXPECT_EQ(Saved(), edited) << length << " bytes changed the state";
        }
        ExpectSound("short");
    }
    {
        SCOPED_TRACE("exact (an older state without the flag) and long");
        std::vector<uint8> exact(edited.begin(), edited.end() - 4);
        EXPECT_EQ(Load(exact, 9), kResultOk);
        EXPECT_EQ(Stored(Saved(), 14), -25.0);
        EXPECT_EQ(plugin.controller->getParamNormalized(kBypassId), 0.0);
        std::vector<uint8> longer = edited;
        longer.insert(longer.end(), 300, 0xFF);
        EXPECT_EQ(Load(longer), kResultOk);
        EXPECT_EQ(Saved(), edited);
        ExpectSound("exact and long");
    }
    {
        SCOPED_TRACE("NaN, infinities and huge values are clamped or ignored");
        const double odd[] = {std::numeric_limits<double>::quiet_NaN(),
                              std::numeric_limits<double>::infinity(),
                              -std::numeric_limits<double>::infinity(),
                              std::numeric_limits<double>::max(), -1e300,
                              std::numeric_limits<double>::denorm_min()};
        for (double value : odd) {
            std::vector<uint8> bytes = edited;
            for (int i = 0; i < kCoreParameters; ++i)
                Store(bytes, i, value);
            EXPECT_EQ(Load(bytes), kResultOk);
            ExpectSound("every value " + std::to_string(value));
        }
    }
    {
        SCOPED_TRACE("random bytes of random lengths");
        std::mt19937 random(15);
        const int streams = Scaled(300, 20000);
        for (int i = 0; i < streams; ++i) {
            std::vector<uint8> bytes(random() % (kStateBytes + 40));
            for (uint8& b : bytes)
                b = static_cast<uint8>(random());
            Load(bytes, static_cast<int32>(random() % 12), static_cast<int32>(random() % 300) - 1);
            if (i % 50 == 0)
                ExpectSound("random stream " + std::to_string(i));
        }
        ExpectSound("random streams");
    }
}
