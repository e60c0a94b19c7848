#include "core/IPlugBase.h"

#include "tests/core/AllocationFailure.h"
#include "tests/core/TestPlug.h"

#include <gtest/gtest.h>

#include <cstring>
#include <limits>
#include <memory>
#include <vector>

namespace {

// Gains of -18..18 dB with distinct values, except parameter 2 with range 1..5.
void DeclareGains(TestPlug& plug)
{
    for (int i = 0; i < plug.NParams(); ++i) {
        if (i == 2)
            plug.GetParam(i)->DeclareContinuous("RANGED", 3, 1, 5, 0.01);
        else
            plug.GetParam(i)->DeclareContinuous("GAIN", 0.5 * i - 8, -18, 18, 0.01);
    }
}

std::unique_ptr<StateChunk> ChunkOf(const std::vector<double>& values, int leadingBytes = 0)
{
    auto chunk = std::make_unique<StateChunk>();
    const std::vector<unsigned char> lead(static_cast<size_t>(leadingBytes), 0xEE);
    chunk->Append(lead.data(), leadingBytes);
    chunk->Append(values.data(), static_cast<int>(values.size() * sizeof(double)));
    return chunk;
}

std::vector<double> Values(const TestPlug& plug)
{
    std::vector<double> values;
    for (int i = 0; i < plug.NParams(); ++i) values.push_back(plug.GetParam(i)->value);
    return values;
}

void SetAll(TestPlug& plug, double value)
{
    for (int i = 0; i < plug.NParams(); ++i) plug.GetParam(i)->value = value;
    plug.changed.clear();
}

} // namespace

TEST(StateChunk, SaveAndLoad)
{
    TestPlug plug;
    DeclareGains(plug);
    const std::vector<double> declared = Values(plug);
    StateChunk saved;
    ASSERT_TRUE(plug.SaveState(saved));
    {
        SCOPED_TRACE("one little-endian double per parameter and nothing else; a full round trip");
        ASSERT_EQ(saved.Size(), 264);
        const unsigned char minusEight[8] = {0, 0, 0, 0, 0, 0, 0x20, 0xC0};
        EXPECT_EQ(std::memcmp(saved.Bytes(), minusEight, 8), 0);
        SetAll(plug, 2);
        EXPECT_EQ(plug.LoadState(saved, 0), 264);
        EXPECT_EQ(Values(plug), declared);
    }
    {
        SCOPED_TRACE("16 bytes: two values, the third 0.0 clamped, the rest untouched, all notified, -1");
        SetAll(plug, 4);
        EXPECT_EQ(plug.LoadState(*ChunkOf({1.5, -2.5}), 0), -1);
        std::vector<double> expected(33, 4.0);
        expected[0] = 1.5;
        expected[1] = -2.5;
        expected[2] = 1.0;
        EXPECT_EQ(Values(plug), expected);
        EXPECT_EQ(plug.changed.size(), 33u);
        EXPECT_EQ(plug.changed.back(), 32);
    }
    {
        SCOPED_TRACE("positions count bytes; extra bytes stay for the caller; negative loads nothing");
        EXPECT_EQ(plug.LoadState(*ChunkOf(declared, 5), 5), 269);
        EXPECT_EQ(Values(plug), declared);
        std::vector<double> longer = declared;
        longer.push_back(1234.0);
        EXPECT_EQ(plug.LoadState(*ChunkOf(longer), 0), 264);
        SetAll(plug, 4);
        EXPECT_EQ(plug.LoadState(*ChunkOf(declared), -5), -5);
        EXPECT_EQ(Values(plug), std::vector<double>(33, 4.0));
        EXPECT_EQ(plug.changed.size(), 33u);
    }
    {
        SCOPED_TRACE("stored values are brought into range: clamped, and NaN gives the default");
        std::vector<double> wild = declared;
        wild[0] = 25.0;
        wild[1] = -std::numeric_limits<double>::infinity();
        wild[2] = std::numeric_limits<double>::quiet_NaN();
        wild[3] = std::numeric_limits<double>::quiet_NaN();
        plug.GetParam(3)->defaultValue = 40.0;
        EXPECT_EQ(plug.LoadState(*ChunkOf(wild), 0), 264);
        EXPECT_EQ(plug.GetParam(0)->value, 18.0);
        EXPECT_EQ(plug.GetParam(1)->value, -18.0);
        EXPECT_EQ(plug.GetParam(2)->value, 3.0);
        EXPECT_EQ(plug.GetParam(3)->value, 18.0) << "a default outside the range must be clamped too";
    }
    StateChunk unwritable;
    AllocationFailure failure(true, true);
    EXPECT_FALSE(plug.SaveState(unwritable)) << "a chunk that cannot grow must report failure";
}

