#pragma once

#include <string>

// The editor's texts are UTF-8; Win32's wide functions take UTF-16. Malformed input converts
// as the system does (replacement characters), never fails. Any thread.
std::wstring WideOf(const char* utf8);
std::string Utf8Of(const wchar_t* wide);
