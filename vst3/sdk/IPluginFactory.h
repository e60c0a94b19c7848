// Class factory interfaces and the records describing a module's classes.
#pragma once

#include "vst3/sdk/FUnknown.h"
#include "vst3/sdk/StringConvert.h"

#include <cstddef>
#include <cstring>

namespace Steinberg {

// The SDK leaves these records to the ambient packing; pinning it keeps a
// caller's own #pragma pack from changing them.
#pragma pack(push, 16)

struct PFactoryInfo {
    enum FactoryFlags {
        kNoFlags = 0,
        kClassesDiscardable = 1 << 0,
        kLicenseCheck = 1 << 1,
        kComponentNonDiscardable = 1 << 3,
        kUnicode = 1 << 4,
    };
    enum { kNameSize = 64, kURLSize = 256, kEmailSize = 128 };

    char8 vendor[kNameSize] = {};
    char8 url[kURLSize] = {};
    char8 email[kEmailSize] = {};
    int32 flags = 0;

    PFactoryInfo() = default;
    // Strings are served as UTF-16, so kUnicode is always announced.
    PFactoryInfo(const char8* vendorName, const char8* urlText, const char8* emailText,
                 int32 factoryFlags)
        : flags(factoryFlags | kUnicode) {
        strncpy8(vendor, vendorName, kNameSize);
        strncpy8(url, urlText, kURLSize);
        strncpy8(email, emailText, kEmailSize);
    }
};

struct PClassInfo {
    enum ClassCardinality { kManyInstances = 0x7FFFFFFF };
    enum { kCategorySize = 32, kNameSize = 64 };

    TUID cid = {};
    int32 cardinality = 0;
    char8 category[kCategorySize] = {};
    char8 name[kNameSize] = {};

    PClassInfo() = default;
    PClassInfo(const TUID classId, int32 classCardinality, const char8* categoryText,
               const char8* nameText)
        : cardinality(classCardinality) {
        if (classId)
            std::memcpy(cid, classId, sizeof(TUID));
        strncpy8(category, categoryText, kCategorySize);
        strncpy8(name, nameText, kNameSize);
    }
};

struct PClassInfo2 {
    enum { kVendorSize = 64, kVersionSize = 64, kSubCategoriesSize = 128 };

    TUID cid = {};
    int32 cardinality = 0;
    char8 category[PClassInfo::kCategorySize] = {};
    char8 name[PClassInfo::kNameSize] = {};
    uint32 classFlags = 0;
    char8 subCategories[kSubCategoriesSize] = {};
    char8 vendor[kVendorSize] = {};
    char8 version[kVersionSize] = {};
    char8 sdkVersion[kVersionSize] = {};

    PClassInfo2() = default;
    PClassInfo2(const TUID classId, int32 classCardinality, const char8* categoryText,
                const char8* nameText, int32 flags, const char8* subCategoriesText,
                const char8* vendorText, const char8* versionText, const char8* sdkVersionText)
        : cardinality(classCardinality), classFlags(static_cast<uint32>(flags)) {
        if (classId)
            std::memcpy(cid, classId, sizeof(TUID));
        strncpy8(category, categoryText, PClassInfo::kCategorySize);
        strncpy8(name, nameText, PClassInfo::kNameSize);
        strncpy8(subCategories, subCategoriesText, kSubCategoriesSize);
        strncpy8(vendor, vendorText, kVendorSize);
        strncpy8(version, versionText, kVersionSize);
        strncpy8(sdkVersion, sdkVersionText, kVersionSize);
    }
};

struct PClassInfoW {
    enum { kVendorSize = 64, kVersionSize = 64, kSubCategoriesSize = 128 };

    TUID cid = {};
    int32 cardinality = 0;
    char8 category[PClassInfo::kCategorySize] = {};
    char16 name[PClassInfo::kNameSize] = {};
    uint32 classFlags = 0;
    char8 subCategories[kSubCategoriesSize] = {};
    char16 vendor[kVendorSize] = {};
    char16 version[kVersionSize] = {};
    char16 sdkVersion[kVersionSize] = {};

    PClassInfoW() = default;

