#pragma once
// A scripted HTTP peer on a loopback address for the client tests: it reads
// one request per connection, keeps its bytes, then plays a script of
// sends, byte-by-byte drips and pauses, and closes.

#include "platform/net.h"
#include "tests/store/test_log.h"

#include <chrono>
#include <cstdlib>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

struct peer_step {
    enum kind { send, drip, pause } what = send;
    std::string bytes;
    int ms = 0; // pause length, or the delay between dripped bytes
};
using peer_script = std::vector<peer_step>;

inline peer_step send_bytes(std::string b) {
    return {peer_step::send, std::move(b), 0};
}
inline peer_step drip_bytes(std::string b, int ms) {
    return {peer_step::drip, std::move(b), ms};
}
inline peer_step pause_ms(int ms) {
    return {peer_step::pause, {}, ms};
}

// A reply with a JSON body.
inline peer_script json_reply(const std::string& body, int status = 200) {
    return {send_bytes("HTTP/1.1 " + std::to_string(status) +
                       " X\r\nContent-Length: " + std::to_string(body.size()) + "\r\n\r\n" + body)};
}

class fake_peer {
public:
    explicit fake_peer(const char* address) : address_(address) {
        ok_ = platform::tcp_listen(&listener_, address, 0, 8) == 0;
        port_ = ok_ ? platform::socket_local_port(listener_) : 0;
    }
    ~fake_peer() {
        wait();
        platform::net_close(listener_);
    }

    bool ok() const { return ok_; }
    // "127.0.0.x:port", a device address of this peer.
    std::string address() const { return address_ + ":" + std::to_string(port_); }
    std::string url(const std::string& path) const { return "http://" + address() + path; }

    // Plays one script per connection, in order, on a thread of its own.
    void serve(std::vector<peer_script> scripts) {
        wait();
        requests_.clear();
        thread_ = std::thread([this, scripts] {
            for (const peer_script& script : scripts) {
                platform::net_socket s = platform::invalid_net_socket;
                if (platform::tcp_accept(listener_, &s, 10000) != 0)
                    return;
                platform::set_socket_timeouts(s, 10000);
                std::string req = read_request(s);
                {
                    std::lock_guard<std::mutex> lock(lock_);
                    requests_.push_back(req);
                }
                play(s, script);
                platform::net_close(s);
            }
        });
    }
    void serve(peer_script script) { serve(std::vector<peer_script>{std::move(script)}); }
    void wait() {
        if (thread_.joinable())
            thread_.join();
    }
    // The request bytes of each connection served so far (after wait()).
    std::vector<std::string> requests() {
        std::lock_guard<std::mutex> lock(lock_);
        return requests_;
    }

private:
    static std::string read_request(platform::net_socket s) {
        std::string buf;
        char c[4096];
        size_t end;
        while ((end = buf.find("\r\n\r\n")) == std::string::npos) {
            const int64_t n = platform::recv_some(s, c, sizeof c);
            if (n < 1)
                return buf;
            buf.append(c, size_t(n));
        }
        const size_t cl = buf.find("Content-Length: ");
        const size_t want =
            cl == std::string::npos || cl > end ? 0 : size_t(std::atoll(buf.c_str() + cl + 16));
        while (buf.size() < end + 4 + want) {
            const int64_t n = platform::recv_some(s, c, sizeof c);
            if (n < 1)
                break;
            buf.append(c, size_t(n));
        }
        return buf;
    }
    static void play(platform::net_socket s, const peer_script& script) {
        for (const peer_step& st : script) {
            switch (st.what) {
            case peer_step::send:
                platform::send_all(s, st.bytes.data(), int64_t(st.bytes.size()));
                break;
            case peer_step::drip:
                for (char b : st.bytes) {
                    platform::send_all(s, &b, 1);
                    std::this_thread::sleep_for(std::chrono::milliseconds(st.ms));
                }
                break;
            case peer_step::pause:
                std::this_thread::sleep_for(std::chrono::milliseconds(st.ms));
                break;
            }
        }
    }

    std::string address_;
    bool ok_ = false;
    platform::net_socket listener_ = platform::invalid_net_socket;
    uint16_t port_ = 0;
    std::thread thread_;
    std::mutex lock_;
    std::vector<std::string> requests_;
};
