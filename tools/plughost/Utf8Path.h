#pragma once

#include <filesystem>
#include <string>

namespace plughost {

// Paths travel through plughost as UTF-8 text and become the system's own form only at the
// file-system calls, so names outside ASCII survive where native paths are 16-bit.
inline std::filesystem::path PathFromUtf8(const std::string& text) {
    return std::filesystem::path(std::u8string(text.begin(), text.end()));
}

inline std::string Utf8FromPath(const std::filesystem::path& path) {
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

} // namespace plughost
