#pragma once

// SIGINT and SIGTERM turned into a request to stop: the handler only records
// the signal in an atomic flag, which a long loop polls where it already tests
// its stop button. The same signal sent again ends the process at once.

namespace velmar {

void catchStopSignals();
// The signal received since catchStopSignals(), 0 when none.
int stopSignalReceived();
// "SIGINT", "SIGTERM": for the messages.
const char* stopSignalName(int signal);

} // namespace velmar
