// Interposition for the realtime checks. The plug-in module resolves malloc, operator new,
// the I/O calls and pthread_mutex_lock through the process's global scope, where this
// executable's definitions come first (it is linked with its symbols exported).
#include "tests/conformance/CallCounters.h"

#include <atomic>
#include <cstdarg>
#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <dlfcn.h>
#include <fcntl.h>
#include <new>
#include <unistd.h>

#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
#define CALL_COUNTERS_SANITIZER 1
#endif

extern "C" {
#ifdef CALL_COUNTERS_SANITIZER
int __sanitizer_install_malloc_and_free_hooks(void (*mallocHook)(const volatile void*, size_t),
                                              void (*freeHook)(const volatile void*));
#else
void* __libc_malloc(size_t size);
void* __libc_calloc(size_t count, size_t size);
void* __libc_realloc(void* block, size_t size);
void* __libc_memalign(size_t alignment, size_t size);
void __libc_free(void* block);
#endif
}

namespace {

thread_local bool watching = false;
thread_local CallCounters::Counts counts;
thread_local pthread_mutex_t* seen[4];
thread_local bool isAudioThread = false;
thread_local int role = 0;
thread_local int timedDepth = 0;
thread_local int audioDepth = 0;
thread_local double timedSince = 0.0;

std::atomic<pthread_mutex_t*> timedMutex{nullptr};
std::atomic<uint64_t> audioWaitNs{0}, otherHoldNs{0}, audioLocks{0}, otherLocks{0};
std::atomic<uint64_t> roleHoldNs[CallCounters::kRoles], holdsOverMs{0};
// Counts by the power of two just above the time in nanoseconds.
std::atomic<uint64_t> waitHistogram[64], holdHistogram[64];

void Tally(std::atomic<uint64_t>* histogram, uint64_t ns) {
    int bucket = 0;
    while (bucket < 63 && (uint64_t(1) << bucket) < ns)
        ++bucket;
    ++histogram[bucket];
}

double Percentile999Ms(const std::atomic<uint64_t>* histogram) {
    uint64_t total = 0;
    for (int i = 0; i < 64; ++i)
        total += histogram[i].load();
    uint64_t seen = 0;
    for (int i = 0; i < 64; ++i) {
        seen += histogram[i].load();
        if (total > 0 && seen * 1000 >= total * 999)
            return static_cast<double>(uint64_t(1) << i) / 1e6;
    }
    return 0.0;
}

uint64_t NowNs() {
    timespec t;
    clock_gettime(CLOCK_MONOTONIC, &t);
    return static_cast<uint64_t>(t.tv_sec) * 1000000000u + static_cast<uint64_t>(t.tv_nsec);
}

void RaiseTo(std::atomic<uint64_t>& most, uint64_t value) {
    uint64_t now = most.load();
    while (value > now && !most.compare_exchange_weak(now, value)) {
    }
}

std::atomic<long long> live{0};

void CountAllocation() {
    live.fetch_add(1, std::memory_order_relaxed);
    if (watching)
        ++counts.allocations;
}

void CountRelease(const volatile void* block) {
    if (block)
        live.fetch_sub(1, std::memory_order_relaxed);
}

void CountIo() {
    if (watching)
        ++counts.io;
}

void CountLock(pthread_mutex_t* mutex) {
    if (!watching)
        return;
    ++counts.locks;
    for (int i = 0; i < counts.mutexes; ++i)
        if (seen[i] == mutex)
            return;
    if (counts.mutexes < 4)
        seen[counts.mutexes++] = mutex;
}

template <typename F>
F Next(const char* name) {
    return reinterpret_cast<F>(dlsym(RTLD_NEXT, name));
}

#ifdef CALL_COUNTERS_SANITIZER
void OnMalloc(const volatile void*, size_t) {
    CountAllocation();
}
void OnFree(const volatile void* block) {
    CountRelease(block);
}
const bool hooksInstalled = __sanitizer_install_malloc_and_free_hooks(&OnMalloc, &OnFree) != 0;
#else
const bool hooksInstalled = true;
#endif

using MutexCall = int (*)(pthread_mutex_t*);

int RealLock(pthread_mutex_t* mutex) {
    static const MutexCall next = Next<MutexCall>("pthread_mutex_lock");
    return next(mutex);
}

int RealUnlock(pthread_mutex_t* mutex) {
    static const MutexCall next = Next<MutexCall>("pthread_mutex_unlock");
    return next(mutex);
}

} // namespace

namespace CallCounters {

bool Available() {
    return hooksInstalled;
}

long long LiveAllocations() {
    return live.load();
}

void Begin() {
    counts = Counts{};
    watching = true;
}

Counts End() {
    watching = false;
    return counts;
}

void TimeMutex(pthread_mutex_t* mutex) {
    audioWaitNs = otherHoldNs = audioLocks = otherLocks = holdsOverMs = 0;
    for (std::atomic<uint64_t>& hold : roleHoldNs)
        hold = 0;
    for (int i = 0; i < 64; ++i)
        waitHistogram[i] = holdHistogram[i] = 0;
    timedMutex = mutex;
}

void MarkAudioThread() {
    isAudioThread = true;
    role = 0;
}

void MarkThread(int newRole) {
    role = newRole > 0 && newRole < kRoles ? newRole : 0;
}

LockTimes StopTiming() {
    timedMutex = nullptr;
    LockTimes times;
    times.longestAudioWaitMs = audioWaitNs.load() / 1e6;
    times.longestOtherHoldMs = otherHoldNs.load() / 1e6;
    times.audioLocks = audioLocks.load();
    times.otherLocks = otherLocks.load();
    for (int i = 0; i < kRoles; ++i)
        times.longestHoldMs[i] = roleHoldNs[i].load() / 1e6;
    times.otherHoldsOverMs = holdsOverMs.load();
    times.audioWait999Ms = Percentile999Ms(waitHistogram);
    times.otherHold999Ms = Percentile999Ms(holdHistogram);
    return times;
}

} // namespace CallCounters

