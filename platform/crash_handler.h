#pragma once
// Last words of a crashing process: on SIGSEGV, SIGBUS, SIGFPE, SIGILL or
// SIGABRT one log line "UnhandledExcepFilter code:%x" (the signal number) and
// a dump file "<dump_dir><YYYYMMDD_hhmmss_mmm>.dmp" with the signal, the
// faulting thread and a backtrace; then the process ends by that signal.
// The handler uses only async-signal-safe calls and runs on an alternate
// stack, so stack overflows of the installing thread are caught too.
// Threading: install from the UI thread before other threads start; the
// handler runs on whichever thread faults.

#include <cstdint>
#include <string>

namespace platform {

// dump_dir ends with '/'. log_fd returns the open log's descriptor or -1 and
// must itself be async-signal-safe. Returns the address of the SIGSEGV
// handler that was replaced (0: the default action).
std::uintptr_t install_crash_handler(const std::string& dump_dir, int (*log_fd)());

// Gives the calling thread its own alternate signal stack, so a stack
// overflow on that thread is reported too (the installing thread has one
// already). Call at the start of each long-lived thread; the stack is
// released when the thread ends.
void prepare_thread_for_crash_reports();

// Calendar fields of a count of seconds since 1970-01-01 in the same time
// zone, without any library call (usable in a signal handler).
// fields: year, month 1-12, day 1-31, hour, minute, second.
void civil_from_seconds(long long seconds, int fields[6]);

} // namespace platform
