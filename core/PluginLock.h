#pragma once

#include <mutex>

// The one lock that serialises the audio thread against the user-interface thread. Re-entrant:
// a thread that holds it may take it again (parameter changes and preset loads run inside
// the processing call, which already holds it).
class PluginLock {
  public:
    void Lock() { mutex.lock(); }
    // The audio thread's way in: true when taken, false at once when another thread holds it.
    bool TryLock() { return mutex.try_lock(); }
    void Unlock() { mutex.unlock(); }

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
