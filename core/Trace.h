#pragma once

// Trace points mark where the core passes interesting moments (construction, state transfer,
// channel checks). They record nothing in this build; the arguments are still type-checked.
template <class... Args>
inline void Trace(const char* /*location*/, const char* /*format*/, Args&&...) {}
