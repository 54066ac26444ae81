#include "core/app_log.h"

#include "platform/text.h"

#include <QDateTime>

#include <atomic>
#include <cerrno>
#include <cstdarg>
#include <cstdio>
#include <filesystem>
#include <mutex>
#include <system_error>

namespace {
std::mutex log_mutex;
std::FILE* log_file = nullptr;
// Mirrors log_file's descriptor for the crash handler, which may take no lock.
std::atomic<int> log_descriptor{-1};
static_assert(std::atomic<int>::is_always_lock_free, "crash handler needs a lock-free fd");

int64_t size_of(const std::filesystem::path& path) {
    std::error_code ec;
    const auto size = std::filesystem::file_size(path, ec);
    return ec ? -1 : static_cast<int64_t>(size);
}

void close_locked() {
    if (log_file) {
        log_descriptor.store(-1);
        std::fclose(log_file);
        log_file = nullptr;
    }
}
} // namespace

int log_open(const std::wstring& path, int64_t limit) {
    std::lock_guard<std::mutex> lock(log_mutex);
    close_locked();
    const std::string p = platform::wide_to_utf8(path);
    const std::filesystem::path fs_path(p);
    if (size_of(fs_path) > limit) {
        // The backup only helps reading; a failed copy must not stop logging.
        std::error_code ec;
        std::filesystem::copy_file(fs_path, p + ".bak",
                                   std::filesystem::copy_options::overwrite_existing, ec);
        // Restarted empty, then written in append mode like an unrotated
        // log: another process of the program (the command line) may log
        // to the same file, and a private write position would overwrite
        // its lines.
        if (std::FILE* truncated = std::fopen(p.c_str(), "w+b"))
            std::fclose(truncated);
    }
    log_file = std::fopen(p.c_str(), "ab");
    if (!log_file)
        return errno ? errno : EIO;
    log_descriptor.store(fileno(log_file));
    return 0;
}

void log_close() {
    std::lock_guard<std::mutex> lock(log_mutex);
    close_locked();
}

bool log_enabled() {
    std::lock_guard<std::mutex> lock(log_mutex);
    return log_file != nullptr;
}

int log_fd() {
    return log_descriptor.load();
}

void app_log(const char* format, ...) {
    // prefix (21) + message (at most 1023) + "\r\n"
    char line[32 + 1024 + 2];

    // Local time through Qt: the C library's re-entrant call is not portable.
    const QDateTime now = QDateTime::currentDateTime();
    const QDate day = now.date();
    const QTime time = now.time();
    int prefix = std::snprintf(line, 32, "[%02d%02d%02d %02d%02d%02d.%03u] ",
                               (day.year() - 2000) % 100, day.month(), day.day(), time.hour(),
                               time.minute(), time.second(), static_cast<unsigned>(time.msec()));
    if (prefix < 0 || prefix >= 32)
        return;

    va_list args;
    va_start(args, format);
    const int n = std::vsnprintf(line + prefix, 1024, format, args);
    va_end(args);
    if (n < 0)
        return;
    size_t size = static_cast<size_t>(prefix) + (n < 1024 ? static_cast<size_t>(n) : 1023);
    line[size++] = '\r';
    line[size++] = '\n';

    std::lock_guard<std::mutex> lock(log_mutex);
    if (!log_file)
        return;
    std::fwrite(line, 1, size, log_file);
    std::fflush(log_file);
}
