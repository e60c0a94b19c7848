#pragma once

#include "EditorReference.h"
#include "X11TestDisplay.h"
#include "engine/SorvelEditorLayout.h"
#include "graphics/x11/IGraphicsX11.h"
#include "lice/LICE_SysBitmap.h"
#include "tools/plughost/editor/EditorFrame.h"
#include "vst3/sdk/IPtr.h"

#include <chrono>
#include <memory>
#include <string>

// Sorvel's editor (with no plug-in behind it) in an IGraphicsX11, embedded in a window of the
// test's, with the tool's run loop playing the host's.
class WindowTest : public testing::Test {
  protected:
    void SetUp() override {
        REQUIRE_X_DISPLAY();
        host = std::make_unique<TestDisplay>();
        ASSERT_NE(host->Connection(), nullptr);
        parent = host->OpenParent(kSorvelEditorWidth, kSorvelEditorHeight);
        editor.reset(dynamic_cast<IGraphicsX11*>(BuildSorvelEditor(nullptr)));
        ASSERT_TRUE(editor) << "the platform's editor is not the X11 one";
        editor->CreateDrawingBitmaps();
        frame = Steinberg::IPtr<plughost::editor::EditorFrame>::adopt(
            new plughost::editor::EditorFrame(nullptr));
    }
    void TearDown() override {
        editor.reset();
        host.reset();
    }

    plughost::editor::HostRunLoop& Loop() { return frame->Loop(); }
    void UseHostLoop() {
        editor->SetHostEventLoop(static_cast<Steinberg::Linux::IRunLoop*>(frame.get()));
    }
    void* ParentHandle() const { return reinterpret_cast<void*>(static_cast<uintptr_t>(parent)); }
    Window EditorWindow() { return Window(reinterpret_cast<uintptr_t>(editor->WindowHandle())); }

    void RunFor(int ms) {
        const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
        while (std::chrono::steady_clock::now() < end) {
            XSync(host->Connection(), False);
            Loop().RunOnce(5);
        }
    }
    // "" when the window shows exactly the drawing bitmap.
    std::string ShownDiffersFromDrawn() {
        return DescribeDifference(
            host->Pixels(EditorWindow(), kSorvelEditorWidth, kSorvelEditorHeight),
            ImageOf(*editor->DrawingBitmap()));
    }

    std::unique_ptr<TestDisplay> host;
    Window parent = 0;
    std::unique_ptr<IGraphicsX11> editor;
    Steinberg::IPtr<plughost::editor::EditorFrame> frame;
};
