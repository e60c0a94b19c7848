#pragma once

#include "vst3/hosting/Module.h"
#include "vst3/hosting/ParameterChanges.h"
#include "vst3/sdk/IAudioProcessor.h"
#include "vst3/sdk/IComponent.h"
#include "vst3/sdk/IEditController.h"
#include "vst3/sdk/IPtr.h"

#include <memory>
#include <string>
#include <vector>

// An in-process host for the built bundles: it reaches a plug-in only through the module's
// exported entry points and the interfaces the factory hands out.
namespace PluginTestHost {

using namespace Steinberg;

// What the tests know of a bundle before loading it.
struct BundleUnderTest {
    const char* label;
    std::string path;
    int hostParameters; // "Preset", "Bypass" and the core parameters
    const char* classIdText; // the 32-digit text form, the same on every platform
    const char* className;
    const char* version;
};

std::vector<BundleUnderTest> BuiltBundles();

// Loads the bundle through ModuleEntry and GetPluginFactory; a failure is reported to the test.
std::unique_ptr<Hosting::Module> Load(const std::string& bundlePath);

// One instance of the module's first class, held as a host holds it.
struct Instance {
    IPtr<Vst::IComponent> component;
    IPtr<Vst::IAudioProcessor> processor;
    IPtr<Vst::IEditController> controller;
};
Instance Create(IPluginFactory* factory);

// Initialised, stereo, set up for `blockSize` frames, output bus active, processing on.
Instance CreateRunning(IPluginFactory* factory, int blockSize, bool doublePrecision);

// One audio block with a stereo input bus and a stereo output bus (channel counts adjustable),
// input channel c holding c + 1 + n / 1000 at frame n, and the outputs filled with -7.
class AudioBlock {
  public:
    AudioBlock(int frames, bool doublePrecision, int inChannels = 2, int outChannels = 2);

    // Adds a point to the queue of `id`.
    void Change(Vst::ParamID id, double value, int offset = 0);
    Vst::ProcessData& Data();

    double In(int channel, int frame) const;
    double Out(int channel, int frame) const;
    // The input times `factor`, rounded to the block's sample size as an output would be.
    double Scaled(int channel, int frame, double factor) const;
    int Frames() const { return frames; }

  private:
    int frames;
    bool doublePrecision;
    std::vector<std::vector<float>> in32, out32;
    std::vector<std::vector<double>> in64, out64;
    std::vector<void*> inPointers, outPointers;
    Vst::AudioBusBuffers inBus{}, outBus{};
    IPtr<Hosting::ParameterChanges> changes;
    Vst::ProcessData data{};
};

// The text of a 128-unit host string.
std::string Narrow(const Vst::TChar* text);

} // namespace PluginTestHost
