#include "core/IPlugBase.h"

#include "tests/core/AllocationFailure.h"
#include "tests/core/TestPlug.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>
#include <vector>

namespace {

std::vector<double> Samples(const double* data, int frames)
{
    return std::vector<double>(data, data + frames);
}

} // namespace

TEST(IPlugBase, ChannelConfigurations)
{
    {
        SCOPED_TRACE("\"1-1 2-2\"");
        TestPlug plug;
        ASSERT_EQ(plug.NChannelConfigs(), 2);
        EXPECT_EQ(plug.ChannelConfig(1)->inputs, 2);
        EXPECT_EQ(plug.ChannelConfig(1)->outputs, 2);
        EXPECT_EQ(plug.NInChannels(), 2);
        EXPECT_EQ(plug.NOutChannels(), 2);
        EXPECT_TRUE(plug.LegalIO(2, 2));
        EXPECT_TRUE(plug.LegalIO(1, 1));
        EXPECT_FALSE(plug.LegalIO(1, 2));
        EXPECT_TRUE(plug.LegalIO(-1, 2));
        EXPECT_FALSE(plug.LegalIO(-1, 3));
    }
    {
        SCOPED_TRACE("a lone number is inputs with no outputs");
        TestPlug plug(1, "3");
        ASSERT_EQ(plug.NChannelConfigs(), 1);
        EXPECT_EQ(plug.ChannelConfig(0)->inputs, 3);
        EXPECT_EQ(plug.ChannelConfig(0)->outputs, 0);
        EXPECT_EQ(plug.NInChannels(), 3);
        EXPECT_EQ(plug.NOutChannels(), 0);
    }
    TestPlug none(1, nullptr);
    EXPECT_FALSE(none.LegalIO(-1, -1)) << "an empty configuration list allowed something";
}

TEST(IPlugBase, ChannelBuffers)
{
    TestPlug plug(1, "1-2");
    double** outputs = plug.OutputPointers();
    for (int i = 0; i < 2; ++i) plug.SetOutputConnected(i, true);
    plug.SetBlockFrames(4);
    EXPECT_EQ(plug.OutputPointers(), outputs) << "the pointer array moved; channel slots dangle";
    ASSERT_EQ(outputs[1], plug.GetOutputChannel(1)->Scratch())
        << "a connected channel still points at its scratch buffer from before the resize";
    {
        SCOPED_TRACE("scratch is zeroed on a new size and untouched on the same size");
        outputs[1][2] = 7.0;
        plug.SetBlockFrames(4);
        EXPECT_EQ(outputs[1][2], 7.0);
        plug.SetBlockFrames(5);
        EXPECT_EQ(Samples(outputs[1], 5), std::vector<double>(5, 0.0));
    }
    {
        SCOPED_TRACE("default processing copies the input and silences the extra output");
        plug.SetInputConnected(0, true);
        float host[5] = {1, 2, 3, 4, 5};
        float* hostArrays[] = {host};
        plug.AttachInputs(0, 1, hostArrays, 5);
        outputs[1][0] = 9.0;
        plug.ProcessBlock(plug.InputPointers(), outputs, 5);
        EXPECT_EQ(Samples(outputs[0], 5), (std::vector<double>{1, 2, 3, 4, 5}));
        EXPECT_EQ(Samples(outputs[1], 5), std::vector<double>(5, 0.0));
    }
    {
        SCOPED_TRACE("ConvertOutputs narrows only connected outputs with a host target");
        float left[5] = {};
        float right[5] = {-1, -1, -1, -1, -1};
        plug.GetOutputChannel(0)->hostTarget = left;
        plug.GetOutputChannel(1)->hostTarget = right;
        plug.GetOutputChannel(1)->connected = false;
        plug.ConvertOutputs(5);
        EXPECT_EQ(left[4], 5.0f);
        EXPECT_EQ(right[0], -1.0f);
    }
    {
        SCOPED_TRACE("after a failed resize the block size is what the scratch buffers hold");
        {
            AllocationFailure failure(true, true);
            plug.SetBlockFrames(1000000);
        }
        EXPECT_EQ(plug.BlockSize(), 5);
        plug.ClearScratch();
        float longBlock[8] = {};
        float* hostArrays[] = {longBlock};
        plug.AttachInputs(0, 1, hostArrays, 8);
    }
}

TEST(IPlugBase, AttachInputsSkipsDisconnectedChannels)
{
    TestPlug plug(1, "3-3");
    plug.SetBlockFrames(2);
    plug.SetInputConnected(0, true);
    plug.SetInputConnected(2, true);
    float first[2] = {1, 2};
    float second[2] = {5, 6};
    float* hostArrays[] = {first, second};
    plug.AttachInputs(0, 3, hostArrays, 2);
    double** in = plug.InputPointers();
    EXPECT_EQ(Samples(in[1], 2), (std::vector<double>{0, 0})) << "a disconnected channel took a host array";
    EXPECT_EQ(Samples(in[2], 2), (std::vector<double>{5, 6}));
    plug.AttachInputs(2, 5, hostArrays, 2);
    EXPECT_EQ(Samples(in[2], 2), (std::vector<double>{1, 2})) << "a later first channel starts at host array 0";
}

