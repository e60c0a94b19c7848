// Starting plughost and making temporary folders with POSIX calls.
#include "tests/tools/PlughostTestSupport.h"

#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <sys/wait.h>
#include <unistd.h>

namespace plughost_test {

RunResult RunPlughost(const std::vector<std::string>& args) {
    TempDir captures;
    const std::string outPath = captures.Path("stdout");
    const std::string errPath = captures.Path("stderr");
    std::vector<std::string> argv{PLUGHOST_EXECUTABLE};
    argv.insert(argv.end(), args.begin(), args.end());

    RunResult result;
    const pid_t child = fork();
    if (child == 0) {
        const int out = open(outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        const int err = open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        dup2(out, STDOUT_FILENO);
        dup2(err, STDERR_FILENO);
        std::vector<char*> raw;
        for (std::string& a : argv)
            raw.push_back(a.data());
        raw.push_back(nullptr);
        execv(raw[0], raw.data());
        _exit(127);
    }
    int status = 0;
    if (child > 0 && waitpid(child, &status, 0) == child)
        result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    const std::vector<std::uint8_t> out = FileContents(outPath);
    const std::vector<std::uint8_t> err = FileContents(errPath);
    result.out.assign(out.begin(), out.end());
    result.err.assign(err.begin(), err.end());
    return result;
}

TempDir::TempDir() {
    std::string pattern =
        (std::filesystem::temp_directory_path() / "plughost-test-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr)
        std::abort();
    root = pattern;
}

TempDir::~TempDir() {
    std::error_code ignored;
    std::filesystem::remove_all(root, ignored);
}

} // namespace plughost_test
