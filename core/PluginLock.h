#pragma once

#include <mutex>

// The one lock that serialises the audio thread against the user-interface thread. Re-entrant:
// a thread that holds it may take it again (parameter changes and preset loads run inside
// the processing call, which already holds it).
class PluginLock {
  public:
    void Lock() { mutex.lock(); }
    void Unlock() { mutex.unlock(); }
    // Never waits: false when another thread holds the lock.
    bool TryLock() { return mutex.try_lock(); }

  private:
    std::recursive_mutex mutex;
};

class PluginLockGuard {
  public:
    explicit PluginLockGuard(PluginLock& lock) : lock(lock) { lock.Lock(); }
    ~PluginLockGuard() { lock.Unlock(); }
    PluginLockGuard(const PluginLockGuard&) = delete;
    PluginLockGuard& operator=(const PluginLockGuard&) = delete;

  private:
    PluginLock& lock;
};
