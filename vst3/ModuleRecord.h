#pragma once

// What the system knows of the loaded module, read once per process by the platform's half
// (ModuleRecordPosix.cpp, ModuleRecordWin.cpp).
struct ModuleRecord {
    static constexpr int kFolderCapacity = 4096;

    void* handle = nullptr;
    // The module file's folder with a trailing separator, UTF-8; empty when unknown.
    char folder[kFolderCapacity] = {};
};

ModuleRecord ReadModuleRecord();
