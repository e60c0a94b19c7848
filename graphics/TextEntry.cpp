#include "graphics/TextEntry.h"

#include "core/ICoreParameter.h"
#include "graphics/IControl.h"

#include <cstring>

namespace {

constexpr int kBackspace = 8;
constexpr int kCommandCommit = 1;

} // namespace

bool TextEntry::Open(IControl* newControl, ICoreParameter* newParameter) {
    if (!newControl || control)
        return false;
    control = newControl;
    parameter = newParameter;
    state = EntryIdle;
    return true;
}

void TextEntry::Request(int32_t newState) {
    if (control)
        state = newState;
}

void TextEntry::FocusGained() {
    Request(EntryTyping);
}

void TextEntry::FocusLost() {
    Request(EntryCommitRequested);
}

void TextEntry::EnterPressed() {
    Request(EntryCommitRequested);
}

void TextEntry::EscapePressed() {
    Request(EntryCancelRequested);
}

void TextEntry::CommandNotified(int code) {
    if (code == kCommandCommit)
        Request(EntryCommitRequested);
}

bool TextEntry::AcceptsCharacter(int character) const {
    return EntryAcceptsCharacter(parameter, character);
}

void TextEntry::EditorButtonPressed() {
    // A press while the box has the focus is taken as leaving it; later presses confirm.
    Request(state == EntryTyping ? EntryCancelRequested : EntryCommitRequested);
}

void TextEntry::EditorWheelTurned() {
    if (state != EntryTyping)
        Request(EntryCancelRequested);
}

void TextEntry::EditorRedrawnAround() {
    Request(EntryRedrawn);
}

void TextEntry::Cancel() {
    Request(EntryCancelRequested);
}

EntryTick TextEntry::Tick() {
    if (!control || state == EntryIdle)
        return EntryTick::Redraw;
    if (state == EntryCancelRequested)
        return EntryTick::Discard;
    if (state == EntryCommitRequested)
        return EntryTick::Commit;
    // The box keeps the focus across ticks, and with it the rule that a press in the editor
    // discards: what a click does must not depend on whether a tick came first.
    if (state != EntryTyping)
        state = EntryIdle;
    return EntryTick::Wait;
}

void TextEntry::Commit(const char* typedText) {
    if (control)
        ApplyEntryText(control, parameter, typedText);
    Close();
}

void TextEntry::Close() {
    control = nullptr;
    parameter = nullptr;
    state = EntryIdle;
}

bool EntryAcceptsCharacter(const ICoreParameter* parameter, int character) {
    if (!parameter || character == kBackspace)
        return true;
    switch (parameter->kind) {
    case KindBoolean:
    case KindInteger:
    case KindEnumerated:
        return character == '+' || character == '-' || (character >= '0' && character <= '9');
    case KindContinuous:
        return character == '+' || character == '-' || character == '.' ||
               (character >= '0' && character <= '9');
    default:
        return true;
    }
}

void ApplyEntryText(IControl* control, ICoreParameter* parameter, const char* text) {
    if (!control)
        return;
    char typed[TextEntry::kMaxAppliedLength + 1];
    CopyText(typed, text ? text : "", sizeof typed);
    if (!parameter) {
        control->SetTextFromEntry(typed);
        return;
    }
    control->SetValueFromEntry(parameter->ToNormalised(parameter->ParseEntry(typed)));
}
