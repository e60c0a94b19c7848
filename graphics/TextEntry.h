#pragma once

#include <cstdint>

class ICoreParameter;
class IControl;

enum TextEntryState : int32_t {
    EntryIdle = 0,
    EntryTyping = 1,          // the entry box has the keyboard focus; ticks keep this state
    EntryRedrawn = 2,         // the editor was redrawn around the open box
    EntryCancelRequested = 3, // discard on the next tick
    EntryCommitRequested = 4, // apply on the next tick
};

// What the window layer does on a timer tick while it may have an entry box open.
enum class EntryTick {
    Redraw,  // no entry business: collect and redraw the dirty area
    Wait,    // the tick was spent on the entry
    Discard, // destroy the box, then Close()
    Commit,  // read the box's text, Commit() it, then destroy the box
};

// The platform-neutral side of a text entry over a control: which control and parameter are
// edited, the state the box's and the editor's events move through, the character filter and
// the step that applies typed text. The window layer owns the native edit box and reports its
// events here. User-interface thread.
class TextEntry {
  public:
    // Typed text longer than this is cut before it is applied.
    static constexpr int kMaxAppliedLength = 31;

    // False, changing nothing, without a control or while an entry is open.
    bool Open(IControl* control, ICoreParameter* parameter);
    bool IsOpen() const { return control != nullptr; }
    int32_t State() const { return state; }
    IControl* Control() const { return control; }
    ICoreParameter* Parameter() const { return parameter; }

    // Events of the entry box.
    void FocusGained();
    void FocusLost();
    void EnterPressed();
    void EscapePressed();
    void CommandNotified(int code);
    bool AcceptsCharacter(int character) const;

    // Events of the editor window while the box is open.
    void EditorButtonPressed();
    void EditorWheelTurned();
    void EditorRedrawnAround();
    void Cancel();

    EntryTick Tick();
    // Applies the typed text to the control and forgets the entry.
    void Commit(const char* typedText);
    // Forgets the entry without applying anything.
    void Close();

  private:
    void Request(int32_t newState);

    IControl* control = nullptr;
    ICoreParameter* parameter = nullptr;
    int32_t state = EntryIdle;
};

// Whether an entry for `parameter` takes `character`: numbers only for numeric kinds, with a
// decimal point for continuous ones; anything without a parameter or for an unset kind.
bool EntryAcceptsCharacter(const ICoreParameter* parameter, int character);

// Converts typed text for `parameter` (display text or number) and gives the control its
// normalised value; without a parameter the control gets the text itself.
void ApplyEntryText(IControl* control, ICoreParameter* parameter, const char* text);
