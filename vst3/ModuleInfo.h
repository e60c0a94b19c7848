#pragma once

// The plug-in module as the framework knows it. Any thread.

// The module's handle once the host has entered the module (ModuleEntry or InitDll), else none.
// An opaque identity: the handle the host passed to ModuleEntry, or the module's load address.
void* LoadedModuleHandle();
// The folder of the module's file with a trailing separator, or the empty text when the
// system does not tell. Known from load, before any entry point ran.
const char* LoadedModuleFolder();

// Entry points only.
void SetLoadedModuleHandle(void* handle);
// What the system recorded for the module at load: its load address.
void* RecordedModuleHandle();
#ifdef _WIN32
// DllMain at process attach: the module handle Windows passed, used by the record above.
void RecordModuleAttach(void* moduleHandle);
#endif
