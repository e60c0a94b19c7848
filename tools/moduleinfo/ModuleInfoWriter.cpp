#include "tools/moduleinfo/ModuleInfoWriter.h"

#include "tools/plughost/JsonWriter.h"
#include "vst3/sdk/FUID.h"
#include "vst3/sdk/IPluginFactory.h"
#include "vst3/sdk/IPtr.h"

#include <cstring>
#include <vector>

using namespace Steinberg;
using plughost::JsonWriter;

namespace {

// An 8-bit field that may fill its whole capacity without a terminator.
template <size_t N> std::string FieldText(const char8 (&field)[N]) {
    return std::string(field, strnlen(field, N));
}

std::vector<std::string> SplitCategories(const std::string& text) {
    std::vector<std::string> parts;
    size_t start = 0;
    while (start <= text.size() && !text.empty()) {
        const size_t bar = text.find('|', start);
        const size_t end = bar == std::string::npos ? text.size() : bar;
        if (end > start)
            parts.push_back(text.substr(start, end - start));
        if (bar == std::string::npos)
            break;
        start = bar + 1;
    }
    return parts;
}

} // namespace

std::string ModuleInfoJson(const Hosting::Module& module, const std::string& name) {
    IPluginFactory* factory = module.getFactory();
    PFactoryInfo info{};
    factory->getFactoryInfo(&info);
    const std::string factoryVendor = FieldText(info.vendor);
    IPtr<IPluginFactory2> factory2 = queryInterfacePtr<IPluginFactory2>(factory);

    struct ClassRecord {
        PClassInfo basic{};
        PClassInfo2 details{};
        bool hasDetails = false;
    };
    std::vector<ClassRecord> classes;
    for (int32 i = 0, count = factory->countClasses(); i < count; ++i) {
        ClassRecord record;
        if (factory->getClassInfo(i, &record.basic) != kResultOk)
            continue;
        record.hasDetails = factory2 && factory2->getClassInfo2(i, &record.details) == kResultOk;
        classes.push_back(record);
    }

    // The module's version is its first class's: this product ships one class.
    const std::string version =
        !classes.empty() && classes[0].hasDetails ? FieldText(classes[0].details.version) : "";
    JsonWriter json;
    json.BeginObject().String("Name", name).String("Version", version);
    json.BeginObject("Factory Info")
        .String("Vendor", factoryVendor)
        .String("URL", FieldText(info.url))
        .String("E-Mail", FieldText(info.email));
    json.BeginObject("Flags")
        .Bool("Unicode", (info.flags & PFactoryInfo::kUnicode) != 0)
        .Bool("Classes Discardable", (info.flags & PFactoryInfo::kClassesDiscardable) != 0)
        .Bool("Component Non Discardable",
              (info.flags & PFactoryInfo::kComponentNonDiscardable) != 0)
        .EndObject()
        .EndObject();

    json.BeginArray("Classes");
    for (const ClassRecord& c : classes) {
        char8 cid[33] = {};
        FUID::fromTUID(c.basic.cid).toString(cid);
        json.BeginObject()
            .String("CID", cid)
            .String("Category", FieldText(c.basic.category))
            .String("Name", FieldText(c.basic.name));
        // An empty class vendor means the factory's vendor applies; a host reading only this
        // file must still see it.
        const std::string vendor = c.hasDetails ? FieldText(c.details.vendor) : "";
        json.String("Vendor", vendor.empty() ? factoryVendor : vendor)
            .String("Version", c.hasDetails ? FieldText(c.details.version) : "")
            .String("SDKVersion", c.hasDetails ? FieldText(c.details.sdkVersion) : "");
        json.BeginArray("Sub Categories");
        if (c.hasDetails)
            for (const std::string& part : SplitCategories(FieldText(c.details.subCategories)))
                json.String({}, part);
        json.EndArray()
            .Integer("Class Flags", c.hasDetails ? c.details.classFlags : 0)
            .Integer("Cardinality", c.basic.cardinality)
            .BeginArray("Snapshots")
            .EndArray()
            .EndObject();
    }
    json.EndArray().EndObject();
    return json.Text() + "\n";
}
