// The audio thread must not allocate: every operator new of this executable is counted while a
// plug-in processes blocks after its first one, whatever the settings do meanwhile.
#include "engine/Sorvel.h"
#include "engine/SorvelParameters.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <new>
#include <vector>

namespace {

std::atomic<bool> counting{false};
std::atomic<int> allocations{0};

void* Allocate(std::size_t size) {
    if (counting)
        ++allocations;
    if (void* p = std::malloc(size ? size : 1))
        return p;
    std::abort(); // no exceptions in this code base
}

} // namespace

void* operator new(std::size_t size) {
    return Allocate(size);
}
void* operator new[](std::size_t size) {
    return Allocate(size);
}
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
    return Allocate(size);
}
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept {
    return Allocate(size);
}
void operator delete(void* p) noexcept {
    std::free(p);
}
void operator delete[](void* p) noexcept {
    std::free(p);
}
void operator delete(void* p, std::size_t) noexcept {
    std::free(p);
}
void operator delete[](void* p, std::size_t) noexcept {
    std::free(p);
}

TEST(Allocation, ProcessingAllocatesNothingAfterTheFirstBlock) {
    Sorvel* plug = new Sorvel;
    plug->RecallPreset(0);
    std::vector<double> left(8192, 0.25), right(8192, -0.5);
    double* io[2] = {left.data(), right.data()};
    plug->ProcessBlock(io, io, 512);

    counting = true;
    const int switches[] = {kOversampling, kMidSide, kBypass, kLink};
    for (int block = 0; block < 40; ++block) {
        ICoreParameter* parameter = plug->GetParam(switches[block % 4]);
        parameter->value = block % 8 < 4 ? 1.0 : 0.0;
        plug->ParameterChanged(switches[block % 4]);
        plug->GetParam(kHighGainL)->value = block - 18.0;
        plug->ParameterChanged(kHighGainL);
        plug->ProcessBlock(io, io, block % 3 == 0 ? 8192 : 1 + block * 37);
    }
    counting = false;
    EXPECT_EQ(allocations, 0);
    plug->release();
}
