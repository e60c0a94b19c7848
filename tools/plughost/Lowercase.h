#pragma once

#include <string>
#include <string_view>

namespace plughost {

// ASCII letters only: bytes of UTF-8 sequences pass through untouched.
inline std::string Lowercase(std::string_view text) {
    std::string out(text);
    for (char& c : out)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return out;
}

} // namespace plughost
