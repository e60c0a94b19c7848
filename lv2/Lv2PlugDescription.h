#pragma once

class IPlugLV2;

// What a plug-in module tells LV2 hosts about its plug-in, defined by the product.
struct Lv2PlugDescription {
    const char* uri;      // the plug-in's URI (the core's widest channel configuration)
    const char* monoUri;  // its one-channel variant's, or none
    const char* uiUri;    // its editor's URI
    const char* homepage; // the vendor's address
    const char* email;    // the vendor's contact
};

const Lv2PlugDescription& Lv2PlugClass();
// A new instance of the product's plug-in class.
IPlugLV2* CreateLv2PlugInstance();
