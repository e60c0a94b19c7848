#include "EditorFixture.h"

#include "graphics/IPopupMenu.h"
#include "graphics/TextEntry.h"

#include <string>

namespace {

std::string Shown(const IPopupMenu& menu, int item) {
    TextBuffer text;
    menu.ShownLabel(item, text);
    return text.Get();
}

// Remembers what it was given as text and which menu it showed.
class RecordingControl : public IControl {
  public:
    using IControl::IControl;
    void Draw(IGraphics*) override {}
    void SetTextFromEntry(const char* text) override { received = text; }
    std::string received;
};

class MenuCapture : public StripGraphics {
  public:
    using StripGraphics::StripGraphics;
    IPopupMenu* PopupMenuAt(IPopupMenu& menu, const PixelRect& rect) override {
        labels.clear();
        for (int i = 0; i < menu.NItems(); ++i)
            labels += Shown(menu, i) + ((menu.ItemFlags(i) & IPopupMenu::ItemChecked) ? "* " : " ");
        return StripGraphics::PopupMenuAt(menu, rect);
    }
    std::string labels;
};

} // namespace

TEST(PopupMenu, NumbersItemsDepthFirstAndFindsThemAgain) {
    // top: a, b > [x, y > [t1, t2]], c > [p, q, r]
    auto* deepest = new IPopupMenu;
    deepest->AddItem("t1");
    deepest->AddItem("t2");
    auto* first = new IPopupMenu;
    first->AddItem("x");
    first->AddItem("y", 0, deepest);
    auto* second = new IPopupMenu;
    second->AddItem("p");
    second->AddItem("q");
    second->AddItem("r");
    IPopupMenu top;
    top.AddItem("a");
    top.AddItem("b", 0, first);
    top.AddItem("c", 0, second);

    EXPECT_EQ(top.CommandEnd(0), 10);
    EXPECT_EQ(top.SubMenuFirstCommand(0, 1), 3) << "the top block 0..2 is reserved first";
    EXPECT_EQ(first->SubMenuFirstCommand(3, 1), 5);
    EXPECT_EQ(top.SubMenuFirstCommand(0, 2), 7) << "after b's block and its submenu's";

    struct Pick {
        int command;
        IPopupMenu* menu;
        int item;
    };
    const Pick picks[] = {{0, &top, 0},    {2, &top, 2},   {4, first, 1},
                          {6, deepest, 1}, {7, second, 0}, {9, second, 2}};
    for (const Pick& pick : picks) {
        SCOPED_TRACE(::testing::Message() << "command " << pick.command);
        EXPECT_EQ(top.ChooseCommand(pick.command), pick.menu);
        EXPECT_EQ(pick.menu->ChosenItem(), pick.item);
    }
    EXPECT_EQ(top.ChooseCommand(10), nullptr);
    EXPECT_EQ(top.ChooseCommand(-1), nullptr);

    second->SetPrefix(IPopupMenu::PrefixTwoDigits);
    EXPECT_EQ(Shown(*second, 0), "01: p");
    EXPECT_EQ(Shown(*second, 2), "03: r");
    second->SetPrefix(IPopupMenu::PrefixThreeDigits);
    EXPECT_EQ(Shown(*second, 1), "002: q");
    second->SetPrefix(IPopupMenu::PrefixOneDigit);
    EXPECT_EQ(Shown(*second, 1), "2: q");
    EXPECT_EQ(Shown(top, 0), "a");
}

TEST(TextEntry, StatesFollowTheBoxAndTheEditor) {
    TestPlug plug;
    RecordingControl control(&plug, PixelRect{0, 0, 10, 10}, -1);
    TextEntry entry;
    EXPECT_EQ(entry.Tick(), EntryTick::Redraw) << "no entry open";
    EXPECT_FALSE(entry.Open(nullptr, nullptr));
    ASSERT_TRUE(entry.Open(&control, nullptr));
    EXPECT_FALSE(entry.Open(&control, nullptr)) << "one entry at a time";

    struct Step {
        const char* what;
        void (TextEntry::*event)();
        int32_t state;
    };
    const Step steps[] = {
        {"focus gained", &TextEntry::FocusGained, EntryTyping},
        {"wheel while typing is ignored", &TextEntry::EditorWheelTurned, EntryTyping},
        {"press in the editor while typing cancels", &TextEntry::EditorButtonPressed,
         EntryCancelRequested},
        {"enter commits", &TextEntry::EnterPressed, EntryCommitRequested},
        {"escape cancels", &TextEntry::EscapePressed, EntryCancelRequested},
        {"losing the focus commits", &TextEntry::FocusLost, EntryCommitRequested},
        {"the wheel cancels", &TextEntry::EditorWheelTurned, EntryCancelRequested},
        {"a press after typing commits", &TextEntry::EditorButtonPressed, EntryCommitRequested},
        {"a redraw around the box", &TextEntry::EditorRedrawnAround, EntryRedrawn},
    };
    for (const Step& step : steps) {
        (entry.*step.event)();
        EXPECT_EQ(entry.State(), step.state) << step.what;
    }
    EXPECT_EQ(entry.Tick(), EntryTick::Wait);
    EXPECT_EQ(entry.State(), EntryIdle) << "a tick returns a passing state to idle";
    entry.CommandNotified(2);
    EXPECT_EQ(entry.State(), EntryIdle);
    entry.CommandNotified(1);
    EXPECT_EQ(entry.Tick(), EntryTick::Commit);
    entry.Commit("a very long text that goes on past thirty-one characters");
    EXPECT_EQ(control.received, "a very long text that goes on p");
    EXPECT_FALSE(entry.IsOpen());
    EXPECT_EQ(entry.Tick(), EntryTick::Redraw);

    ASSERT_TRUE(entry.Open(&control, nullptr));
    entry.FocusGained();
    EXPECT_EQ(entry.Tick(), EntryTick::Wait);
    entry.EditorButtonPressed();
    EXPECT_EQ(entry.Tick(), EntryTick::Discard)
        << "a press while the box has the focus discards, ticks or not";
}