    // Widens byte by byte with sign extension; there is no UTF-8 decoding.
    void fromAscii(const PClassInfo2& ci2) {
        std::memcpy(cid, ci2.cid, sizeof(TUID));
        cardinality = ci2.cardinality;
        strncpy8(category, ci2.category, PClassInfo::kCategorySize);
        str8ToStr16(name, ci2.name, PClassInfo::kNameSize);
        classFlags = ci2.classFlags;
        strncpy8(subCategories, ci2.subCategories, kSubCategoriesSize);
        str8ToStr16(vendor, ci2.vendor, kVendorSize);
        str8ToStr16(version, ci2.version, kVersionSize);
        str8ToStr16(sdkVersion, ci2.sdkVersion, kVersionSize);
    }
};

class IPluginFactory : public FUnknown {
  public:
    virtual tresult PLUGIN_API getFactoryInfo(PFactoryInfo* info) = 0;
    virtual int32 PLUGIN_API countClasses() = 0;
    virtual tresult PLUGIN_API getClassInfo(int32 index, PClassInfo* info) = 0;
    // cid and _iid are 16-byte ids. The caller owns the one reference returned.
    virtual tresult PLUGIN_API createInstance(FIDString cid, FIDString _iid, void** obj) = 0;

    static constexpr FUID iid{0x7A4D811C, 0x52114A1F, 0xAED9D2EE, 0x0B43BF9F};
};

class IPluginFactory2 : public IPluginFactory {
  public:
    virtual tresult PLUGIN_API getClassInfo2(int32 index, PClassInfo2* info) = 0;

    static constexpr FUID iid{0x0007B650, 0xF24B4C0B, 0xA464EDB9, 0xF00B2ABB};
};

class IPluginFactory3 : public IPluginFactory2 {
  public:
    virtual tresult PLUGIN_API getClassInfoUnicode(int32 index, PClassInfoW* info) = 0;
    virtual tresult PLUGIN_API setHostContext(FUnknown* context) = 0;

    static constexpr FUID iid{0x4555A2AB, 0xC1234E57, 0x9B122910, 0x36878931};
};

#pragma pack(pop)

static_assert(sizeof(PFactoryInfo) == 452 && alignof(PFactoryInfo) == 4);
static_assert(offsetof(PFactoryInfo, vendor) == 0);
static_assert(offsetof(PFactoryInfo, url) == 64);
static_assert(offsetof(PFactoryInfo, email) == 320);
static_assert(offsetof(PFactoryInfo, flags) == 448);

static_assert(sizeof(PClassInfo) == 116 && alignof(PClassInfo) == 4);
static_assert(offsetof(PClassInfo, cid) == 0);
static_assert(offsetof(PClassInfo, cardinality) == 16);
static_assert(offsetof(PClassInfo, category) == 20);
static_assert(offsetof(PClassInfo, name) == 52);

static_assert(sizeof(PClassInfo2) == 440 && alignof(PClassInfo2) == 4);
static_assert(offsetof(PClassInfo2, cid) == 0);
static_assert(offsetof(PClassInfo2, cardinality) == 16);
static_assert(offsetof(PClassInfo2, category) == 20);
static_assert(offsetof(PClassInfo2, name) == 52);
static_assert(offsetof(PClassInfo2, classFlags) == 116);
static_assert(offsetof(PClassInfo2, subCategories) == 120);
static_assert(offsetof(PClassInfo2, vendor) == 248);
static_assert(offsetof(PClassInfo2, version) == 312);
static_assert(offsetof(PClassInfo2, sdkVersion) == 376);

static_assert(sizeof(PClassInfoW) == 696 && alignof(PClassInfoW) == 4);
static_assert(offsetof(PClassInfoW, cid) == 0);
static_assert(offsetof(PClassInfoW, cardinality) == 16);
static_assert(offsetof(PClassInfoW, category) == 20);
static_assert(offsetof(PClassInfoW, name) == 52);
static_assert(offsetof(PClassInfoW, classFlags) == 180);
static_assert(offsetof(PClassInfoW, subCategories) == 184);
static_assert(offsetof(PClassInfoW, vendor) == 312);
static_assert(offsetof(PClassInfoW, version) == 440);
static_assert(offsetof(PClassInfoW, sdkVersion) == 568);

namespace Vst {
inline constexpr int32 kDefaultFactoryFlags = PFactoryInfo::kUnicode;
} // namespace Vst

} // namespace Steinberg
