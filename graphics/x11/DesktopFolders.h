#pragma once

class TextBuffer;

// The folders an editor may ask for, as a Linux desktop names them. Each is an absolute path
// without a trailing separator, or the empty text when it cannot be found. Variables holding
// relative paths are ignored, as the XDG base-directory rules require. Any thread.

// The folder of the running executable (the host), from /proc/self/exe, with a trailing '/'.
void ExecutableFolder(TextBuffer& out);
// $XDG_DESKTOP_DIR, else ~/Desktop.
void UserDesktopFolder(TextBuffer& out);
// $XDG_DATA_HOME, else ~/.local/share.
void UserDataHome(TextBuffer& out);
// The first entry of $XDG_DATA_DIRS, else /usr/local/share.
void SharedDataFolder(TextBuffer& out);
