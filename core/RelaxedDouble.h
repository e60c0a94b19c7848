#pragma once

#include <atomic>

// A double that one thread writes while others read it without a lock: every access is a
// relaxed atomic load or store, so a reader sees the old or the new value, never a torn one.
// Writers still agree among themselves through the plug-in lock.
class RelaxedDouble {
  public:
    RelaxedDouble(double initial = 0.0) : bits(initial) {}
    RelaxedDouble(const RelaxedDouble& other) : bits(other.Load()) {}
    RelaxedDouble& operator=(const RelaxedDouble& other) {
        Store(other.Load());
        return *this;
    }
    RelaxedDouble& operator=(double newValue) {
        Store(newValue);
        return *this;
    }
    operator double() const { return Load(); }

    double Load() const { return bits.load(std::memory_order_relaxed); }
    void Store(double newValue) { bits.store(newValue, std::memory_order_relaxed); }

  private:
    static_assert(std::atomic<double>::is_always_lock_free, "the audio thread may not wait");
    std::atomic<double> bits;
};
