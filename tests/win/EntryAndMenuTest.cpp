#include "WinEditorFixture.h"

#include "graphics/IPopupMenu.h"

#include <cstring>
#include <string>
#include <vector>

using plughost::editor::RgbImage;

// The text box, the popup menu and the dialogs of IGraphicsWin, driven by the messages a user's
// typing, clicking and menu keys produce.
namespace {

HWND EntryBox(HWND editor) {
    return GetDlgItem(editor, IGraphicsWin::kEntryControlId);
}

std::wstring TextOf(HWND window) {
    wchar_t text[64] = {};
    GetWindowTextW(window, text, 64);
    return text;
}

void Type(HWND box, const char* characters) {
    for (const char* c = characters; *c; ++c)
        SendMessageW(box, WM_CHAR, WPARAM(static_cast<unsigned char>(*c)), 1);
}

// What the menu showed, collected from inside its modal loop.
struct MenuSeen {
    std::vector<std::wstring> labels;
    std::vector<UINT> submenuIds;
    std::vector<WPARAM> keys; // played into the menu once it is seen
};
MenuSeen* seen = nullptr;

void CALLBACK ReadAndChoose(HWND, UINT, UINT_PTR timer, DWORD) {
    HWND menuWindow = FindWindowW(L"#32768", nullptr);
    if (!menuWindow || !seen)
        return;
    KillTimer(nullptr, timer);
    auto menu = reinterpret_cast<HMENU>(SendMessageW(menuWindow, MN_GETHMENU, 0, 0));
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        wchar_t label[64] = {};
        GetMenuStringW(menu, UINT(i), label, 64, MF_BYPOSITION);
        seen->labels.push_back(label);
        if (HMENU sub = GetSubMenu(menu, i))
            for (int j = 0; j < GetMenuItemCount(sub); ++j)
                seen->submenuIds.push_back(GetMenuItemID(sub, j));
    }
    for (WPARAM key : seen->keys) {
        PostMessageW(menuWindow, WM_KEYDOWN, key, 0);
        PostMessageW(menuWindow, WM_KEYUP, key, 0);
    }
}

// Answers the next dialog of the thread with a button, noting its title and owner.
struct DialogSeen {
    int button = IDCANCEL;
    std::wstring title;
    HWND owner = nullptr;
};
DialogSeen* dialog = nullptr;

BOOL CALLBACK FindDialog(HWND window, LPARAM found) {
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (process == GetCurrentProcessId() && IsWindowVisible(window) &&
        ClassOf(window) == L"#32770") {
        *reinterpret_cast<HWND*>(found) = window;
        return FALSE;
    }
    return TRUE;
}

void CALLBACK AnswerDialog(HWND, UINT, UINT_PTR timer, DWORD) {
    HWND found = nullptr;
    EnumWindows(FindDialog, reinterpret_cast<LPARAM>(&found));
    if (!found || !dialog)
        return;
    KillTimer(nullptr, timer);
    dialog->title = TextOf(found);
    dialog->owner = GetWindow(found, GW_OWNER);
    PostMessageW(found, WM_COMMAND, MAKEWPARAM(dialog->button, BN_CLICKED), 0);
}

// Runs `show` while the next dialog is answered with `button`.
template <typename Show> DialogSeen Answered(int button, Show show) {
    DialogSeen seen;
    seen.button = button;
    dialog = &seen;
    SetTimer(nullptr, 0, 50, AnswerDialog);
    show();
    dialog = nullptr;
    return seen;
}

} // namespace

