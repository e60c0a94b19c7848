#pragma once

#include "core/IPlugBase.h"

#include <utility>
#include <vector>

// The smallest concrete core: what it would tell the host and the engine is recorded.
class TestPlug : public IPlugBase {
public:
    explicit TestPlug(int parameterCount = 33, const char* channelIo = "1-1 2-2", int presetCount = 1)
        : IPlugBase(PlugConfig{parameterCount, channelIo, presetCount, "Test", "", "", 0, 0, 0})
    {
    }

    void ParameterChanged(int index) override
    {
        IPlugBase::ParameterChanged(index);
        changed.push_back(index);
    }
    void PresetRestored() override { ++presetsRestored; }
    void SendHostEdit(int index, double normalised) override { hostEdits.emplace_back(index, normalised); }

    void BeginHostEdit(int) override {}
    void EndHostEdit(int) override {}
    void UnusedHook22() override {}
    int HostSamplePosition() override { return 0; }
    double HostTempo() override { return 120.0; }
    void HostTimeSignature(int*, int*) override {}
    void HostTransport(TransportRecord*) override {}
    void ResizeEditorWindow(int, int) override {}
    bool MidiMessageOut(const MidiMessage&) override { return false; }

    // What the format adapter does at construction.
    void CreateLatencyDelay()
    {
        latencyDelay = new LatencyDelay(static_cast<uint32_t>(NInChannels()), static_cast<uint32_t>(NOutChannels()));
    }

    std::vector<int> changed;
    std::vector<std::pair<int, double>> hostEdits;
    int presetsRestored = 0;
};

// An editor that remembers what the core told it.
class RecordingEditor : public IEditorLink {
public:
    explicit RecordingEditor(bool* destroyed = nullptr) : destroyed(destroyed) {}
    ~RecordingEditor() override
    {
        if (destroyed) *destroyed = true;
    }

    void SyncControlsFromCore(int paramIdx, double normalised) override { synced.emplace_back(paramIdx, normalised); }
    void ParameterChangedInCore(int paramIdx, double value, bool normalised) override
    {
        if (!normalised) mirroredPlain.emplace_back(paramIdx, value);
    }
    void CreateDrawingBitmaps() override { syncsBeforeBitmaps = static_cast<int>(synced.size()); }

    std::vector<std::pair<int, double>> synced;
    std::vector<std::pair<int, double>> mirroredPlain;
    int syncsBeforeBitmaps = -1;

private:
    bool* destroyed;
};
