#pragma once
// Start-up checkpoints: each logs the milliseconds since the process's
// clock started (main's first line) under "dorrin.start.timing", off unless
// QT_LOGGING_RULES="dorrin.start.timing.debug=true".
#include <QElapsedTimer>

namespace dorrin::organiser {

// Starts the clock the checkpoints read; main calls it first.
void startupClockStart();
// The clock, for main's own figures.
const QElapsedTimer &startupClock();
// Logs `step` with the time since the clock started.
void startupMark(const char *step);

} // namespace dorrin::organiser