TEST_F(WinEditorTest, TextEntryAppliesOrDiscardsOnTheNextTick) {
    ASSERT_NE(editor->OpenWindow(host->Handle()), nullptr);
    PumpMessages(100);
    IControl* knob = editor->GetControl(kKnob);
    ICoreParameter* gain = plug.GetParam(0);
    auto open = [&] {
        editor->PromptForParameterValue(knob, gain, knob->Rect());
        HWND box = EntryBox(Window());
        EXPECT_NE(box, nullptr);
        EXPECT_EQ(GetFocus(), box);
        EXPECT_EQ(editor->Entry().State(), EntryTyping);
        return box;
    };
    {
        SCOPED_TRACE("the value in the box, letters refused, Enter applies on the tick");
        HWND box = open();
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(TextOf(box), L"0.00");
        PumpMessages(120);
        knob->MarkChanged(false);
        InvalidateRect(Window(), nullptr, FALSE);
        PumpMessages(120);
        const RgbImage shown = Shown();
        int white = 0;
        for (int y = 12; y < 80; ++y)
            for (int x = 12; x < 49; ++x)
                white += shown.At(x, y)[0] == 255 && shown.At(x, y)[1] == 255;
        EXPECT_GT(white, 37 * 68 / 2) << "the box, not the knob, shows through repaints";
        Type(box, "x-1.5y");
        EXPECT_EQ(TextOf(box), L"-1.5");
        auto font = reinterpret_cast<HGDIOBJ>(SendMessageW(box, WM_GETFONT, 0, 0));
        EXPECT_EQ(GetObjectType(font), DWORD(OBJ_FONT)) << "the style's font";
        SendMessageW(box, WM_KEYDOWN, VK_RETURN, 0);
        EXPECT_EQ(gain->value, 0.0) << "nothing before the tick";
        PumpMessages(120);
        EXPECT_EQ(EntryBox(Window()), nullptr);
        EXPECT_EQ(GetObjectType(font), 0u) << "the box's font went with it";
        EXPECT_EQ(gain->value, -1.5);
    }
    {
        SCOPED_TRACE("a second entry while one is open is ignored");
        HWND box = open();
        editor->PromptForParameterValue(knob, gain, PixelRect{0, 0, 50, 20});
        EXPECT_EQ(EntryBox(Window()), box);
        SCOPED_TRACE("escape discards");
        Type(box, "9");
        SendMessageW(box, WM_KEYDOWN, VK_ESCAPE, 0);
        PumpMessages(120);
        EXPECT_EQ(EntryBox(Window()), nullptr);
        EXPECT_EQ(gain->value, -1.5);
    }
    {
        SCOPED_TRACE("a click in the editor while the box has the focus discards, after ticks");
        HWND box = open();
        Type(box, "7");
        PumpMessages(120);
        ASSERT_EQ(EntryBox(Window()), box) << "ticks alone close nothing";
        SendMessageW(Window(), WM_LBUTTONDOWN, MK_LBUTTON, At(150, 80));
        PumpMessages(120);
        EXPECT_EQ(EntryBox(Window()), nullptr);
        EXPECT_EQ(gain->value, -1.5);
    }
    {
        SCOPED_TRACE("the box losing the focus to another window applies");
        HWND box = open();
        Type(box, "3");
        SetFocus(Hwnd(host->Handle()));
        PumpMessages(120);
        EXPECT_EQ(EntryBox(Window()), nullptr);
        EXPECT_EQ(gain->value, 3.0);
    }
}

TEST_F(WinEditorTest, PopupMenuNumbersDepthFirstAndReturnsTheChoice) {
    ASSERT_NE(editor->OpenWindow(host->Handle()), nullptr);
    PumpMessages(100);
    // a, b, c > [p, q], with two-digit numbering in the top menu
    auto* sub = new IPopupMenu;
    sub->AddItem("p");
    sub->AddItem("q");
    IPopupMenu top;
    top.SetPrefix(IPopupMenu::PrefixTwoDigits);
    top.AddItem("a");
    top.AddItem("b");
    top.AddItem("c", 0, sub);

    MenuSeen picked;
    picked.keys = {VK_DOWN, VK_DOWN, VK_RETURN};
    seen = &picked;
    SetTimer(nullptr, 0, 50, ReadAndChoose);
    IPopupMenu* chosen = editor->PopupMenuAt(top, PixelRect{10, 10, 50, 20});
    EXPECT_EQ(picked.labels, (std::vector<std::wstring>{L"01: a", L"02: b", L"03: c"}));
    EXPECT_EQ(picked.submenuIds, (std::vector<UINT>{3, 4})) << "the submenu continues the count";
    EXPECT_EQ(chosen, &top);
    EXPECT_EQ(top.ChosenItem(), 1);

    MenuSeen dismissed;
    dismissed.keys = {VK_ESCAPE};
    seen = &dismissed;
    SetTimer(nullptr, 0, 50, ReadAndChoose);
    EXPECT_EQ(editor->PopupMenuAt(top, PixelRect{10, 10, 50, 20}), nullptr);
    seen = nullptr;
}

