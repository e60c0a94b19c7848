#pragma once

#include "core/GrowBuffer.h"

// A growable NUL-terminated single-byte text. Size() counts the terminator.
class TextBuffer {
  public:
    TextBuffer() = default;
    explicit TextBuffer(const char* text) { Set(text); }

    // Makes the text its first `position` characters followed by `length` characters of
    // `text`. The source may lie inside this buffer's own storage.
    void SetAt(int position, const char* text, int length);
    void Set(const char* text);
    void Append(const char* text);

    const char* Get() const;
    int Length() const { return buffer.Size() > 0 ? buffer.Size() - 1 : 0; }
    int Size() const { return buffer.Size(); }

  private:
    GrowBuffer buffer{128};
};
