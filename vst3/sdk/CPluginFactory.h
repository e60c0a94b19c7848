// The module's class factory: factory info, registered classes and instance creation.
#pragma once

#include "vst3/sdk/IPluginFactory.h"
#include "vst3/sdk/IPtr.h"
#include "vst3/sdk/IRunLoop.h"

#include <atomic>
#include <vector>

namespace Steinberg {

class CPluginFactory : public IPluginFactory3 {
  public:
    // Returns a new object with one reference (the caller's), or null.
    using CreateFunction = FUnknown* (*)(void* context);

    // The count starts at 1, owned by the creator.
    explicit CPluginFactory(const PFactoryInfo& info);
    virtual ~CPluginFactory();
    CPluginFactory(const CPluginFactory&) = delete;
    CPluginFactory& operator=(const CPluginFactory&) = delete;

    // False for a null record or function. 8-bit records are also widened
    // byte by byte for getClassInfoUnicode.
    bool registerClass(const PClassInfo* info, CreateFunction createFunc, void* context = nullptr);
    bool registerClass(const PClassInfo2* info, CreateFunction createFunc, void* context = nullptr);
    // Classes registered wide are not served through getClassInfo/getClassInfo2.
    bool registerClass(const PClassInfoW* info, CreateFunction createFunc, void* context = nullptr);
    bool isClassRegistered(const FUID& cid) const;
    void removeAllClasses() { classes.clear(); }

    // The run loop from the last setHostContext, if the host offered one.
    Linux::IRunLoop* getRunLoop() const { return runLoop.get(); }

    // Answers FUnknown and IPluginFactory/2/3 only.
    tresult PLUGIN_API queryInterface(const TUID _iid, void** obj) override;
    uint32 PLUGIN_API addRef() override;
    uint32 PLUGIN_API release() override;

    // Any host thread.
    tresult PLUGIN_API getFactoryInfo(PFactoryInfo* info) override;
    int32 PLUGIN_API countClasses() override;
    tresult PLUGIN_API getClassInfo(int32 index, PClassInfo* info) override;
    tresult PLUGIN_API getClassInfo2(int32 index, PClassInfo2* info) override;
    tresult PLUGIN_API getClassInfoUnicode(int32 index, PClassInfoW* info) override;
    // On success the caller holds the only reference to the new object.
    tresult PLUGIN_API createInstance(FIDString cid, FIDString _iid, void** obj) override;
    tresult PLUGIN_API setHostContext(FUnknown* context) override;

  private:
    struct ClassEntry {
        PClassInfo2 info8;
        PClassInfoW info16;
        CreateFunction createFunc = nullptr;
        void* context = nullptr;
        bool isUnicode = false;
    };

    void append(const ClassEntry& entry);
    const ClassEntry* entryAt(int32 index) const;

    std::atomic<uint32> refCount{1};
    PFactoryInfo factoryInfo;
    std::vector<ClassEntry> classes;
    IPtr<Linux::IRunLoop> runLoop;
};

} // namespace Steinberg
