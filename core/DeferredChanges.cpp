#include "core/DeferredChanges.h"

namespace {

int* Ints(GrowBuffer& buffer) {
    return static_cast<int*>(buffer.Get());
}

} // namespace

DeferredChanges::DeferredChanges(int parameterCount)
    : parameters(parameterCount > 0 ? parameterCount : 0) {
    const int slots = Slots();
    order.Resize(slots * static_cast<int>(sizeof(int)));
    values.Resize(slots * static_cast<int>(sizeof(double)));
    position.Resize(slots * static_cast<int>(sizeof(int)));
    // Without its storage the object keeps nothing (Keep checks the sizes).
    if (position.Size() == slots * static_cast<int>(sizeof(int)))
        for (int slot = 0; slot < slots; ++slot)
            Ints(position)[slot] = -1;
}

void DeferredChanges::Keep(int slot, double value) {
    if (slot < 0 || slot >= Slots() || order.Size() < Slots() * static_cast<int>(sizeof(int)) ||
        values.Size() < Slots() * static_cast<int>(sizeof(double)) ||
        position.Size() < Slots() * static_cast<int>(sizeof(int)))
        return;
    int* slotAt = Ints(order);
    int* positionOf = Ints(position);
    // A slot changed again moves behind every change made since its last one.
    const int previous = positionOf[slot];
    if (previous >= 0) {
        for (int p = previous; p + 1 < count; ++p) {
            slotAt[p] = slotAt[p + 1];
            positionOf[slotAt[p]] = p;
        }
        --count;
    }
    slotAt[count] = slot;
    positionOf[slot] = count;
    ++count;
    static_cast<double*>(values.Get())[slot] = value;
}

int DeferredChanges::SlotAt(int at) const {
    if (at < 0 || at >= count)
        return -1;
    return static_cast<const int*>(order.Get())[at];
}

double DeferredChanges::ValueAt(int at) const {
    const int slot = SlotAt(at);
    return slot < 0 ? 0.0 : static_cast<const double*>(values.Get())[slot];
}

void DeferredChanges::Clear() {
    int* positionOf = Ints(position);
    for (int p = 0; p < count; ++p)
        positionOf[Ints(order)[p]] = -1;
    count = 0;
}
