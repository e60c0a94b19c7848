#include "core/TextBuffer.h"

#include <cstdint>
#include <cstring>

void TextBuffer::SetAt(int position, const char* text, int length) {
    if (position < 0 || length < 0)
        return;
    if (length == 0 && position != 0)
        return;
    if (length > 0 && !text)
        return;

    const int oldUsed = buffer.Size();
    const char* oldData = static_cast<const char*>(buffer.Get());
    // Remember where a source inside our own storage sits, in case the storage moves.
    const bool sourceInside = oldData && text >= oldData && text < oldData + oldUsed;
    const std::ptrdiff_t sourceOffset = sourceInside ? text - oldData : 0;

    const int64_t needed64 = int64_t{position} + length + 1;
    if (needed64 > INT32_MAX)
        return;
    const int needed = static_cast<int>(needed64);
    if (needed > oldUsed)
        buffer.Resize(needed, false);
    if (buffer.Size() < needed)
        return;

    char* data = static_cast<char*>(buffer.Get());
    if (sourceInside)
        text = data + sourceOffset;
    std::memmove(data + position, text, static_cast<size_t>(length));
    data[position + length] = '\0';
    if (needed < oldUsed)
        buffer.Resize(needed, false);
}

void TextBuffer::Set(const char* text) {
    SetAt(0, text ? text : "", text ? static_cast<int>(std::strlen(text)) : 0);
}

void TextBuffer::Append(const char* text) {
    if (!text || !*text)
        return;
    SetAt(Length(), text, static_cast<int>(std::strlen(text)));
}

const char* TextBuffer::Get() const {
    const char* data = static_cast<const char*>(buffer.Get());
    return data ? data : "";
}
