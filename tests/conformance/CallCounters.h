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

// Lock timing of one mutex: the longest wait of the thread marked as the audio thread before
// it got the mutex, and the longest time any other thread held it (outermost lock to the
// matching unlock).
struct LockTimes {
    double longestAudioWaitMs = 0.0;
    double longestOtherHoldMs = 0.0;
    uint64_t audioLocks = 0;
    uint64_t otherLocks = 0;
};
void TimeMutex(pthread_mutex_t* mutex);
void MarkAudioThread();
LockTimes StopTiming();

} // namespace CallCounters
