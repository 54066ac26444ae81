#include "app/core/app_log.h"

#include "platform/text.h"

#include <cerrno>
#include <chrono>
#include <cstdarg>
#include <cstdio>
#include <ctime>
#include <mutex>
#include <sys/stat.h>

namespace {
std::mutex log_mutex;
FILE* log_file = nullptr;

int64_t size_of(const std::string& path) {
    struct stat st;
    if (::stat(path.c_str(), &st) != 0)
        return -1;
    return static_cast<int64_t>(st.st_size);
}

int copy_file_bytes(const std::string& from, const std::string& to) {
    FILE* in = std::fopen(from.c_str(), "rb");
    if (!in)
        return errno;
    FILE* out = std::fopen(to.c_str(), "wb");
    if (!out) {
        int e = errno;
        std::fclose(in);
        return e;
    }
    char buf[65536];
    size_t n;
    int rc = 0;
    while ((n = std::fread(buf, 1, sizeof buf, in)) > 0) {
        if (std::fwrite(buf, 1, n, out) != n) {
            rc = errno ? errno : EIO;
            break;
        }
    }
    std::fclose(in);
    if (std::fclose(out) != 0 && rc == 0)
        rc = errno;
    return rc;
}
} // namespace

int log_open(const std::wstring& path, int64_t limit) {
    std::lock_guard<std::mutex> lock(log_mutex);
    if (log_file) {
        std::fclose(log_file);
        log_file = nullptr;
    }
    const std::string p = platform::wide_to_utf8(path);
    if (size_of(p) > limit) {
        copy_file_bytes(p, p + ".bak");
        log_file = std::fopen(p.c_str(), "w+b");
    } else {
        log_file = std::fopen(p.c_str(), "ab");
    }
    return log_file ? 0 : errno;
}

void log_close() {
    std::lock_guard<std::mutex> lock(log_mutex);
    if (log_file) {
        std::fclose(log_file);
        log_file = nullptr;
    }
}

bool log_enabled() {
    std::lock_guard<std::mutex> lock(log_mutex);
    return log_file != nullptr;
}

int log_fd() {
    // Read without the lock: called from the crash handler.
    FILE* f = log_file;
    return f ? fileno(f) : -1;
}

void app_log(const char* format, ...) {
    char message[1024];
    va_list args;
    va_start(args, format);
    int n = std::vsnprintf(message, sizeof message, format, args);
    va_end(args);
    if (n < 0)
        return;
    size_t len = static_cast<size_t>(n) < sizeof message ? static_cast<size_t>(n) : sizeof message - 1;

    const auto now = std::chrono::system_clock::now();
    const std::time_t secs = std::chrono::system_clock::to_time_t(now);
    const unsigned ms = static_cast<unsigned>(
        std::chrono::duration_cast<std::chrono::milliseconds>(now.time_since_epoch()).count() % 1000);
    std::tm tm_local{};
    localtime_r(&secs, &tm_local);
    char prefix[32];
    std::snprintf(prefix, sizeof prefix, "[%02d%02d%02d %02d%02d%02d.%03u] ",
                  (tm_local.tm_year + 1900 - 2000) % 100, tm_local.tm_mon + 1, tm_local.tm_mday,
                  tm_local.tm_hour, tm_local.tm_min, tm_local.tm_sec, ms);

    std::lock_guard<std::mutex> lock(log_mutex);
    if (!log_file)
        return;
    std::fputs(prefix, log_file);
    std::fwrite(message, 1, len, log_file);
    std::fputs("\r\n", log_file);
    std::fflush(log_file);
}
