// libFuzzer entry for the state a host hands back: the controller's setState must load any
// bytes, delivered in any pieces and failing at any read, into values inside their ranges;
// the component's setState, reading the same state, must answer the same.
//
// Input: byte 0 is the most a read delivers (0: all asked; with bit 7 set a short block is
// processed afterwards), byte 1 the number of reads that succeed before every further one
// fails (255: none fails), the rest is the stream.
#include "engine/Sorvel.h"
#include "vst3/hosting/MemoryStream.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

using namespace Steinberg;

namespace {

class PieceStream : public Hosting::MemoryStream {
  public:
    PieceStream(std::vector<uint8> bytes, int32 bytesPerCall)
        : MemoryStream(std::move(bytes)), bytesPerCall(bytesPerCall) {}
    tresult PLUGIN_API read(void* buffer, int32 numBytes, int32* numBytesRead) override {
        const int32 asked = bytesPerCall > 0 && numBytes > bytesPerCall ? bytesPerCall : numBytes;
        return MemoryStream::read(buffer, asked, numBytesRead);
    }

  private:
    int32 bytesPerCall;
};

// One instance for the whole run, as a host keeps a plug-in while a user loads states.
Sorvel& Plugin() {
    static Sorvel* plugin = [] {
        auto* created = new Sorvel;
        created->initialize(nullptr);
        Vst::ProcessSetup setup{Vst::kRealtime, Vst::kSample64, 64, 48000.0};
        created->setupProcessing(setup);
        created->activateBus(Vst::kAudio, Vst::kOutput, 0, 1);
        created->activateBus(Vst::kAudio, Vst::kInput, 0, 1);
        created->setActive(1);
        return created;
    }();
    return *plugin;
}

void Check(bool condition) {
    if (!condition)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 2)
        return 0;
    Sorvel& plugin = Plugin();
    const int32 bytesPerCall = data[0] & 0x7F;
    const bool processAfterwards = (data[0] & 0x80) != 0;
    const int32 failAfter = data[1] == 255 ? -1 : data[1];
    std::vector<uint8> bytes(data + 2, data + size);

    IPtr<PieceStream> stream = IPtr<PieceStream>::adopt(new PieceStream(bytes, bytesPerCall));
    stream->failReadsAfter(failAfter);
    Vst::IEditController& controller = plugin;
    const tresult result = controller.setState(stream.get());
    Check(result == kResultOk || result == kResultFalse);

    IPtr<PieceStream> again = IPtr<PieceStream>::adopt(new PieceStream(bytes, bytesPerCall));
    again->failReadsAfter(failAfter);
    Check(static_cast<Vst::IComponent&>(plugin).setState(again.get()) == result);

    for (Vst::ParamID id = 0; id < static_cast<Vst::ParamID>(plugin.NParams()); ++id) {
        const double v = plugin.getParamNormalized(id);
        Check(v >= 0.0 && v <= 1.0);
    }
    IPtr<Hosting::MemoryStream> saved =
        IPtr<Hosting::MemoryStream>::adopt(new Hosting::MemoryStream);
    Check(controller.getState(saved.get()) == kResultOk);
    Check(saved->data().size() == 8u * plugin.NParams() + 4);

    if (!processAfterwards)
        return 0;
    // A short block through the state just loaded: the output must stay finite.
    double left[16], right[16];
    for (int n = 0; n < 16; ++n)
        left[n] = right[n] = std::sin(0.3 * n);
    double* channels[] = {left, right};
    Vst::AudioBusBuffers in{}, out{};
    in.numChannels = out.numChannels = 2;
    in.channelBuffers64 = out.channelBuffers64 = channels;
    Vst::ProcessData block{};
    block.symbolicSampleSize = Vst::kSample64;
    block.numSamples = 16;
    block.numInputs = block.numOutputs = 1;
    block.inputs = &in;
    block.outputs = &out;
    plugin.process(block);
    for (int n = 0; n < 16; ++n)
        Check(std::isfinite(left[n]) && std::isfinite(right[n]));
    return 0;
}
