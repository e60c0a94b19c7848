#include "vst3/ModuleInfo.h"

#include "vst3/ModuleRecord.h"

#include <atomic>

namespace {

const ModuleRecord& Record() {
    static const ModuleRecord record = ReadModuleRecord();
    return record;
}

std::atomic<void*> frameworkHandle{nullptr};

} // namespace

void* LoadedModuleHandle() {
    return frameworkHandle.load();
}

const char* LoadedModuleFolder() {
    return Record().folder;
}

void SetLoadedModuleHandle(void* handle) {
    frameworkHandle.store(handle);
}

void* RecordedModuleHandle() {
    return Record().handle;
}
