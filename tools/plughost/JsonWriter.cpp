#include "tools/plughost/JsonWriter.h"

#include <cmath>
#include <cstdio>

namespace plughost {

namespace {

// Length of the well-formed UTF-8 sequence starting at `at`, or 0 when it is not one.
size_t Utf8SequenceLength(std::string_view text, size_t at) {
    const auto lead = static_cast<unsigned char>(text[at]);
    const size_t length = lead < 0x80           ? 1
                          : (lead >> 5) == 0x6  ? 2
                          : (lead >> 4) == 0xE  ? 3
                          : (lead >> 3) == 0x1E ? 4
                                                : 0;
    if (length == 0 || at + length > text.size())
        return 0;
    for (size_t i = 1; i < length; ++i)
        if ((static_cast<unsigned char>(text[at + i]) & 0xC0) != 0x80)
            return 0;
    return length;
}

} // namespace

// Plug-in texts are not trusted to be UTF-8: a malformed byte becomes U+FFFD.
std::string JsonWriter::Escape(std::string_view value) {
    std::string out = "\"";
    for (size_t at = 0; at < value.size(); ++at) {
        const size_t length = Utf8SequenceLength(value, at);
        if (length != 1) {
            if (length == 0)
                out += "\xEF\xBF\xBD";
            else
                out.append(value.substr(at, length));
            at += length == 0 ? 0 : length - 1;
            continue;
        }
        const char c = value[at];
        switch (c) {
        case '"':
            out += "\\\"";
            break;
        case '\\':
            out += "\\\\";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\t':
            out += "\\t";
            break;
        case '\r':
            out += "\\r";
            break;
        default:
            if (static_cast<unsigned char>(c) < 0x20) {
                char escaped[8];
                std::snprintf(escaped, sizeof(escaped), "\\u%04x", c);
                out += escaped;
            } else {
                out += c;
            }
        }
    }
    return out + "\"";
}

void JsonWriter::Prefix(std::string_view key) {
    if (!hasMembers.empty()) {
        text += hasMembers.back() ? ",\n" : "\n";
        hasMembers.back() = true;
        text.append(2 * hasMembers.size(), ' ');
    }
    if (!key.empty())
        text += Escape(key) + ": ";
}

void JsonWriter::Open(std::string_view key, char bracket) {
    Prefix(key);
    text += bracket;
    hasMembers.push_back(false);
}

void JsonWriter::Close(char bracket) {
    const bool any = hasMembers.back();
    hasMembers.pop_back();
    if (any) {
        text += "\n";
        text.append(2 * hasMembers.size(), ' ');
    }
    text += bracket;
}

JsonWriter& JsonWriter::BeginObject(std::string_view key) {
    Open(key, '{');
    return *this;
}

JsonWriter& JsonWriter::EndObject() {
    Close('}');
    if (hasMembers.empty())
        text += "\n";
    return *this;
}

JsonWriter& JsonWriter::BeginArray(std::string_view key) {
    Open(key, '[');
    return *this;
}

JsonWriter& JsonWriter::EndArray() {
    Close(']');
    return *this;
}

JsonWriter& JsonWriter::String(std::string_view key, std::string_view value) {
    Prefix(key);
    text += Escape(value);
    return *this;
}

JsonWriter& JsonWriter::Number(std::string_view key, double value) {
    Prefix(key);
    if (!std::isfinite(value)) {
        text += "null";
        return *this;
    }
    char number[32];
    std::snprintf(number, sizeof(number), "%.17g", value);
    text += number;
    return *this;
}

JsonWriter& JsonWriter::Integer(std::string_view key, std::int64_t value) {
    Prefix(key);
    text += std::to_string(value);
    return *this;
}

JsonWriter& JsonWriter::Bool(std::string_view key, bool value) {
    Prefix(key);
    text += value ? "true" : "false";
    return *this;
}

} // namespace plughost
