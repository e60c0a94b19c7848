#pragma once

#include "vst3/hosting/Module.h"
#include "vst3/hosting/ParameterChanges.h"
#include "vst3/sdk/IAudioProcessor.h"
#include "vst3/sdk/IComponent.h"
#include "vst3/sdk/IEditController.h"
#include "vst3/sdk/IPtr.h"

#include <cstdint>
#include <memory>
#include <random>
#include <string>
#include <vector>

// A strict host for the built Sorvel bundle: it reaches the plug-in only through the module's
// exported entry points and the interfaces its factory hands out.
namespace Conformance {

using namespace Steinberg;

// Set by --long on the command line: the long form of every check.
bool LongRun();
void SetLongRun(bool on);
// Short-form count, or the long-form one under --long.
int Scaled(int shortCount, int longCount);

// The bundle loaded once for the whole run (the module stays loaded, as in a host's scan).
Hosting::Module& SorvelModule();

struct Plugin {
    IPtr<Vst::IComponent> component;
    IPtr<Vst::IAudioProcessor> processor;
    IPtr<Vst::IEditController> controller;
    explicit operator bool() const { return component && processor && controller; }
};

// A new instance of the bundle's class; empty (with a test failure) when creation fails.
Plugin Create();
// Initialised, the given channels in and out, set up, buses active, processing on. False (with
// a test failure) when a step the host relies on is refused.
bool Start(Plugin& plugin, double sampleRate, int maxBlock, bool doublePrecision,
           int channels = 2);
// setActive(0), terminate.
void Stop(Plugin& plugin);

// Host-side parameter count of the core (the bundle's own parameters, not Preset or Bypass).
constexpr int kCoreParameters = 33;
constexpr int kStateBytes = 8 * kCoreParameters + 4;
constexpr Vst::ParamID kBypassId = 0x62706173;
constexpr Vst::ParamID kPresetId = 0x70727374;

// Audio buffers of one block with guard zones on both sides of every channel, in place (the
// outputs are the inputs) or out of place, 32- or 64-bit.
class GuardedBlock {
  public:
    GuardedBlock(int maxFrames, int channels, bool doublePrecision, bool inPlace);

    // Fills the inputs of the first `frames` frames and the guard zones; outputs that are not
    // the inputs get a marker value.
    void SetInput(int channel, int frame, double value);
    double Output(int channel, int frame) const;
    // False when a guard sample or an output frame past `frames` was written.
    bool GuardsIntact(int frames, std::string& where) const;
    // Prepares the frame count and the parameter changes of the next call.
    Vst::ProcessData& Data(int frames, Hosting::ParameterChanges* changes);
    int Channels() const { return channels; }

  private:
    static constexpr int kGuard = 16;
    double Read(const std::vector<uint8_t>& buffer, int index) const;
    void Write(std::vector<uint8_t>& buffer, int index, double value);
    bool Intact(const std::vector<uint8_t>& buffer, int from, int to) const;

    int maxFrames;
    int channels;
    bool doublePrecision;
    bool inPlace;
    std::vector<std::vector<uint8_t>> in, out; // per channel, guard + maxFrames + guard samples
    std::vector<void*> inPointers, outPointers;
    Vst::AudioBusBuffers inBus{}, outBus{};
    Vst::ProcessData data{};
};

// True when every output frame of the block is finite.
bool OutputFinite(const GuardedBlock& block, int frames, std::string& where);

} // namespace Conformance
