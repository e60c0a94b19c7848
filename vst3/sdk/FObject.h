// Reference-counted base of the helper classes, with a named type chain.
#pragma once

#include "vst3/sdk/FUnknown.h"

#include <atomic>

namespace Steinberg {

using FClassID = const char*;

// Declares a class's type name and its base in the type chain; put it in the
// public section of every FObject descendant.
#define FOBJECT_TYPE(className, baseClass)                                                         \
    static ::Steinberg::FClassID getFClassID() {                                                   \
        return #className;                                                                         \
    }                                                                                              \
    ::Steinberg::FClassID isA() const override {                                                   \
        return #className;                                                                         \
    }                                                                                              \
    using baseClass::isA;                                                                          \
    bool isTypeOf(::Steinberg::FClassID name, bool askBaseClass = true) const override {           \
        return ::Steinberg::FObject::classIDsEqual(name, #className) ||                            \
               (askBaseClass && baseClass::isTypeOf(name, true));                                  \
    }

class FObject : public FUnknown {
  public:
    FObject() = default;
    FObject(const FObject&) = delete;
    FObject& operator=(const FObject&) = delete;
    virtual ~FObject() = default;

    // Answers FUnknown and FObject::iid; anything else sets *obj to null.
    tresult PLUGIN_API queryInterface(const TUID _iid, void** obj) override;
    // The count starts at 1 (the creator's reference); both return the new count.
    uint32 PLUGIN_API addRef() override;
    uint32 PLUGIN_API release() override;

    uint32 getRefCount() const { return refCount.load(std::memory_order_relaxed); }

    static FClassID getFClassID() { return "FObject"; }
    virtual FClassID isA() const { return "FObject"; }
    bool isA(FClassID name) const { return isTypeOf(name, false); }
    virtual bool isTypeOf(FClassID name, bool askBaseClass = true) const;

    static bool classIDsEqual(FClassID a, FClassID b);

    // Fixed in this build; only used to recover an FObject from an interface.
    static constexpr FUID iid{0x5F6D1C2A, 0x3B8E4A90, 0x9C41D7E2, 0x6A0B35F8};

  protected:
    // Stores the static_cast sub-object pointer with an added reference.
    template <class I, class Self> static tresult answer(Self* self, void** obj) {
        I* face = static_cast<I*>(self);
        face->addRef();
        *obj = face;
        return kResultOk;
    }

  private:
    std::atomic<uint32> refCount{1};
};

} // namespace Steinberg