TEST(StateChunk, StateMatches)
{
    TestPlug plug(3);
    DeclareGains(plug);
    const std::vector<double> values{99.0, -8.0, -7.5, 3.0};
    EXPECT_TRUE(plug.StateMatches(values.data(), 1)) << "position counts doubles";
    EXPECT_FALSE(plug.StateMatches(values.data(), 0));
    plug.GetParam(2)->value = 3.0 + 4e-6;
    EXPECT_TRUE(plug.StateMatches(values.data(), 1)) << "differences below 1e-5 are equal";
    plug.GetParam(2)->value = 3.0 + 4e-5;
    EXPECT_FALSE(plug.StateMatches(values.data(), 1));
}

TEST(Presets, CaptureAndRecall)
{
    TestPlug plug(33, "1-1 2-2", 3);
    DeclareGains(plug);
    auto* editor = new RecordingEditor;
    plug.AttachEditor(editor);
    const std::vector<double> declared = Values(plug);
    {
        SCOPED_TRACE("capture fills the first free slot and touches nothing else");
        plug.CapturePreset("-");
        EXPECT_STREQ(plug.PresetName(0), "-");
        EXPECT_STREQ(plug.PresetName(1), "empty");
        EXPECT_EQ(plug.presetsRestored, 0);
        EXPECT_TRUE(plug.changed.empty());
        EXPECT_TRUE(editor->mirroredPlain.empty());
    }
    {
        SCOPED_TRACE("recalling a used slot loads it, makes it current and mirrors to the editor");
        plug.GetParam(0)->value = 12.0;
        EXPECT_TRUE(plug.RecallPreset(0));
        EXPECT_EQ(Values(plug), declared);
        EXPECT_EQ(plug.presetsRestored, 1);
        EXPECT_EQ(editor->mirroredPlain.size(), 33u);
    }
    {
        SCOPED_TRACE("recalling free slots captures the current values under numbered names");
        plug.GetParam(0)->value = 6.0;
        EXPECT_TRUE(plug.RecallPreset(1));
        EXPECT_TRUE(plug.RecallPreset(2));
        EXPECT_STREQ(plug.PresetName(1), "user preset 1");
        EXPECT_STREQ(plug.PresetName(2), "user preset 2");
        plug.GetParam(0)->value = -1.0;
        EXPECT_TRUE(plug.RecallPreset(1));
        EXPECT_EQ(plug.GetParam(0)->value, 6.0) << "a user preset did not keep what it captured";
        EXPECT_STREQ(plug.PresetName(1), "user preset 1") << "a used slot was renamed";
    }
    {
        SCOPED_TRACE("indices outside the list are refused and change nothing");
        const int restored = plug.presetsRestored;
        plug.changed.clear();
        EXPECT_FALSE(plug.RecallPreset(3));
        EXPECT_FALSE(plug.RecallPreset(-1));
        EXPECT_EQ(plug.CurrentPreset(), 1);
        EXPECT_EQ(plug.presetsRestored, restored);
        EXPECT_TRUE(plug.changed.empty());
    }
}
