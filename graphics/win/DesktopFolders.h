#pragma once

class TextBuffer;

// The folders an editor may ask for, as Windows names them, in UTF-8. Any thread.

// `path` cut after its last backslash, the backslash kept; empty when there is none or it is
// the last character (a path that names no file has no folder to give).
void FolderOfPath(const char* path, TextBuffer& out);
// The folder of a module's file (none: the process's executable), as FolderOfPath gives it.
void FolderOfModule(void* module, TextBuffer& out);

enum class SpecialFolderKind { Desktop, LocalAppData, CommonAppData };
// The system's path for the folder, or empty when it has none.
void SpecialFolder(SpecialFolderKind kind, TextBuffer& out);