TEST(TextEntry, CharacterFilterFollowsTheParameterKind) {
    TestPlug plug;
    const std::string all = "+-.0123456789aZ ,";
    auto accepted = [&](const ICoreParameter* parameter) {
        std::string kept;
        for (char c : all)
            if (EntryAcceptsCharacter(parameter, c))
                kept += c;
        return kept;
    };
    EXPECT_EQ(accepted(plug.GetParam(0)), "+-.0123456789") << "continuous";
    EXPECT_EQ(accepted(plug.GetParam(2)), "+-0123456789") << "integer";
    EXPECT_EQ(accepted(plug.GetParam(3)), "+-0123456789") << "enumerated";
    EXPECT_EQ(accepted(plug.GetParam(4)), all) << "unset kind";
    EXPECT_EQ(accepted(nullptr), all) << "no parameter";
    EXPECT_TRUE(EntryAcceptsCharacter(plug.GetParam(2), 8)) << "backspace";
}

TEST(TextEntry, PromptsApplyTypedAndChosenValues) {
    TestPlug plug;
    auto* graphics = new MenuCapture(&plug, 100, 100);
    auto* gain = new RecordingControl(&plug, PixelRect{10, 10, 50, 30}, 0);
    auto* choice = new RecordingControl(&plug, PixelRect{60, 10, 90, 30}, 3);
    graphics->AddControl(gain);
    graphics->AddControl(choice);
    gain->SetPromptDisabled(false);
    choice->SetPromptDisabled(false);
    plug.AttachEditor(graphics);
    plug.GetParam(0)->value = -4.5;
    plug.calls.clear();
    {
        SCOPED_TRACE("a continuous parameter opens a text box with its value");
        gain->MousePressed(20, 20, MouseMods{false, true});
        ASSERT_TRUE(graphics->Entry().IsOpen());
        EXPECT_STREQ(graphics->EntryText(), "-4.50");
        graphics->TypeIntoEntry("\b\b\b\b\b");
        graphics->TypeIntoEntry("9x.25");
        graphics->TypeIntoEntry("123456");
        EXPECT_STREQ(graphics->EntryText(), "9.25123") << "letters refused, seven characters";
        graphics->TypeIntoEntry("\b\b\b\b\b");
        graphics->Entry().EnterPressed();
        graphics->TimerTick();
        EXPECT_FALSE(graphics->Entry().IsOpen());
        EXPECT_EQ(plug.GetParam(0)->value, 9.0);
        EXPECT_DOUBLE_EQ(gain->GetValue(), 0.75);
        ASSERT_EQ(plug.calls.size(), 1u) << Describe(plug.calls);
        EXPECT_DOUBLE_EQ(plug.calls[0].value, 0.75);
    }
    {
        SCOPED_TRACE("escape discards the typed text");
        gain->PromptForValue();
        graphics->TypeIntoEntry("\b\b\b\b1");
        graphics->Entry().EscapePressed();
        graphics->TimerTick();
        EXPECT_FALSE(graphics->Entry().IsOpen());
        EXPECT_EQ(plug.GetParam(0)->value, 9.0);
    }
    {
        SCOPED_TRACE("an enumerated parameter offers its texts, the current one checked");
        plug.GetParam(3)->value = 1.0;
        graphics->ScriptMenuChoice(2);
        choice->PromptForValue();
        EXPECT_EQ(graphics->labels, "low mid* high ");
        EXPECT_EQ(choice->GetValue(), 1.0);
        EXPECT_EQ(plug.GetParam(3)->value, 2.0);
        graphics->ScriptMenuChoice(-1);
        choice->PromptForValue();
        EXPECT_EQ(plug.GetParam(3)->value, 2.0) << "a dismissed menu changes nothing";
    }
    {
        SCOPED_TRACE("typed text for an enumerated parameter matches a display text");
        ApplyEntryText(choice, plug.GetParam(3), "mid");
        EXPECT_EQ(plug.GetParam(3)->value, 1.0);
        ApplyEntryText(choice, plug.GetParam(3), "nothing");
        EXPECT_EQ(plug.GetParam(3)->value, 0.0) << "no match selects 0";
    }
}
