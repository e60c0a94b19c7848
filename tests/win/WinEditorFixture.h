#pragma once

#include "WinTestWindows.h"

#include "../graphics/TestPlug.h"
#include "../x11/EditorReference.h"
#include "graphics/IKnobMultiControl.h"
#include "graphics/ISwitchControl.h"
#include "graphics/win/IGraphicsWin.h"
#include "graphics/win/WindowsHeaders.h"
#include "lice/LICE_SysBitmap.h"
#include "tools/plughost/editor/win/ToolWindow.h"

#include <memory>
#include <string>

// IGraphicsWin in a real window of the test's, driven by real window messages.

inline constexpr int kWidth = 200;
inline constexpr int kHeight = 100;
inline constexpr int kKnob = 1;
inline constexpr int kSelector = 2;

// An editor whose images are StripGraphics' made-up strips; it counts what it presents.
class StripWinGraphics : public IGraphicsWin {
  public:
    using IGraphicsWin::IGraphicsWin;
    LICE_IBitmap* LoadResourceImage(int id, const char* name) override {
        return strips.LoadResourceImage(id, name);
    }
    bool PresentToWindow(const PixelRect& rect) override {
        ++presented;
        return IGraphicsWin::PresentToWindow(rect);
    }
    StripGraphics strips{nullptr, 1, 1};
    int presented = 0;
};

inline HWND Hwnd(void* handle) {
    return static_cast<HWND>(handle);
}

inline LPARAM At(int x, int y) {
    return MAKELPARAM(x, y);
}

inline std::wstring ClassOf(HWND window) {
    wchar_t name[64] = {};
    GetClassNameW(window, name, 64);
    return name;
}

inline bool ClassRegistered() {
    WNDCLASSW info;
    return GetClassInfoW(static_cast<HINSTANCE>(GetModuleHandleW(nullptr)), L"IPlugWndClass",
                         &info) != FALSE;
}

class WinEditorTest : public testing::Test {
  protected:
    void SetUp() override {
        REQUIRE_GUI();
        StripGraphics::Register(7101, kWidth, kHeight, 1);
        StripGraphics::Register(7102, 40, 71, 31);
        StripGraphics::Register(7103, 20, 10, 3);
        host = std::make_unique<plughost::editor::ToolWindow>();
        std::string error;
        ASSERT_TRUE(host->Open(kWidth, kHeight, "Sorvel test host", error)) << error;
        editor = MakeEditor(plug);
    }
    void TearDown() override { host.reset(); }

    // Background, a knob on parameter 0 (text entry allowed) and a selector on parameter 2.
    StripWinGraphics* MakeEditor(TestPlug& owner) {
        auto* graphics = new StripWinGraphics(&owner, kWidth, kHeight);
        graphics->InstallBackground(graphics->LoadFrameBitmap(7101, "bg.png", 1));
        auto* knob =
            new IKnobMultiControl(&owner, 10, 10, 0, graphics->LoadFrameBitmap(7102, "k.png", 31));
        knob->SetPromptDisabled(false);
        graphics->AddControl(knob);
        graphics->AddControl(
            new ISwitchControl(&owner, 100, 10, 2, graphics->LoadFrameBitmap(7103, "s.png", 3)));
        owner.AttachEditor(graphics);
        owner.calls.clear();
        return graphics;
    }
    HWND Window() { return Hwnd(editor->WindowHandle()); }
    // What the host's window shows.
    plughost::editor::RgbImage Shown() {
        plughost::editor::RgbImage image;
        std::string error;
        EXPECT_TRUE(host->Capture(image, error)) << error;
        return image;
    }
    void Send(UINT message, WPARAM wParam, LPARAM lParam) {
        SendMessageW(Window(), message, wParam, lParam);
    }

    TestPlug plug;
    StripWinGraphics* editor = nullptr; // owned by plug
    // The host's window: it counts the keys it receives.
    std::unique_ptr<plughost::editor::ToolWindow> host;
};