extern "C" {

int pthread_mutex_lock(pthread_mutex_t* mutex) {
    CountLock(mutex);
    // The audio thread taking the mutex again while it holds it cannot wait.
    if (mutex != timedMutex.load(std::memory_order_relaxed) || (isAudioThread && audioDepth++ > 0))
        return RealLock(mutex);
    const uint64_t asked = NowNs();
    const int result = RealLock(mutex);
    const uint64_t got = NowNs();
    if (isAudioThread) {
        ++audioLocks;
        RaiseTo(audioWaitNs, got - asked);
        Tally(waitHistogram, got - asked);
    } else if (timedDepth++ == 0) {
        ++otherLocks;
        timedSince = static_cast<double>(got);
    }
    return result;
}

int pthread_mutex_trylock(pthread_mutex_t* mutex) {
    static const MutexCall next = Next<MutexCall>("pthread_mutex_trylock");
    const int result = next(mutex);
    if (result == 0 && isAudioThread && mutex == timedMutex.load(std::memory_order_relaxed) &&
        audioDepth++ == 0)
        ++audioLocks;
    return result;
}

int pthread_mutex_unlock(pthread_mutex_t* mutex) {
    if (isAudioThread && audioDepth > 0 && mutex == timedMutex.load(std::memory_order_relaxed))
        --audioDepth;
    if (!isAudioThread && timedDepth > 0 && mutex == timedMutex.load(std::memory_order_relaxed) &&
        --timedDepth == 0) {
        const uint64_t held = NowNs() - static_cast<uint64_t>(timedSince);
        RaiseTo(otherHoldNs, held);
        RaiseTo(roleHoldNs[role], held);
        Tally(holdHistogram, held);
        if (held > 1000000)
            ++holdsOverMs;
    }
    return RealUnlock(mutex);
}

ssize_t read(int fd, void* buffer, size_t count) {
    CountIo();
    static auto next = Next<ssize_t (*)(int, void*, size_t)>("read");
    return next(fd, buffer, count);
}

ssize_t write(int fd, const void* buffer, size_t count) {
    CountIo();
    static auto next = Next<ssize_t (*)(int, const void*, size_t)>("write");
    return next(fd, buffer, count);
}

int open(const char* path, int flags, ...) {
    CountIo();
    va_list args;
    va_start(args, flags);
    const mode_t mode = (flags & (O_CREAT | O_TMPFILE)) ? va_arg(args, mode_t) : 0;
    va_end(args);
    static auto next = Next<int (*)(const char*, int, ...)>("open");
    return next(path, flags, mode);
}

int openat(int dir, const char* path, int flags, ...) {
    CountIo();
    va_list args;
    va_start(args, flags);
    const mode_t mode = (flags & (O_CREAT | O_TMPFILE)) ? va_arg(args, mode_t) : 0;
    va_end(args);
    static auto next = Next<int (*)(int, const char*, int, ...)>("openat");
    return next(dir, path, flags, mode);
}

FILE* fopen(const char* path, const char* mode) {
    CountIo();
    static auto next = Next<FILE* (*)(const char*, const char*)>("fopen");
    return next(path, mode);
}

int close(int fd) {
    CountIo();
    static auto next = Next<int (*)(int)>("close");
    return next(fd);
}

#ifndef CALL_COUNTERS_SANITIZER
void* malloc(size_t size) {
    CountAllocation();
    return __libc_malloc(size);
}

void* calloc(size_t count, size_t size) {
    CountAllocation();
    return __libc_calloc(count, size);
}

void* realloc(void* block, size_t size) {
    if (watching)
        ++counts.allocations;
    void* moved = __libc_realloc(block, size);
    if (!block && moved)
        live.fetch_add(1, std::memory_order_relaxed);
    else if (block && size == 0)
        live.fetch_sub(1, std::memory_order_relaxed);
    return moved;
}

void* memalign(size_t alignment, size_t size) {
    CountAllocation();
    return __libc_memalign(alignment, size);
}

void* aligned_alloc(size_t alignment, size_t size) {
    CountAllocation();
    return __libc_memalign(alignment, size);
}

int posix_memalign(void** out, size_t alignment, size_t size) {
    CountAllocation();
    void* block = __libc_memalign(alignment, size);
    if (!block)
        return 12; // ENOMEM
    *out = block;
    return 0;
}

void free(void* block) {
    CountRelease(block);
    __libc_free(block);
}
#endif

} // extern "C"

#ifndef CALL_COUNTERS_SANITIZER
void* operator new(size_t size) {
    CountAllocation();
    void* block = __libc_malloc(size ? size : 1);
    if (!block)
        std::abort();
    return block;
}

void* operator new[](size_t size) {
    return operator new(size);
}

void* operator new(size_t size, const std::nothrow_t&) noexcept {
    CountAllocation();
    return __libc_malloc(size ? size : 1);
}

void* operator new[](size_t size, const std::nothrow_t&) noexcept {
    return operator new(size, std::nothrow);
}

void operator delete(void* block) noexcept {
    CountRelease(block);
    __libc_free(block);
}

void operator delete[](void* block) noexcept {
    CountRelease(block);
    __libc_free(block);
}

void operator delete(void* block, size_t) noexcept {
    CountRelease(block);
    __libc_free(block);
}

void operator delete[](void* block, size_t) noexcept {
    CountRelease(block);
    __libc_free(block);
}
#endif