TEST_F(WinEditorTest, ClipboardTextArrivesAsUtf8) {
    ASSERT_NE(editor->OpenWindow(host->Handle()), nullptr);
    auto put = [](const wchar_t* text) {
        ASSERT_TRUE(OpenClipboard(nullptr));
        EmptyClipboard();
        if (text) {
            const size_t bytes = (wcslen(text) + 1) * sizeof(wchar_t);
            HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes);
            std::memcpy(GlobalLock(memory), text, bytes);
            GlobalUnlock(memory);
            SetClipboardData(CF_UNICODETEXT, memory);
        }
        CloseClipboard();
    };
    TextBuffer out;
    put(L"Gr\u00fc\u00dfe");
    EXPECT_TRUE(editor->ReadClipboardText(out));
    EXPECT_STREQ(out.Get(), "Gr\xc3\xbc\xc3\x9f"
                            "e");
    put(nullptr);
    EXPECT_FALSE(editor->ReadClipboardText(out));
    EXPECT_STREQ(out.Get(), "") << "no text on the clipboard";
}

TEST_F(WinEditorTest, DialogsBelongToTheHostAndReportTheAnswer) {
    ASSERT_NE(editor->OpenWindow(host->Handle()), nullptr);
    PumpMessages(100);
    {
        SCOPED_TRACE("a message box is owned by the host's top window and answers");
        int result = 0;
        const DialogSeen seen = Answered(
            IDOK, [&] { result = editor->ShowMessageBox("text", "Caption", MB_OKCANCEL); });
        EXPECT_EQ(result, IDOK);
        EXPECT_EQ(seen.title, L"Caption");
        EXPECT_EQ(seen.owner, Hwnd(host->Handle()));
    }
    {
        SCOPED_TRACE("a web page the user does not confirm stays closed");
        bool opened = true;
        const DialogSeen seen = Answered(IDNO, [&] {
            opened = editor->OpenUrl("https://example.invalid/", "Sorvel", "Open the page?", "");
        });
        EXPECT_FALSE(opened);
        EXPECT_EQ(seen.title, L"Sorvel");
    }
    {
        SCOPED_TRACE("the colour dialog carries the title; OK keeps the preselected colour");
        Colour colour{200, 10, 20, 30};
        bool chosen = false;
        const DialogSeen seen =
            Answered(IDOK, [&] { chosen = editor->PromptForColour(colour, "Knob colour"); });
        EXPECT_TRUE(chosen);
        EXPECT_EQ(seen.title, L"Knob colour");
        EXPECT_EQ(colour.red, 10);
        EXPECT_EQ(colour.green, 20);
        EXPECT_EQ(colour.blue, 30);
        EXPECT_EQ(colour.alpha, 200);
        Answered(IDCANCEL, [&] { chosen = editor->PromptForColour(colour, "Knob colour"); });
        EXPECT_FALSE(chosen);
    }
    {
        SCOPED_TRACE("a cancelled file dialog gives no file");
        TextBuffer file("preset.fxp");
        TextBuffer folder;
        Answered(IDCANCEL, [&] { editor->PromptForFile(file, 0, folder, "fxp fxb"); });
        EXPECT_STREQ(file.Get(), "");
    }
    {
        SCOPED_TRACE("resizing grows the window by the difference and asks the host");
        editor->ResizeEditor(kWidth + 20, kHeight + 10);
        RECT r{};
        GetClientRect(Window(), &r);
        EXPECT_EQ(r.right, kWidth + 20);
        EXPECT_EQ(r.bottom, kHeight + 10);
        EXPECT_EQ(Describe(plug.calls),
                  Describe({{HostCall::Resize, kWidth + 20, double(kHeight + 10)}}));
    }
}
