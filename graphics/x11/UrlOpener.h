#pragma once

// Web pages open in the desktop's browser through `xdg-open`, started directly (never through
// a shell) with the address as its only argument. The opener is a child of the host process:
// it is reaped without waiting, on later calls. Module-wide; any thread.

// Starts `xdg-open url`. False when the address is empty, could be taken for an option (a
// leading '-'), or the program could not be started (for example, it is not installed).
bool LaunchUrlOpener(const char* url);
// Collects the openers that have finished; never waits.
void ReapUrlOpeners();
// Openers started and not yet collected.
int UnreapedUrlOpeners();
