#pragma once

// The XEmbed protocol's numbers, as its public description fixes them: the info property's
// contents and the messages an embedder sends in _XEMBED client messages (data.l[1]).
namespace xembed {

constexpr long kProtocolVersion = 0;
constexpr long kInfoFlags = 0; // the client maps itself

enum Message : long {
    kEmbeddedNotify = 0, // data.l[3]: the embedder's window
    kWindowActivate = 1,
    kWindowDeactivate = 2,
    kRequestFocus = 3, // client to embedder
    kFocusIn = 4,
    kFocusOut = 5,
    kFocusNext = 6,
    kFocusPrev = 7,
    kModalityOn = 10,
    kModalityOff = 11,
};

} // namespace xembed
