#pragma once
// Turns a polite termination request (SIGTERM, SIGINT, SIGHUP: logout,
// service stop, Ctrl+C) into a call on the UI thread, so the program can
// close its windows and write its shutdown lines instead of vanishing.
// Threading: UI thread only; needs the application object.

#include <functional>

namespace platform {

// Installs the handler once; later calls replace the callback. Returns 0 or
// the errno of the failing set-up step.
int on_termination_request(std::function<void()> callback);

} // namespace platform
