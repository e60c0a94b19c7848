#pragma once

#include "vst3/sdk/IPluginFactory.h"

#include <cstdint>

class IPlugVST3;

// What the product tells the module about its one class. The product defines PlugClass() and
// CreatePlugInstance(); the module builds the factory and class information from them.
struct PlugClassDescription {
    const char* name;          // class name shown by hosts
    const char* vendor;        // factory vendor
    const char* url;           // factory web-site address
    const char* email;         // factory contact address
    const char* subCategories; // "|"-separated, e.g. "Fx|EQ"
    uint32_t vendorCode;       // four-character manufacturer code, first character highest
    uint32_t plugCode;         // four-character plug-in code
    uint32_t version;          // 0xMMmmpp, announced as "M.m.p"
};

// Defined by the product. Any thread.
const PlugClassDescription& PlugClass();
// Defined by the product: builds one plug-in object with a reference count of 1, or none.
// Called under the module's creation lock, one object at a time.
IPlugVST3* CreatePlugInstance();

// The class identifier: two fixed words, then the manufacturer code and the plug-in code. Its
// text form (FUID::toString) is the same on every platform; the bytes follow the platform's
// identifier order (COM order on Windows, big-endian elsewhere).
void MakeClassId(uint32_t vendorCode, uint32_t plugCode, Steinberg::TUID classId);
// "M.m.p" from 0xMMmmpp; `size` includes the terminator.
void FormatVersionText(uint32_t version, char* text, int size);

// Module-wide: the class factory, shared by every caller while any holds a reference.
extern "C" SMTG_EXPORT_SYMBOL Steinberg::IPluginFactory* PLUGIN_API GetPluginFactory();
