#include "platform/crash_handler.h"

#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <ctime>
#include <execinfo.h>
#include <fcntl.h>
#include <memory>
#include <sys/syscall.h>
#include <unistd.h>

namespace platform {
namespace {

const int crash_signals[] = {SIGSEGV, SIGBUS, SIGFPE, SIGILL, SIGABRT};

char dump_folder[4096];
int (*log_descriptor)() = nullptr;
long utc_offset_seconds = 0;
std::atomic<int> crash_entered{0};
alignas(16) char alternate_stack[64 * 1024];

// A tiny append-only text buffer; everything below avoids the allocator,
// stdio and locks.
struct text {
    char data[4352];
    size_t size = 0;
    void add(const char* s) {
        while (*s && size < sizeof data)
            data[size++] = *s++;
    }
    void add_unsigned(unsigned long long v, unsigned base = 10, int min_digits = 1) {
        char digits[32];
        int n = 0;
        do {
            digits[n++] = "0123456789abcdef"[v % base];
            v /= base;
        } while (v != 0 && n < 32);
        while (n < min_digits && n < 32)
            digits[n++] = '0';
        while (n > 0 && size < sizeof data)
            data[size++] = digits[--n];
    }
    void write_to(int fd) const {
        const char* p = data;
        size_t left = size;
        while (left > 0) {
            const ssize_t w = ::write(fd, p, left);
            if (w < 0 && errno == EINTR)
                continue;
            if (w <= 0)
                return;
            p += w;
            left -= static_cast<size_t>(w);
        }
    }
};

const char* signal_name(int sig) {
    switch (sig) {
    case SIGSEGV:
        return "SIGSEGV";
    case SIGBUS:
        return "SIGBUS";
    case SIGFPE:
        return "SIGFPE";
    case SIGILL:
        return "SIGILL";
    case SIGABRT:
        return "SIGABRT";
    default:
        return "signal";
    }
}

void crash_signal_handler(int sig, siginfo_t* info, void*) {
    if (crash_entered.exchange(1) != 0) {
        // Another thread is already writing the dump: give it time, then die.
        struct timespec wait = {10, 0};
        while (::nanosleep(&wait, &wait) != 0 && errno == EINTR) {
        }
        ::signal(sig, SIG_DFL);
        ::raise(sig);
        return;
    }
    struct timespec now {};
    ::clock_gettime(CLOCK_REALTIME, &now);
    int f[6];
    civil_from_seconds(static_cast<long long>(now.tv_sec) + utc_offset_seconds, f);
    const unsigned ms = static_cast<unsigned>(now.tv_nsec / 1000000);

    const int log = log_descriptor ? log_descriptor() : -1;
    if (log >= 0) {
        text line;
        line.add("[");
        line.add_unsigned(static_cast<unsigned>(f[0] - 2000) % 100, 10, 2);
        for (int i = 1; i < 3; ++i)
            line.add_unsigned(static_cast<unsigned>(f[i]), 10, 2);
        line.add(" ");
        for (int i = 3; i < 6; ++i)
            line.add_unsigned(static_cast<unsigned>(f[i]), 10, 2);
        line.add(".");
        line.add_unsigned(ms, 10, 3);
        line.add("] UnhandledExcepFilter code:");
        line.add_unsigned(static_cast<unsigned>(sig), 16);
        line.add("\r\n");
        line.write_to(log);
    }

    text path;
    path.add(dump_folder);
    path.add_unsigned(static_cast<unsigned>(f[0]), 10, 4);
    path.add_unsigned(static_cast<unsigned>(f[1]), 10, 2);
    path.add_unsigned(static_cast<unsigned>(f[2]), 10, 2);
    path.add("_");
    for (int i = 3; i < 6; ++i)
        path.add_unsigned(static_cast<unsigned>(f[i]), 10, 2);
    path.add("_");
    path.add_unsigned(ms, 10, 3);
    path.add(".dmp");
    path.data[path.size < sizeof path.data ? path.size : sizeof path.data - 1] = '\0';

    const int dump = ::open(path.data, O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    if (dump >= 0) {
        text head;
        head.add("signal: ");
        head.add_unsigned(static_cast<unsigned>(sig));
        head.add(" ");
        head.add(signal_name(sig));
        head.add("\ncode: ");
        head.add_unsigned(info ? static_cast<unsigned>(info->si_code) : 0u);
        head.add("\naddress: 0x");
        head.add_unsigned(info ? reinterpret_cast<std::uintptr_t>(info->si_addr) : 0u, 16);
        head.add("\nprocess: ");
        head.add_unsigned(static_cast<unsigned long long>(::getpid()));
        head.add("\nthread: ");
        head.add_unsigned(static_cast<unsigned long long>(::syscall(SYS_gettid)));
        head.add("\nversion: " HALVIX_VERSION "\nbacktrace:\n");
        head.write_to(dump);
        void* frames[128];
        const int n = ::backtrace(frames, 128);
        ::backtrace_symbols_fd(frames, n, dump);
        ::fsync(dump);
        ::close(dump);
    }

    // End with the signal itself so the parent sees the real cause; it is
    // delivered as soon as this handler returns.
    ::signal(sig, SIG_DFL);
    ::raise(sig);
}

struct thread_stack {
    std::unique_ptr<char[]> memory;
    ~thread_stack() {
        if (!memory)
            return;
        stack_t off{};
        off.ss_flags = SS_DISABLE;
        ::sigaltstack(&off, nullptr);
    }
};
thread_local thread_stack this_thread_stack;
const size_t thread_stack_size = 64 * 1024;

} // namespace

void prepare_thread_for_crash_reports() {
    if (this_thread_stack.memory)
        return;
    this_thread_stack.memory.reset(new char[thread_stack_size]);
    stack_t ss{};
    ss.ss_sp = this_thread_stack.memory.get();
    ss.ss_size = thread_stack_size;
    if (::sigaltstack(&ss, nullptr) != 0)
        this_thread_stack.memory.reset();
}

void civil_from_seconds(long long seconds, int fields[6]) {
    long long days = seconds / 86400;
    long long rest = seconds % 86400;
    if (rest < 0) {
        rest += 86400;
        --days;
    }
    // Days to civil date (proleptic Gregorian), era-based.
    days += 719468;
    const long long era = (days >= 0 ? days : days - 146096) / 146097;
    const long long doe = days - era * 146097;
    const long long yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const long long doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const long long mp = (5 * doy + 2) / 153;
    const long long d = doy - (153 * mp + 2) / 5 + 1;
    const long long m = mp < 10 ? mp + 3 : mp - 9;
    const long long y = yoe + era * 400 + (m <= 2 ? 1 : 0);
    fields[0] = static_cast<int>(y);
    fields[1] = static_cast<int>(m);
    fields[2] = static_cast<int>(d);
    fields[3] = static_cast<int>(rest / 3600);
    fields[4] = static_cast<int>(rest % 3600 / 60);
    fields[5] = static_cast<int>(rest % 60);
}

std::uintptr_t install_crash_handler(const std::string& dump_dir, int (*log_fd)()) {
    std::strncpy(dump_folder, dump_dir.c_str(), sizeof dump_folder - 1);
    dump_folder[sizeof dump_folder - 1] = '\0';
    log_descriptor = log_fd;

    std::time_t t = std::time(nullptr);
    std::tm local{};
    ::localtime_r(&t, &local);
    utc_offset_seconds = local.tm_gmtoff;

    // The first backtrace() loads the unwinder; do it now, not in the handler.
    void* warm[4];
    ::backtrace(warm, 4);

    stack_t ss{};
    ss.ss_sp = alternate_stack;
    ss.ss_size = sizeof alternate_stack;
    ::sigaltstack(&ss, nullptr);

    struct sigaction sa {};
    sa.sa_sigaction = crash_signal_handler;
    sigemptyset(&sa.sa_mask);
    sa.sa_flags = SA_SIGINFO | SA_ONSTACK;
    std::uintptr_t previous = 0;
    for (int sig : crash_signals) {
        struct sigaction old {};
        ::sigaction(sig, &sa, &old);
        if (sig == SIGSEGV) {
            previous = (old.sa_flags & SA_SIGINFO)
                           ? reinterpret_cast<std::uintptr_t>(old.sa_sigaction)
                           : reinterpret_cast<std::uintptr_t>(old.sa_handler);
        }
    }
    return previous;
}

} // namespace platform