TEST(IPlugBase, PassThrough)
{
    TestPlug plug;
    plug.SetBlockFrames(4);
    for (int i = 0; i < 2; ++i) {
        plug.SetInputConnected(i, true);
        plug.SetOutputConnected(i, true);
    }
    float left[4] = {1, 2, 3, 4};
    float right[4] = {10, 20, 30, 40};
    float* hostArrays[] = {left, right};
    plug.AttachInputs(0, 2, hostArrays, 4);
    double** out = plug.OutputPointers();
    plug.PassThrough(4);
    EXPECT_EQ(Samples(out[1], 4), (std::vector<double>{10, 20, 30, 40})) << "no latency: a plain copy";
    {
        SCOPED_TRACE("a latency of 3 frames delays each channel by exactly 3 frames across blocks");
        plug.CreateLatencyDelay();
        plug.SetLatencySamples(3);
        plug.PassThrough(4);
        EXPECT_EQ(Samples(out[0], 4), (std::vector<double>{0, 0, 0, 1}));
        plug.PassThrough(4);
        EXPECT_EQ(Samples(out[0], 4), (std::vector<double>{2, 3, 4, 1}));
        EXPECT_EQ(Samples(out[1], 4), (std::vector<double>{20, 30, 40, 10}));
    }
    plug.SetLatencySamples(-2);
    plug.PassThrough(4);
    EXPECT_EQ(Samples(out[0], 4), (std::vector<double>{1, 2, 3, 4})) << "an empty delay swallowed the audio";
}

TEST(IPlugBase, SetParameterFromEditor)
{
    TestPlug plug(3);
    plug.GetParam(1)->DeclareInteger("SEL", 0, 0, 2);
    plug.SetParameterFromEditor(1, 0.74);
    EXPECT_EQ(plug.GetParam(1)->value, 1.0) << "the stored value must be stepped";
    EXPECT_EQ(plug.hostEdits, (std::vector<std::pair<int, double>>{{1, 0.74}}))
        << "the host must hear the unstepped value";
    EXPECT_EQ(plug.changed, std::vector<int>{1});
    plug.SetParameterFromEditor(-1, 0.5);
    plug.SetParameterFromEditor(3, 0.5);
    EXPECT_EQ(plug.hostEdits.size(), 1u) << "an index outside the list was not refused";
    EXPECT_EQ(plug.changed.size(), 1u);
}

TEST(IPlugBase, Editor)
{
    bool firstDestroyed = false;
    bool secondDestroyed = false;
    {
        TestPlug plug(3);
        plug.GetParam(0)->DeclareContinuous("GAIN", 9, -18, 18, 0.01);
        plug.AttachEditor(nullptr);
        EXPECT_EQ(plug.Editor(), nullptr);
        auto* first = new RecordingEditor(&firstDestroyed);
        plug.AttachEditor(first);
        EXPECT_EQ(first->synced, (std::vector<std::pair<int, double>>{{0, 0.75}, {1, 0.0}, {2, 0.0}}));
        EXPECT_EQ(first->syncsBeforeBitmaps, 3) << "bitmaps must be built after the controls are synced";

        auto* second = new RecordingEditor(&secondDestroyed);
        plug.AttachEditor(second);
        EXPECT_TRUE(firstDestroyed) << "replacing the editor leaked the old one";
        plug.GetParam(2)->value = 0.5;
        plug.MirrorParamsToEditor();
        EXPECT_EQ(second->mirroredPlain, (std::vector<std::pair<int, double>>{{0, 9.0}, {1, 0.0}, {2, 0.5}}));
    }
    EXPECT_TRUE(secondDestroyed) << "the core must destroy the editor it owns";
}

TEST(IPlugBase, LockIsReentrantAndExclusive)
{
    TestPlug plug(1);
    std::atomic<bool> otherThreadDone{false};
    plug.Lock().Lock();
    plug.Lock().Lock();
    plug.ParameterChanged(0); // takes the lock a third time on this thread
    std::thread other([&] {
        plug.SetParameterFromEditor(0, 1.0);
        otherThreadDone = true;
    });
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    plug.Lock().Unlock();
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    EXPECT_FALSE(otherThreadDone) << "another thread got past the lock while this one held it";
    plug.Lock().Unlock();
    other.join();
    EXPECT_TRUE(otherThreadDone);
}
