// Note and data events delivered with a processing block.
#pragma once

#include "vst3/sdk/FUnknown.h"
#include "vst3/sdk/VstTypes.h"

#include <cstddef>

namespace Steinberg::Vst {

#pragma pack(push, 16)

struct NoteOnEvent {
    int16 channel;
    int16 pitch;
    float tuning;   // cents
    float velocity; // 0..1
    int32 length;
    int32 noteId;
};

struct NoteOffEvent {
    int16 channel;
    int16 pitch;
    float velocity;
    int32 noteId;
    float tuning;
};

struct DataEvent {
    enum DataTypes { kMidiSysEx = 0 };

    uint32 size;
    uint32 type;
    const uint8* bytes;
};

struct PolyPressureEvent {
    int16 channel;
    int16 pitch;
    float pressure;
    int32 noteId;
};

struct NoteExpressionValueEvent {
    NoteExpressionTypeID typeId;
    int32 noteId;
    NoteExpressionValue value;
};

struct NoteExpressionTextEvent {
    NoteExpressionTypeID typeId;
    int32 noteId;
    uint32 textLen;
    const TChar* text;
};

struct ChordEvent {
    int16 root;
    int16 bassNote;
    int16 mask;
    uint16 textLen;
    const TChar* text;
};

struct ScaleEvent {
    int16 root;
    int16 mask;
    uint16 textLen;
    const TChar* text;
};

struct LegacyMIDICCOutEvent {
    uint8 controlNumber;
    int8 channel;
    int8 value;
    int8 value2;
};

struct Event {
    enum EventFlags { kIsLive = 1 << 0, kUserReserved1 = 1 << 14, kUserReserved2 = 1 << 15 };
    enum EventTypes {
        kNoteOnEvent = 0,
        kNoteOffEvent = 1,
        kDataEvent = 2,
        kPolyPressureEvent = 3,
        kNoteExpressionValueEvent = 4,
        kNoteExpressionTextEvent = 5,
        kChordEvent = 6,
        kScaleEvent = 7,
        kLegacyMIDICCOutEvent = 65535,
    };

    int32 busIndex;
    int32 sampleOffset;
    TQuarterNotes ppqPosition;
    uint16 flags;
    uint16 type;
    union {
        NoteOnEvent noteOn;
        NoteOffEvent noteOff;
        DataEvent data;
        PolyPressureEvent polyPressure;
        NoteExpressionValueEvent noteExpressionValue;
        NoteExpressionTextEvent noteExpressionText;
        ChordEvent chord;
        ScaleEvent scale;
        LegacyMIDICCOutEvent midiCCOut;
    };
};

class IEventList : public FUnknown {
  public:
    virtual int32 PLUGIN_API getEventCount() = 0;
    virtual tresult PLUGIN_API getEvent(int32 index, Event& e) = 0;
    virtual tresult PLUGIN_API addEvent(Event& e) = 0;

    static constexpr FUID iid{0x3A2C4214, 0x346349FE, 0xB2C4F397, 0xB9695A44};
};

#pragma pack(pop)

static_assert(sizeof(NoteOnEvent) == 20 && alignof(NoteOnEvent) == 4);
static_assert(offsetof(NoteOnEvent, channel) == 0 && offsetof(NoteOnEvent, pitch) == 2);
static_assert(offsetof(NoteOnEvent, tuning) == 4 && offsetof(NoteOnEvent, velocity) == 8);
static_assert(offsetof(NoteOnEvent, length) == 12 && offsetof(NoteOnEvent, noteId) == 16);

static_assert(sizeof(NoteOffEvent) == 16 && alignof(NoteOffEvent) == 4);
static_assert(offsetof(NoteOffEvent, channel) == 0 && offsetof(NoteOffEvent, pitch) == 2);
static_assert(offsetof(NoteOffEvent, velocity) == 4 && offsetof(NoteOffEvent, noteId) == 8);
static_assert(offsetof(NoteOffEvent, tuning) == 12);

static_assert(sizeof(DataEvent) == 16 && alignof(DataEvent) == 8);
static_assert(offsetof(DataEvent, size) == 0 && offsetof(DataEvent, type) == 4);
static_assert(offsetof(DataEvent, bytes) == 8);

static_assert(sizeof(PolyPressureEvent) == 12 && alignof(PolyPressureEvent) == 4);
static_assert(offsetof(PolyPressureEvent, channel) == 0);
static_assert(offsetof(PolyPressureEvent, pitch) == 2);
static_assert(offsetof(PolyPressureEvent, pressure) == 4);
static_assert(offsetof(PolyPressureEvent, noteId) == 8);

static_assert(sizeof(NoteExpressionValueEvent) == 16 && alignof(NoteExpressionValueEvent) == 8);
static_assert(offsetof(NoteExpressionValueEvent, typeId) == 0);
static_assert(offsetof(NoteExpressionValueEvent, noteId) == 4);
static_assert(offsetof(NoteExpressionValueEvent, value) == 8);

static_assert(sizeof(NoteExpressionTextEvent) == 24 && alignof(NoteExpressionTextEvent) == 8);
static_assert(offsetof(NoteExpressionTextEvent, typeId) == 0);
static_assert(offsetof(NoteExpressionTextEvent, noteId) == 4);
static_assert(offsetof(NoteExpressionTextEvent, textLen) == 8);
static_assert(offsetof(NoteExpressionTextEvent, text) == 16);

static_assert(sizeof(ChordEvent) == 16 && alignof(ChordEvent) == 8);
static_assert(offsetof(ChordEvent, root) == 0 && offsetof(ChordEvent, bassNote) == 2);
static_assert(offsetof(ChordEvent, mask) == 4 && offsetof(ChordEvent, textLen) == 6);
static_assert(offsetof(ChordEvent, text) == 8);

static_assert(sizeof(ScaleEvent) == 16 && alignof(ScaleEvent) == 8);
static_assert(offsetof(ScaleEvent, root) == 0 && offsetof(ScaleEvent, mask) == 2);
static_assert(offsetof(ScaleEvent, textLen) == 4 && offsetof(ScaleEvent, text) == 8);

static_assert(sizeof(LegacyMIDICCOutEvent) == 4 && alignof(LegacyMIDICCOutEvent) == 1);
static_assert(offsetof(LegacyMIDICCOutEvent, controlNumber) == 0);
static_assert(offsetof(LegacyMIDICCOutEvent, channel) == 1);
static_assert(offsetof(LegacyMIDICCOutEvent, value) == 2);
static_assert(offsetof(LegacyMIDICCOutEvent, value2) == 3);

static_assert(sizeof(Event) == 48 && alignof(Event) == 8);
static_assert(offsetof(Event, busIndex) == 0);
static_assert(offsetof(Event, sampleOffset) == 4);
static_assert(offsetof(Event, ppqPosition) == 8);
static_assert(offsetof(Event, flags) == 16);
static_assert(offsetof(Event, type) == 18);
static_assert(offsetof(Event, noteOn) == 24 && offsetof(Event, noteExpressionText) == 24);
static_assert(offsetof(Event, midiCCOut) == 24);

} // namespace Steinberg::Vst
