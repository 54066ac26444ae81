// Child process for the crash and lock tests.
//   crash_helper DIR segv|overflow|thread-overflow|abort -- opens DIR/log/Halvix.txt, installs
//                                           the crash handler, then crashes
//   crash_helper DIR lock                 -- takes the instance lock in DIR,
//                                           prints "locked", then waits

#include "core/app_log.h"
#include "platform/crash_handler.h"
#include "platform/instance_lock.h"

#include <QtCore>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <thread>

namespace {
volatile int sink = 0;
int* volatile null_target = nullptr;

// noinline and a live buffer so the compiler cannot turn this into a loop.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Winfinite-recursion"
__attribute__((noinline)) int recurse(int depth) {
    volatile char pad[512];
    pad[0] = static_cast<char>(depth);
    return recurse(depth + 1) + pad[0];
}
#pragma GCC diagnostic pop
} // namespace

int main(int argc, char** argv) {
    if (argc < 3)
        return 2;
    const std::string dir = argv[1];
    const std::string mode = argv[2];
    QCoreApplication app(argc, argv);

    if (mode == "lock") {
        platform::instance_lock lock;
        if (!lock.acquire(QString::fromStdString(dir).toStdWString(), L"Halvix") || !lock.held())
            return 3;
        std::printf("locked\n");
        std::fflush(stdout);
        std::this_thread::sleep_for(std::chrono::seconds(60));
        return 0;
    }

    QDir().mkpath(QString::fromStdString(dir + "/log"));
    if (log_open(QString::fromStdString(dir + "/log/Halvix.txt").toStdWString()) != 0)
        return 4;
    app_log("helper ready");
    platform::install_crash_handler(dir + "/log/", &log_fd);

    if (mode == "segv") {
        *null_target = 1;
    } else if (mode == "overflow") {
        sink = recurse(0);
    } else if (mode == "thread-overflow") {
        std::thread worker([] {
            platform::prepare_thread_for_crash_reports();
            sink = recurse(0);
        });
        worker.join();
    } else if (mode == "abort") {
        std::abort();
    }
    return 5;
}
