#pragma once

// Web pages open in the user's browser through the shell's "open" verb, once the system says
// an internet connection is there. User-interface thread.

// Whether the system reports a usable internet connection.
bool InternetAvailable();
// Hands `url` to the shell. False when the address is empty or the shell refused it.
bool LaunchUrlOpener(const char* url);
