#include "vst3/sdk/FObject.h"

#include <cstring>

namespace Steinberg {

tresult PLUGIN_API FObject::queryInterface(const TUID _iid, void** obj) {
    if (obj == nullptr)
        return kInvalidArgument;
    if (iidEqual(_iid, FUnknown::iid))
        return answer<FUnknown>(this, obj);
    if (iidEqual(_iid, FObject::iid))
        return answer<FObject>(this, obj);
    *obj = nullptr;
    return kNoInterface;
}

uint32 PLUGIN_API FObject::addRef() {
    return refCount.fetch_add(1, std::memory_order_relaxed) + 1;
}

uint32 PLUGIN_API FObject::release() {
    const uint32 remaining = refCount.fetch_sub(1, std::memory_order_acq_rel) - 1;
    if (remaining == 0)
        delete this;
    return remaining;
}

bool FObject::isTypeOf(FClassID name, bool) const {
    return classIDsEqual(name, "FObject");
}

bool FObject::classIDsEqual(FClassID a, FClassID b) {
    return a != nullptr && b != nullptr && std::strcmp(a, b) == 0;
}

} // namespace Steinberg
