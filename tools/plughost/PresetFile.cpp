#include "tools/plughost/PresetFile.h"

#include "tools/plughost/Lowercase.h"

#include <cstdio>
#include <cstring>

// Layout of a .vstpreset file, all integers little-endian:
//
//   offset  size  field
//   0       4     magic "VST3"
//   4       4     format version (1)
//   8       32    class ID, 32 uppercase hex digits (the class's text form)
//   40      8     offset of the chunk list
//   48      ...   chunk data, one block per chunk ("Comp": component state, "Cont": controller
//                 state; hosts may add "Info" (XML meta information) or "Prog")
//   list    4     "List"
//           4     entry count n
//           20*n  per entry: 4-byte chunk ID, 8-byte offset, 8-byte size
//
// The list comes last, so a writer can stream the chunks before it knows their sizes.

namespace plughost {

namespace {

constexpr std::size_t kHeaderSize = 48;
constexpr std::size_t kClassIdOffset = 8;
constexpr std::size_t kClassIdSize = 32;
constexpr std::size_t kListOffsetField = 40;
constexpr std::size_t kEntrySize = 20;
constexpr std::int32_t kFormatVersion = 1;

std::uint64_t ReadLe(const std::vector<std::uint8_t>& bytes, std::size_t at, int size) {
    std::uint64_t value = 0;
    for (int i = size - 1; i >= 0; --i)
        value = value << 8 | bytes[at + static_cast<std::size_t>(i)];
    return value;
}

void PutLe(std::vector<std::uint8_t>& bytes, std::uint64_t value, int size) {
    for (int i = 0; i < size; ++i)
        bytes.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

void PutTag(std::vector<std::uint8_t>& bytes, const char* tag) {
    for (int i = 0; i < 4; ++i)
        bytes.push_back(static_cast<std::uint8_t>(tag[i]));
}

bool TagAt(const std::vector<std::uint8_t>& bytes, std::size_t at, const char* tag) {
    return std::memcmp(bytes.data() + at, tag, 4) == 0;
}

bool IsHexDigit(std::uint8_t c) {
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f');
}

// Chunk IDs are four bytes; printable ones are quoted as they stand, others shown in hex.
std::string TagText(const std::vector<std::uint8_t>& bytes, std::size_t at) {
    std::string text;
    for (std::size_t i = 0; i < 4; ++i) {
        const std::uint8_t c = bytes[at + i];
        if (c < 0x20 || c > 0x7E) {
            char hex[16];
            std::snprintf(hex, sizeof(hex), "0x%08X", static_cast<unsigned>(ReadLe(bytes, at, 4)));
            return hex;
        }
        text += static_cast<char>(c);
    }
    return "'" + text + "'";
}

} // namespace

bool HasPresetMagic(const std::vector<std::uint8_t>& bytes) {
    return bytes.size() >= 4 && TagAt(bytes, 0, "VST3");
}

bool NamesPresetFile(const std::string& path) {
    const std::string suffix = ".vstpreset";
    return path.size() > suffix.size() &&
           Lowercase(std::string_view(path).substr(path.size() - suffix.size())) == suffix;
}

Status ParsePresetFile(const std::vector<std::uint8_t>& bytes, PresetFile& out) {
    out = PresetFile{};
    const std::uint64_t size = bytes.size();
    if (!HasPresetMagic(bytes))
        return Status::Fail("not a VST 3 preset (it does not start with \"VST3\")");
    if (size < kHeaderSize)
        return Status::Fail("damaged preset header: " + std::to_string(size) +
                            " bytes, a header takes 48");
    const auto version = static_cast<std::int32_t>(ReadLe(bytes, 4, 4));
    if (version < kFormatVersion)
        return Status::Fail("damaged preset header: format version " + std::to_string(version));
    for (std::size_t i = 0; i < kClassIdSize; ++i)
        if (!IsHexDigit(bytes[kClassIdOffset + i]))
            return Status::Fail("damaged preset header: the class ID is not 32 hex digits");
    out.classId.assign(bytes.begin() + kClassIdOffset,
                       bytes.begin() + kClassIdOffset + kClassIdSize);

    const std::uint64_t listAt = ReadLe(bytes, kListOffsetField, 8);
    if (listAt < kHeaderSize || listAt > size || size - listAt < 8)
        return Status::Fail("its chunk list (offset " + std::to_string(listAt) +
                            ") lies outside the file of " + std::to_string(size) + " bytes");
    if (!TagAt(bytes, listAt, "List"))
        return Status::Fail("damaged preset: no chunk list at offset " + std::to_string(listAt));
    const std::uint64_t count = ReadLe(bytes, listAt + 4, 4);
    if (count > (size - listAt - 8) / kEntrySize)
        return Status::Fail("truncated preset: its chunk list names " + std::to_string(count) +
                            " chunks but the file ends first");

    for (std::uint64_t i = 0; i < count; ++i) {
        const std::size_t entry = listAt + 8 + i * kEntrySize;
        const std::uint64_t offset = ReadLe(bytes, entry + 4, 8);
        const std::uint64_t length = ReadLe(bytes, entry + 12, 8);
        if (offset < kHeaderSize || offset > size || length > size - offset)
            return Status::Fail("truncated preset: its " + TagText(bytes, entry) +
                                " chunk (offset " + std::to_string(offset) + ", " +
                                std::to_string(length) + " bytes) runs outside the file of " +
                                std::to_string(size) + " bytes");
        std::optional<std::vector<std::uint8_t>>* slot =
            TagAt(bytes, entry, "Comp")   ? &out.componentState
            : TagAt(bytes, entry, "Cont") ? &out.controllerState
                                          : nullptr;
        if (slot == nullptr)
            continue;
        if (slot->has_value())
            return Status::Fail("damaged preset: its chunk list names the " +
                                TagText(bytes, entry) + " chunk twice");
        slot->emplace(bytes.begin() + static_cast<std::ptrdiff_t>(offset),
                      bytes.begin() + static_cast<std::ptrdiff_t>(offset + length));
    }
    if (!out.componentState && !out.controllerState)
        return Status::Fail("the preset holds neither a component nor a controller state");
    return Status::Ok();
}

std::vector<std::uint8_t> WritePresetFile(const PresetFile& preset) {
    std::vector<std::uint8_t> bytes;
    PutTag(bytes, "VST3");
    PutLe(bytes, kFormatVersion, 4);
    std::string classId = preset.classId;
    classId.resize(kClassIdSize, '0');
    bytes.insert(bytes.end(), classId.begin(), classId.end());
    const std::size_t listField = bytes.size();
    PutLe(bytes, 0, 8);

    struct Entry {
        const char* tag;
        std::uint64_t offset;
        std::uint64_t size;
    };
    std::vector<Entry> entries;
    auto addChunk = [&](const char* tag, const std::optional<std::vector<std::uint8_t>>& data) {
        if (!data)
            return;
        entries.push_back({tag, bytes.size(), data->size()});
        bytes.insert(bytes.end(), data->begin(), data->end());
    };
    addChunk("Comp", preset.componentState);
    addChunk("Cont", preset.controllerState);

    const std::uint64_t listAt = bytes.size();
    for (int i = 0; i < 8; ++i)
        bytes[listField + static_cast<std::size_t>(i)] =
            static_cast<std::uint8_t>(listAt >> (8 * i));
    PutTag(bytes, "List");
    PutLe(bytes, entries.size(), 4);
    for (const Entry& e : entries) {
        PutTag(bytes, e.tag);
        PutLe(bytes, e.offset, 8);
        PutLe(bytes, e.size, 8);
    }
    return bytes;
}

} // namespace plughost
