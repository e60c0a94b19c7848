#pragma once

#include <string>
#include <utility>

namespace plughost {

// The outcome of a step that can fail: either fine, or a one-line message for the user that
// names what went wrong. Nothing in the host throws; every failure travels as one of these.
class [[nodiscard]] Status {
  public:
    static Status Ok() { return Status(); }
    static Status Fail(std::string message) { return Status(std::move(message)); }

    bool ok() const { return !failed; }
    explicit operator bool() const { return !failed; }
    const std::string& message() const { return text; }

  private:
    Status() = default;
    explicit Status(std::string message) : failed(true), text(std::move(message)) {}

    bool failed = false;
    std::string text;
};

} // namespace plughost
