#pragma once

// Finds a font file for a face name on a system without a platform font service. The face's
// own file is preferred (its name without spaces, e.g. "Verdana.ttf" or "DejaVuSans-Bold.ttf");
// otherwise a common sans face stands in. A styled file is preferred to a plain one, which the
// font then slants or emboldens itself. Any thread.
namespace FontLocator {

constexpr int kPathSize = 512;

// Searches the system's font folders. False when no usable file exists.
bool Find(const char* faceName, bool bold, bool italic, char* path, int pathSize);

// The same search below the given folders (a list ending in none).
bool FindIn(const char* const* folders, const char* faceName, bool bold, bool italic, char* path,
            int pathSize);

} // namespace FontLocator
