#pragma once
// A camera on the network, simulated: serves the data sets under a root
// directory over the camera's HTTP interface (data list, manifests, files,
// removal, status, clock, firmware upload) on a loopback address, with its
// own clock, serial number and firmware version. Used by halvix-device-sim,
// the tests and the benchmarks.
// Threading: start() and stop() from one thread; every connection is served
// on a thread of its own; the accessors may be called from any thread.

#include <atomic>
#include <cstdint>
#include <functional>
#include <list>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

struct device_sim_options {
    std::string root; // directory of data set directories (UTF-8)
    std::string bind = "127.0.0.1";
    uint16_t port = 45600; // 0: any free port (see device_sim::port())
    std::string sn = "HVX40-000001";
    std::string model = "ORN-40";
    std::string mac = "02:48:56:58:00:01";
    std::string version = "V1.0.0";
    // The camera's clock at start ("yyyy-MM-dd HH:mm:ss[.zzz]"); empty: the
    // computer's clock.
    std::string start_time;
    int64_t firmware_limit = 64 << 20; // larger uploads get 413
    int64_t disk_available = -1;       // -1: what the root's file system says
    // Called with one line per request; empty: silent.
    std::function<void(const std::string&)> log;

    // Misbehaviour for tests: wait this long before each file reply, and cut
    // the connection once this many bytes of item files went out in total
    // (-1: never).
    int file_delay_ms = 0;
    int64_t cut_after_bytes = -1;
};

class device_sim {
public:
    explicit device_sim(device_sim_options options);
    ~device_sim();
    device_sim(const device_sim&) = delete;
    device_sim& operator=(const device_sim&) = delete;

    // Binds and starts serving. 0 or the errno of the failed bind.
    int start();
    // Stops accepting and waits for the connections being served.
    void stop();

    uint16_t port() const { return port_; }
    // "ADDRESS" on the default port, else "ADDRESS:PORT": a device address.
    std::string address() const;
    std::string version() const;
    // The camera's clock now, "yyyy-MM-dd HH:mm:ss.zzz".
    std::string clock_text() const;
    // Offset of the camera's clock from the computer's, milliseconds.
    int64_t clock_offset_ms() const;
    int requests() const { return requests_.load(); }
    int64_t file_bytes_served() const { return file_bytes_.load(); }

private:
    struct connection;
    void accept_loop();
    void serve(int socket);
    void reap(bool all);

    device_sim_options o_;
    int listener_ = -1;
    uint16_t port_ = 0;
    std::atomic<bool> stopping_{false};
    std::thread acceptor_;
    std::mutex conn_lock_;
    std::list<std::unique_ptr<connection>> connections_;
    mutable std::mutex state_lock_;
    int64_t clock_offset_ms_ = 0;
    std::string version_;
    std::atomic<int> requests_{0};
    std::atomic<int64_t> file_bytes_{0};
};
