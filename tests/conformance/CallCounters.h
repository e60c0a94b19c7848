#pragma once

#include <cstdint>
#include <pthread.h>

// Counts what the calling thread does between Begin and End: heap allocations (malloc and
// operator new, interposed in this executable, or seen through the sanitizer's allocation
// hooks), file and other I/O calls (open, fopen, read, write, close) and mutex locks, with
// the number of different mutexes locked. Other threads are not counted.
namespace CallCounters {

struct Counts {
    uint64_t allocations = 0;
    uint64_t io = 0;
    uint64_t locks = 0;
    // Different mutexes locked (the first four are told apart; more count as four).
    int mutexes = 0;
};

// False when the counting could not be installed in this build.
bool Available();
void Begin();
Counts End();
// Heap blocks allocated and not yet freed, by every thread.
long long LiveAllocations();

// Lock timing of one mutex: the longest wait of the thread marked as the audio thread before
// it got the mutex (a try that takes it counts as a lock without a wait), and the longest time any other thread held it (outermost lock to the
// matching unlock).
constexpr int kRoles = 4;
struct LockTimes {
    double longestAudioWaitMs = 0.0;
    double longestOtherHoldMs = 0.0;
    uint64_t audioLocks = 0;
    uint64_t otherLocks = 0;
    // Per role of the holding thread (see MarkThread); role 0 is the audio thread.
    double longestHoldMs[kRoles] = {};
    // Holds longer than a millisecond, by threads other than the audio thread.
    uint64_t otherHoldsOverMs = 0;
    // 99.9 % of the audio thread's waits and of the other threads' holds were at most this
    // long (to the next power of two in nanoseconds): the longest ones are mostly the
    // scheduler's preemption of a holder, this is what the code itself costs.
    double audioWait999Ms = 0.0;
    double otherHold999Ms = 0.0;
};
void TimeMutex(pthread_mutex_t* mutex);
void MarkAudioThread();
// Other threads name their role (1 to kRoles - 1) for the per-role figures.
void MarkThread(int role);
LockTimes StopTiming();

} // namespace CallCounters
