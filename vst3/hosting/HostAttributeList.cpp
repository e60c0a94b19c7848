#include "vst3/hosting/HostAttributeList.h"

#include "vst3/sdk/StringConvert.h"

namespace Steinberg::Hosting {

template <class T> const T* HostAttributeList::find(AttrID id) const {
    if (id == nullptr)
        return nullptr;
    const auto found = values.find(id);
    return found == values.end() ? nullptr : std::get_if<T>(&found->second);
}

tresult PLUGIN_API HostAttributeList::setInt(AttrID id, int64 value) {
    if (id == nullptr)
        return kInvalidArgument;
    values[id] = value;
    return kResultOk;
}

tresult PLUGIN_API HostAttributeList::getInt(AttrID id, int64& value) {
    const int64* stored = find<int64>(id);
    if (stored == nullptr)
        return kResultFalse;
    value = *stored;
    return kResultOk;
}

tresult PLUGIN_API HostAttributeList::setFloat(AttrID id, double value) {
    if (id == nullptr)
        return kInvalidArgument;
    values[id] = value;
    return kResultOk;
}

tresult PLUGIN_API HostAttributeList::getFloat(AttrID id, double& value) {
    const double* stored = find<double>(id);
    if (stored == nullptr)
        return kResultFalse;
    value = *stored;
    return kResultOk;
}

tresult PLUGIN_API HostAttributeList::setString(AttrID id, const Vst::TChar* string) {
    if (id == nullptr)
        return kInvalidArgument;
    values[id] = std::u16string(string ? string : u"");
    return kResultOk;
}

tresult PLUGIN_API HostAttributeList::getString(AttrID id, Vst::TChar* string, uint32 sizeInBytes) {
    const std::u16string* stored = find<std::u16string>(id);
    if (stored == nullptr || string == nullptr || sizeInBytes < sizeof(Vst::TChar))
        return kResultFalse;
    const uint32 capacity = sizeInBytes / sizeof(Vst::TChar);
    strncpy16(string, stored->c_str(),
              capacity > 0x7FFFFFFFu ? 0x7FFFFFFF : static_cast<int32>(capacity));
    return kResultOk;
}

tresult PLUGIN_API HostAttributeList::setBinary(AttrID id, const void* data, uint32 sizeInBytes) {
    if (id == nullptr || (data == nullptr && sizeInBytes > 0))
        return kInvalidArgument;
    const auto* bytes = static_cast<const uint8*>(data);
    values[id] = std::vector<uint8>(bytes, bytes + sizeInBytes);
    return kResultOk;
}

tresult PLUGIN_API HostAttributeList::getBinary(AttrID id, const void*& data, uint32& sizeInBytes) {
    const std::vector<uint8>* stored = find<std::vector<uint8>>(id);
    if (stored == nullptr)
        return kResultFalse;
    data = stored->data();
    sizeInBytes = static_cast<uint32>(stored->size());
    return kResultOk;
}

tresult PLUGIN_API HostAttributeList::queryInterface(const TUID _iid, void** obj) {
    if (obj == nullptr)
        return kInvalidArgument;
    if (iidEqual(_iid, IAttributeList::iid))
        return answer<IAttributeList>(this, obj);
    return FObject::queryInterface(_iid, obj);
}

} // namespace Steinberg::Hosting
