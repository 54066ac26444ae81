#pragma once
// The program's log file.
// Threading: any thread; each call appends exactly one whole line under a lock.

#include <cstdint>
#include <string>

// Size above which the log is copied to ".bak" and restarted at open.
constexpr int64_t app_log_size_limit = 20971520;

// printf-style; at most 1023 bytes of message, then "\r\n". No-op while the
// log is not open.
void app_log(const char* format, ...) __attribute__((format(printf, 1, 2)));

// Opens the log (rotating it first when larger than limit). 0 or errno.
int log_open(const std::wstring& path, int64_t limit = app_log_size_limit);
void log_close();
bool log_enabled();
// File descriptor of the open log, -1 when closed (for the crash handler,
// which may only use async-signal-safe calls).
int log_fd();
