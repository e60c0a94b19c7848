// Owning interface pointers: one reference per holder, released on destruction.
#pragma once

#include "vst3/sdk/FUnknown.h"

#include <utility>

namespace Steinberg {

template <class I> class IPtr {
  public:
    IPtr() = default;
    // Shares the pointer: adds a reference of its own.
    IPtr(I* p) : ptr(p) {
        if (ptr)
            ptr->addRef();
    }
    IPtr(const IPtr& other) : IPtr(other.ptr) {}
    IPtr(IPtr&& other) noexcept : ptr(std::exchange(other.ptr, nullptr)) {}
    ~IPtr() { reset(); }

    IPtr& operator=(const IPtr& other) {
        IPtr copy(other);
        std::swap(ptr, copy.ptr);
        return *this;
    }
    IPtr& operator=(IPtr&& other) noexcept {
        if (this != &other) {
            reset();
            ptr = std::exchange(other.ptr, nullptr);
        }
        return *this;
    }

    // Takes over a reference the caller already owns (a fresh object, a
    // queryInterface or createInstance result).
    static IPtr adopt(I* p) {
        IPtr out;
        out.ptr = p;
        return out;
    }

    void reset() {
        if (ptr)
            std::exchange(ptr, nullptr)->release();
    }
    I* get() const { return ptr; }
    I* operator->() const { return ptr; }
    explicit operator bool() const { return ptr != nullptr; }

  private:
    I* ptr = nullptr;
};

// Queries `object` (any interface or implementation pointer) for I; empty
// when the object does not offer it.
template <class I, class T> IPtr<I> queryInterfacePtr(T* object) {
    I* out = nullptr;
    if (object == nullptr ||
        object->queryInterface(I::iid, reinterpret_cast<void**>(&out)) != kResultOk)
        return {};
    return IPtr<I>::adopt(out);
}

} // namespace Steinberg
