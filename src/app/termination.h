#pragma once

#include <functional>

namespace appshell {

// Turns SIGTERM, SIGINT and SIGHUP into a call of onSignal on the window thread, so that a
// session that ends (or a terminal that closes) still closes the main window in order and writes
// the settings. Does nothing where there are no such signals.
void closeOnTerminationSignals(std::function<void()> onSignal);

} // namespace appshell
