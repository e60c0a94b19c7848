#pragma once

#include "core/GrowBuffer.h"

#include <cstring>

// An ordered list of object pointers; the index is the identity. An owning list deletes its
// elements when it is destroyed, last element first.
template <class T> class PointerList {
  public:
    explicit PointerList(bool owning = true) : owning(owning) {}
    ~PointerList() { DeleteAll(); }
    PointerList(const PointerList&) = delete;
    PointerList& operator=(const PointerList&) = delete;

    int Count() const { return storage.Size() / static_cast<int>(sizeof(T*)); }

    T* Get(int index) const {
        if (index < 0 || index >= Count())
            return nullptr;
        return Entries()[index];
    }

    // Stores the element last. False when the list could not grow: nothing was stored and
    // the caller still owns the element.
    bool Add(T* element) { return Insert(Count(), element); }

    // An index below 0 counts as 0; one beyond the count appends.
    bool Insert(int index, T* element) {
        const int count = Count();
        if (index < 0)
            index = 0;
        if (index > count)
            index = count;
        const int wanted = (count + 1) * static_cast<int>(sizeof(T*));
        storage.Resize(wanted, false);
        if (storage.Size() != wanted)
            return false;
        T** entries = Entries();
        std::memmove(entries + index + 1, entries + index,
                     sizeof(T*) * static_cast<size_t>(count - index));
        entries[index] = element;
        return true;
    }

    void DeleteAt(int index) {
        const int count = Count();
        if (index < 0 || index >= count)
            return;
        T** entries = Entries();
        T* element = entries[index];
        std::memmove(entries + index, entries + index + 1,
                     sizeof(T*) * static_cast<size_t>(count - index - 1));
        storage.Resize((count - 1) * static_cast<int>(sizeof(T*)), false);
        if (owning)
            delete element;
    }

    void DeleteAll() {
        for (int i = Count() - 1; i >= 0; --i) {
            T* element = Entries()[i];
            storage.Resize(i * static_cast<int>(sizeof(T*)), false);
            if (owning)
                delete element;
        }
    }

  private:
    T** Entries() const { return static_cast<T**>(storage.Get()); }

    GrowBuffer storage{4096};
    bool owning;
};
