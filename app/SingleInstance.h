#pragma once

#include <QString>

namespace dayvell {

inline constexpr char SingleInstanceMarker[] = "SemaphoreName";

// True when another running copy of the program already holds the marker.
// Otherwise this process takes the marker and keeps it until it ends; the
// operating system releases it however the process ends, a crash included.
// When the marker cannot be made at all, the answer is false.
//
// The marker is an exclusive lock on a file of that name in the user's
// runtime folder ($XDG_RUNTIME_DIR, else the temporary folder with the user
// id appended), so that each user runs one copy.
bool IsAlreadyRunning(const QString& markerName = QString::fromLatin1(SingleInstanceMarker));

} // namespace dayvell
