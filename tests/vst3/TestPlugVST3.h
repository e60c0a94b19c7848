#pragma once

#include "graphics/IGraphicsHeadless.h"
#include "tests/vst3/TestPlugParams.h"
#include "vst3/IPlugVST3.h"

#include <vector>

// A small plug-in on the VST 3 adapter whose behaviour a host can observe: the output is the
// input times (1 + Mode), "Latency" becomes the reported latency when processing starts, and
// its parameters cover the kinds, display texts, groups and shapes the adapter presents.
class TestPlugVST3 : public IPlugVST3 {
  public:
    using enum TestPlugParams::Param;
    static constexpr int kEditorWidth = 1156;
    static constexpr int kEditorHeight = 456;

    explicit TestPlugVST3(bool withEditor = true);

    void ParameterChanged(int index) override;
    void ProcessBlock(double** inputs, double** outputs, int frames) override;
    void ActivationChanged(bool active) override;
    void EditorOpened() override { ++editorOpened; }
    void EditorClosed() override { ++editorClosed; }
    void EditorResized() override { ++editorResized; }

    int parameterChanges = 0;
    int editorOpened = 0;
    int editorClosed = 0;
    int editorResized = 0;
};

// A window-less editor that remembers what the view and the core asked of it.
class TestPlugEditor : public IGraphicsHeadless {
  public:
    struct Mirror {
        int index;
        double value;
        bool normalised;
    };

    explicit TestPlugEditor(IPlugBase* plug)
        : IGraphicsHeadless(plug, TestPlugVST3::kEditorWidth, TestPlugVST3::kEditorHeight) {}

    // The parent stands in for the window, unless the window is made to fail.
    void* OpenWindow(void* parent) override {
        openedWith.push_back(parent);
        return windowFails ? nullptr : parent;
    }
    void CloseWindow() override { ++closed; }
    double SystemScale(void*) override { return systemScale; }
    void ParameterChangedInCore(int index, double value, bool normalised) override {
        IGraphicsHeadless::ParameterChangedInCore(index, value, normalised);
        mirrored.push_back({index, value, normalised});
    }

    bool windowFails = false;
    double systemScale = 1.0;
    std::vector<void*> openedWith;
    int closed = 0;
    std::vector<Mirror> mirrored;
};
