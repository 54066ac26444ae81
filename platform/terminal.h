#pragma once
// The process's standard streams as the command line sees them.
// Threading: any thread.

namespace platform {
// True when standard output is an interactive terminal (not a pipe or file).
bool stdout_is_terminal();
} // namespace platform
