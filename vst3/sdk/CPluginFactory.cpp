#include "vst3/sdk/CPluginFactory.h"

#include <cstring>

namespace Steinberg {

namespace {

constexpr size_t kClassGrowth = 10;

} // namespace

CPluginFactory::CPluginFactory(const PFactoryInfo& info) : factoryInfo(info) {}

CPluginFactory::~CPluginFactory() = default;

void CPluginFactory::append(const ClassEntry& entry) {
    if (classes.size() == classes.capacity())
        classes.reserve(classes.capacity() + kClassGrowth);
    classes.push_back(entry);
}

bool CPluginFactory::registerClass(const PClassInfo* info, CreateFunction createFunc,
                                   void* context) {
    if (info == nullptr || createFunc == nullptr)
        return false;
    PClassInfo2 padded;
    std::memcpy(padded.cid, info->cid, sizeof(TUID));
    padded.cardinality = info->cardinality;
    std::memcpy(padded.category, info->category, sizeof padded.category);
    std::memcpy(padded.name, info->name, sizeof padded.name);
    return registerClass(&padded, createFunc, context);
}

bool CPluginFactory::registerClass(const PClassInfo2* info, CreateFunction createFunc,
                                   void* context) {
    if (info == nullptr || createFunc == nullptr)
        return false;
    ClassEntry entry;
    entry.info8 = *info;
    entry.info16.fromAscii(*info);
    entry.createFunc = createFunc;
    entry.context = context;
    append(entry);
    return true;
}

bool CPluginFactory::registerClass(const PClassInfoW* info, CreateFunction createFunc,
                                   void* context) {
    if (info == nullptr || createFunc == nullptr)
        return false;
    ClassEntry entry;
    entry.info16 = *info;
    entry.createFunc = createFunc;
    entry.context = context;
    entry.isUnicode = true;
    append(entry);
    return true;
}

bool CPluginFactory::isClassRegistered(const FUID& cid) const {
    for (const ClassEntry& entry : classes)
        if (iidEqual(entry.info16.cid, cid))
            return true;
    return false;
}

const CPluginFactory::ClassEntry* CPluginFactory::entryAt(int32 index) const {
    if (index < 0 || index >= static_cast<int32>(classes.size()))
        return nullptr;
    return &classes[static_cast<size_t>(index)];
}

tresult PLUGIN_API CPluginFactory::queryInterface(const TUID _iid, void** obj) {
    if (obj == nullptr)
        return kInvalidArgument;
    if (iidEqual(_iid, FUnknown::iid) || iidEqual(_iid, IPluginFactory::iid) ||
        iidEqual(_iid, IPluginFactory2::iid) || iidEqual(_iid, IPluginFactory3::iid)) {
        addRef();
        *obj = static_cast<IPluginFactory3*>(this);
        return kResultOk;
    }
    *obj = nullptr;
    return kNoInterface;
}

uint32 PLUGIN_API CPluginFactory::addRef() {
    return refCount.fetch_add(1, std::memory_order_relaxed) + 1;
}

uint32 PLUGIN_API CPluginFactory::release() {
    const uint32 remaining = refCount.fetch_sub(1, std::memory_order_acq_rel) - 1;
    if (remaining == 0)
        delete this;
    return remaining;
}

tresult PLUGIN_API CPluginFactory::getFactoryInfo(PFactoryInfo* info) {
    if (info)
        *info = factoryInfo;
    return kResultOk;
}

int32 PLUGIN_API CPluginFactory::countClasses() {
    return static_cast<int32>(classes.size());
}

tresult PLUGIN_API CPluginFactory::getClassInfo(int32 index, PClassInfo* info) {
    const ClassEntry* entry = entryAt(index);
    if (info == nullptr || entry == nullptr)
        return kInvalidArgument;
    if (entry->isUnicode) {
        *info = PClassInfo();
        return kResultFalse;
    }
    const PClassInfo2& source = entry->info8;
    std::memcpy(info->cid, source.cid, sizeof(TUID));
    info->cardinality = source.cardinality;
    std::memcpy(info->category, source.category, sizeof info->category);
    std::memcpy(info->name, source.name, sizeof info->name);
    return kResultOk;
}

tresult PLUGIN_API CPluginFactory::getClassInfo2(int32 index, PClassInfo2* info) {
    const ClassEntry* entry = entryAt(index);
    if (info == nullptr || entry == nullptr)
        return kInvalidArgument;
    if (entry->isUnicode) {
        *info = PClassInfo2();
        return kResultFalse;
    }
    *info = entry->info8;
    return kResultOk;
}

tresult PLUGIN_API CPluginFactory::getClassInfoUnicode(int32 index, PClassInfoW* info) {
    const ClassEntry* entry = entryAt(index);
    if (info == nullptr || entry == nullptr)
        return kInvalidArgument;
    *info = entry->info16;
    return kResultOk;
}

tresult PLUGIN_API CPluginFactory::createInstance(FIDString cid, FIDString _iid, void** obj) {
    if (obj == nullptr)
        return kInvalidArgument;
    *obj = nullptr;
    for (const ClassEntry& entry : classes) {
        if (!iidEqual(entry.info16.cid, cid))
            continue;
        FUnknown* instance = entry.createFunc(entry.context);
        if (instance == nullptr)
            return kNoInterface;
        void* face = nullptr;
        const tresult result = instance->queryInterface(_iid, &face);
        // Drops the creation reference: on success the query's reference is
        // the caller's only one, on failure the object goes away.
        instance->release();
        if (result == kResultOk && face != nullptr) {
            *obj = face;
            return kResultOk;
        }
        return kNoInterface;
    }
    return kNoInterface;
}

tresult PLUGIN_API CPluginFactory::setHostContext(FUnknown* context) {
#if SMTG_OS_LINUX
    runLoop = queryInterfacePtr<Linux::IRunLoop>(context);
    return kResultTrue;
#else
    (void)context;
    return kNotImplemented;
#endif
}

} // namespace Steinberg
