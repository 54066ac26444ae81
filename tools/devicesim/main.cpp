// halvix-device-sim: a camera on the network, simulated, for tries and
// demonstrations. Serves the data sets under --root until SIGINT or SIGTERM.

#include "tools/devicesim/device_sim.h"

#include "platform/termination.h"

#include <QCoreApplication>
#include <QDir>
#include <QStringList>

#include <cstdio>
#include <mutex>

namespace {

void usage(std::FILE* to) {
    std::fprintf(to,
                 "Usage: halvix-device-sim --root DIR [--bind ADDR] [--port P] [options]\n\n"
                 "Serves the data sets (directories of data items) under DIR as a camera does.\n\n"
                 "  --root DIR            data set directories to serve (removals delete them)\n"
                 "  --bind ADDR           IPv4 address to listen on (default 127.0.0.1)\n"
                 "  --port P              TCP port (default 45600)\n"
                 "  --sn TEXT             serial number (default HVX40-000001)\n"
                 "  --model TEXT          model (default ORN-40)\n"
                 "  --version TEXT        firmware version (default V1.0.0)\n"
                 "  --time TEXT           the camera clock at start, \"yyyy-MM-dd HH:mm:ss\"\n"
                 "  --firmware-limit N    largest firmware upload in bytes (default 67108864)\n"
                 "  --disk-available N    free space to report, in bytes\n"
                 "  --file-delay MS       wait before each file reply (watch a transfer)\n");
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QStringList args = QCoreApplication::arguments();
    args.removeFirst();
    device_sim_options o;
    o.version = "V1.0.0";
    for (int i = 0; i < args.size(); ++i) {
        const QString a = args[i];
        if (a == "--help" || a == "-h") {
            usage(stdout);
            return 0;
        }
        if (i + 1 >= args.size()) {
            std::fprintf(stderr, "halvix-device-sim: %s needs a value\n", qPrintable(a));
            usage(stderr);
            return 2;
        }
        const QString v = args[++i];
        bool ok = true;
        if (a == "--root")
            o.root = QDir(v).absolutePath().toStdString();
        else if (a == "--bind")
            o.bind = v.toStdString();
        else if (a == "--port")
            o.port = static_cast<uint16_t>(v.toUInt(&ok));
        else if (a == "--sn")
            o.sn = v.toStdString();
        else if (a == "--model")
            o.model = v.toStdString();
        else if (a == "--version")
            o.version = v.toStdString();
        else if (a == "--time")
            o.start_time = v.toStdString();
        else if (a == "--firmware-limit")
            o.firmware_limit = v.toLongLong(&ok);
        else if (a == "--disk-available")
            o.disk_available = v.toLongLong(&ok);
        else if (a == "--file-delay")
            o.file_delay_ms = v.toInt(&ok);
        else
            ok = false;
        if (!ok) {
            std::fprintf(stderr, "halvix-device-sim: bad option %s %s\n", qPrintable(a),
                         qPrintable(v));
            usage(stderr);
            return 2;
        }
    }
    if (o.root.empty() || !QDir(QString::fromStdString(o.root)).exists()) {
        std::fprintf(stderr, "halvix-device-sim: --root must name an existing directory\n");
        usage(stderr);
        return 2;
    }
    static std::mutex out_lock;
    o.log = [](const std::string& line) {
        std::lock_guard<std::mutex> lock(out_lock);
        std::printf("%s\n", line.c_str());
        std::fflush(stdout);
    };
    device_sim sim(o);
    if (const int rc = sim.start()) {
        std::fprintf(stderr, "halvix-device-sim: cannot listen on %s:%u (errno %d)\n",
                     o.bind.c_str(), unsigned(o.port), rc);
        return 1;
    }
    std::printf("halvix-device-sim: serving %s on %s:%u (sn %s, version %s, clock %s)\n",
                o.root.c_str(), o.bind.c_str(), unsigned(sim.port()), o.sn.c_str(),
                sim.version().c_str(), sim.clock_text().c_str());
    std::fflush(stdout);
    platform::on_termination_request([] { QCoreApplication::quit(); });
    app.exec();
    sim.stop();
    std::printf("halvix-device-sim: stopped after %d requests\n", sim.requests());
    std::fflush(stdout);
    return 0;
}
