#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace plughost {

// Builds indented JSON text. Keys and values are written in call order; commas and
// indentation follow from the nesting.
class JsonWriter {
  public:
    JsonWriter& BeginObject(std::string_view key = {});
    JsonWriter& EndObject();
    JsonWriter& BeginArray(std::string_view key = {});
    JsonWriter& EndArray();

    JsonWriter& String(std::string_view key, std::string_view value);
    // Non-finite numbers, which JSON cannot hold, become null.
    JsonWriter& Number(std::string_view key, double value);
    JsonWriter& Integer(std::string_view key, std::int64_t value);
    JsonWriter& Bool(std::string_view key, bool value);

    const std::string& Text() const { return text; }

    static std::string Escape(std::string_view value);

  private:
    void Prefix(std::string_view key);
    void Open(std::string_view key, char bracket);
    void Close(char bracket);

    std::string text;
    std::vector<bool> hasMembers;
};

} // namespace plughost
