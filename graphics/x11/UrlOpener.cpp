#include "graphics/x11/UrlOpener.h"

#include <cerrno>
#include <csignal>
#include <mutex>
#include <spawn.h>
#include <sys/wait.h>

extern char** environ;

namespace {

// More unfinished openers than this means something is wrong with them; no more are started.
constexpr int kMaxOpeners = 32;

struct OpenerList {
    std::mutex mutex;
    pid_t pids[kMaxOpeners] = {};
    int count = 0;
};

OpenerList& Openers() {
    static OpenerList list;
    return list;
}

// Caller holds the list's mutex.
void ReapLocked(OpenerList& list) {
    int kept = 0;
    for (int i = 0; i < list.count; ++i) {
        int status = 0;
        const pid_t result = waitpid(list.pids[i], &status, WNOHANG);
        // 0: still running. -1: already collected by the host (ECHILD) or gone otherwise.
        if (result == 0 || (result < 0 && errno == EINTR))
            list.pids[kept++] = list.pids[i];
    }
    list.count = kept;
}

bool SpawnOpener(const char* url, pid_t& pid) {
    posix_spawn_file_actions_t actions;
    posix_spawnattr_t attributes;
    if (posix_spawn_file_actions_init(&actions) != 0)
        return false;
    if (posix_spawnattr_init(&attributes) != 0) {
        posix_spawn_file_actions_destroy(&actions);
        return false;
    }
    // The browser must not inherit the host's descriptors (audio devices, the editor's
    // display connection), nor a signal mask the host set for its own threads.
    posix_spawn_file_actions_addclosefrom_np(&actions, 3);
    sigset_t noSignals;
    sigemptyset(&noSignals);
    posix_spawnattr_setsigmask(&attributes, &noSignals);
    sigset_t defaults;
    sigemptyset(&defaults);
    sigaddset(&defaults, SIGPIPE);
    sigaddset(&defaults, SIGCHLD);
    posix_spawnattr_setsigdefault(&attributes, &defaults);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);

    static char program[] = "xdg-open";
    char* argv[] = {program, const_cast<char*>(url), nullptr};
    const int result = posix_spawnp(&pid, program, &actions, &attributes, argv, environ);
    posix_spawnattr_destroy(&attributes);
    posix_spawn_file_actions_destroy(&actions);
    return result == 0;
}

} // namespace

bool LaunchUrlOpener(const char* url) {
    if (!url || !*url || *url == '-')
        return false;
    OpenerList& list = Openers();
    std::lock_guard<std::mutex> hold(list.mutex);
    ReapLocked(list);
    if (list.count >= kMaxOpeners)
        return false;
    pid_t pid = 0;
    if (!SpawnOpener(url, pid))
        return false;
    list.pids[list.count++] = pid;
    return true;
}

void ReapUrlOpeners() {
    OpenerList& list = Openers();
    std::lock_guard<std::mutex> hold(list.mutex);
    ReapLocked(list);
}

int UnreapedUrlOpeners() {
    OpenerList& list = Openers();
    std::lock_guard<std::mutex> hold(list.mutex);
    return list.count;
}
