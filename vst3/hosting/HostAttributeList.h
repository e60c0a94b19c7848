// IAttributeList for host messages: typed values under string keys.
#pragma once

#include "vst3/sdk/FObject.h"
#include "vst3/sdk/IMessage.h"

#include <map>
#include <string>
#include <variant>
#include <vector>

namespace Steinberg::Hosting {

class HostAttributeList : public FObject, public Vst::IAttributeList {
  public:
    // Getters answer False for a missing key or a value of another type.
    tresult PLUGIN_API setInt(AttrID id, int64 value) override;
    tresult PLUGIN_API getInt(AttrID id, int64& value) override;
    tresult PLUGIN_API setFloat(AttrID id, double value) override;
    tresult PLUGIN_API getFloat(AttrID id, double& value) override;
    tresult PLUGIN_API setString(AttrID id, const Vst::TChar* string) override;
    // Copies what fits in sizeInBytes, always terminated.
    tresult PLUGIN_API getString(AttrID id, Vst::TChar* string, uint32 sizeInBytes) override;
    tresult PLUGIN_API setBinary(AttrID id, const void* data, uint32 sizeInBytes) override;
    // The pointer stays valid until the key is set again or the list is destroyed.
    tresult PLUGIN_API getBinary(AttrID id, const void*& data, uint32& sizeInBytes) override;

    tresult PLUGIN_API queryInterface(const TUID _iid, void** obj) override;
    uint32 PLUGIN_API addRef() override { return FObject::addRef(); }
    uint32 PLUGIN_API release() override { return FObject::release(); }

    FOBJECT_TYPE(HostAttributeList, FObject)

  private:
    using Value = std::variant<int64, double, std::u16string, std::vector<uint8>>;

    template <class T> const T* find(AttrID id) const;

    std::map<std::string, Value> values;
};

} // namespace Steinberg::Hosting
