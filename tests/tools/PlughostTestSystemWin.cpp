// Starting plughost.exe and making temporary folders with Win32 calls; paths are UTF-8 here
// as everywhere in the tests and become wide at each call.
#include "tests/tools/PlughostTestSupport.h"
#include "tools/plughost/Utf8Path.h"

#include <windows.h>

#include <cstdlib>
#include <filesystem>

namespace plughost_test {

namespace {

// One argument quoted so that CommandLineToArgvW gives it back unchanged.
std::wstring Quoted(const std::wstring& arg) {
    if (!arg.empty() && arg.find_first_of(L" \t\n\v\"") == std::wstring::npos)
        return arg;
    std::wstring out = L"\"";
    size_t backslashes = 0;
    for (wchar_t c : arg) {
        if (c == L'\\') {
            ++backslashes;
            continue;
        }
        // Backslashes count double only in front of a quote.
        out.append(c == L'"' ? 2 * backslashes + 1 : backslashes, L'\\');
        backslashes = 0;
        out.push_back(c);
    }
    out.append(2 * backslashes, L'\\');
    return out + L"\"";
}

HANDLE InheritableFile(const std::string& path) {
    SECURITY_ATTRIBUTES inherit{sizeof(inherit), nullptr, TRUE};
    return CreateFileW(plughost::PathFromUtf8(path).c_str(), GENERIC_WRITE, FILE_SHARE_READ,
                       &inherit, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
}

} // namespace

RunResult RunPlughost(const std::vector<std::string>& args) {
    TempDir captures;
    const std::string outPath = captures.Path("stdout");
    const std::string errPath = captures.Path("stderr");
    std::wstring commandLine = Quoted(plughost::PathFromUtf8(PLUGHOST_EXECUTABLE).wstring());
    for (const std::string& arg : args)
        commandLine += L" " + Quoted(plughost::PathFromUtf8(arg).wstring());

    RunResult result;
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = INVALID_HANDLE_VALUE;
    startup.hStdOutput = InheritableFile(outPath);
    startup.hStdError = InheritableFile(errPath);
    PROCESS_INFORMATION process{};
    // Wine, under a loaded machine, now and then refuses to start a process at the first try;
    // that says nothing about plughost, so the start is tried again before the test is failed.
    bool started = false;
    DWORD startError = 0;
    for (int attempt = 0; attempt < 5 && !started; ++attempt) {
        if (attempt > 0)
            Sleep(200);
        started = CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr,
                                 nullptr, &startup, &process);
        if (!started)
            startError = GetLastError();
    }
    if (started) {
        WaitForSingleObject(process.hProcess, INFINITE);
        DWORD code = 0;
        GetExitCodeProcess(process.hProcess, &code);
        // A crash ends with an exception code such as 0xC0000005, not a small status.
        result.exitCode = code <= 255 ? static_cast<int>(code) : 255;
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
    }
    CloseHandle(startup.hStdOutput);
    CloseHandle(startup.hStdError);
    const std::vector<std::uint8_t> out = FileContents(outPath);
    const std::vector<std::uint8_t> err = FileContents(errPath);
    result.out.assign(out.begin(), out.end());
    result.err.assign(err.begin(), err.end());
    if (!started)
        result.err = "plughost.exe could not be started (error " + std::to_string(startError) + ")";
    return result;
}

TempDir::TempDir() {
    const std::filesystem::path base = std::filesystem::temp_directory_path();
    for (unsigned attempt = 0; attempt < 1000; ++attempt) {
        const std::filesystem::path candidate =
            base / ("plughost-test-" + std::to_string(GetCurrentProcessId()) + "-" +
                    std::to_string(GetTickCount() + attempt));
        std::error_code ec;
        if (std::filesystem::create_directory(candidate, ec)) {
            // Forward slashes throughout, as the tests join names with '/'.
            root = plughost::Utf8FromPath(candidate.generic_wstring());
            return;
        }
    }
    std::abort();
}

TempDir::~TempDir() {
    std::error_code ignored;
    std::filesystem::remove_all(plughost::PathFromUtf8(root), ignored);
}

} // namespace plughost_test
