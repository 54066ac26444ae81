#include "tools/devicesim/device_sim.h"

#include "device/device_api.h"
#include "platform/net.h"

#include <QDateTime>
#include <QStorageInfo>
#include <QString>

#include <json/json.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>
#include <vector>

namespace fs = std::filesystem;

namespace {

constexpr size_t max_head = 16384;
constexpr int64_t max_json_body = 1 << 20;
constexpr int socket_timeout_ms = 10000;
constexpr char firmware_magic[] = "HVXFW001";
constexpr int64_t firmware_min_size = 64;
constexpr char time_format[] = "yyyy-MM-dd HH:mm:ss.zzz";

int64_t now_ms() {
    return QDateTime::currentMSecsSinceEpoch();
}

const char* reason_of(int status) {
    switch (status) {
    case 200:
        return "OK";
    case 400:
        return "Bad Request";
    case 404:
        return "Not Found";
    case 405:
        return "Method Not Allowed";
    case 413:
        return "Payload Too Large";
    case 507:
        return "Insufficient Storage";
    default:
        return "Error";
    }
}

std::string json_text(const Json::Value& v) {
    Json::StreamWriterBuilder b;
    b["indentation"] = "";
    b["emitUTF8"] = true;
    return Json::writeString(b, v);
}

bool parse_json(const std::string& text, Json::Value& root) {
    Json::CharReaderBuilder b;
    std::unique_ptr<Json::CharReader> r(b.newCharReader());
    std::string errors;
    return r->parse(text.data(), text.data() + text.size(), &root, &errors);
}

struct request {
    std::string method;
    std::string target;             // as sent
    std::vector<std::string> parts; // decoded path segments
    int64_t content_length = 0;
    std::string pending; // body bytes that came with the head
};

// Reads the head (and whatever body bytes follow it in the same packets).
bool read_request(int s, request& r) {
    std::string buf;
    char chunk[4096];
    size_t end = std::string::npos;
    while ((end = buf.find("\r\n\r\n")) == std::string::npos) {
        if (buf.size() > max_head)
            return false;
        const int64_t n = platform::recv_some(s, chunk, sizeof chunk);
        if (n < 1)
            return false;
        buf.append(chunk, size_t(n));
    }
    r.pending = buf.substr(end + 4);
    const std::string head = buf.substr(0, end + 2);
    const size_t line_end = head.find("\r\n");
    const std::string line = head.substr(0, line_end);
    const size_t sp1 = line.find(' ');
    const size_t sp2 = line.find(' ', sp1 + 1);
    if (sp1 == std::string::npos || sp2 == std::string::npos)
        return false;
    r.method = line.substr(0, sp1);
    r.target = line.substr(sp1 + 1, sp2 - sp1 - 1);
    // Header names are case-insensitive on this side.
    std::string lower = head;
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return char(std::tolower(c)); });
    const size_t cl = lower.find("\r\ncontent-length:");
    if (cl != std::string::npos)
        r.content_length = std::strtoll(head.c_str() + cl + 17, nullptr, 10);
    size_t at = 1;
    while (at <= r.target.size()) {
        size_t slash = r.target.find('/', at);
        if (slash == std::string::npos)
            slash = r.target.size();
        std::string seg;
        if (!percent_decode(r.target.substr(at, slash - at), seg))
            return false;
        r.parts.push_back(seg);
        at = slash + 1;
    }
    return true;
}

// Reads the rest of a body of at most limit bytes.
bool read_body(int s, request& r, int64_t limit, std::string& body) {
    if (r.content_length < 0 || r.content_length > limit)
        return false;
    body = r.pending.substr(0, size_t(r.content_length));
    std::vector<char> buf(size_t(r.content_length) - body.size() + 1);
    int64_t want = int64_t(buf.size()) - 1;
    if (want > 0) {
        platform::recv_exact(s, buf.data(), &want);
        body.append(buf.data(), size_t(want));
    }
    return int64_t(body.size()) == r.content_length;
}

bool send_reply(int s, int status, const std::string& body, const char* type = "application/json") {
    char head[256];
    const int n = std::snprintf(head, sizeof head,
                                "HTTP/1.1 %d %s\r\nContent-Length: %zu\r\nContent-Type: %s\r\n"
                                "Connection: close\r\n\r\n",
                                status, reason_of(status), body.size(), type);
    return platform::send_all(s, head, n) == 0 &&
           platform::send_all(s, body.data(), int64_t(body.size())) == 0;
}

std::string error_body(const char* text) {
    Json::Value v(Json::objectValue);
    v["error"] = text;
    return json_text(v);
}

std::vector<std::string> sorted_entries(const fs::path& dir, bool directories) {
    std::vector<std::string> out;
    std::error_code ec;
    for (fs::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec)) {
        const std::string name = it->path().filename().u8string();
        if (name.empty() || name[0] == '.')
            continue;
        std::error_code ec2;
        if (directories ? it->is_directory(ec2) : it->is_regular_file(ec2))
            out.push_back(name);
    }
    std::sort(out.begin(), out.end());
    return out;
}

} // namespace

struct device_sim::connection {
    std::thread thread;
    std::atomic<bool> done{false};
    int socket = -1;
};

device_sim::device_sim(device_sim_options options) : o_(std::move(options)) {
    version_ = o_.version;
    if (!o_.start_time.empty()) {
        QDateTime t = QDateTime::fromString(QString::fromStdString(o_.start_time), time_format);
        if (!t.isValid())
            t = QDateTime::fromString(QString::fromStdString(o_.start_time), "yyyy-MM-dd HH:mm:ss");
        if (t.isValid())
            clock_offset_ms_ = t.toMSecsSinceEpoch() - now_ms();
    }
}

device_sim::~device_sim() {
    stop();
}

int device_sim::start() {
    const int rc = platform::tcp_listen(&listener_, o_.bind.c_str(), o_.port, 128);
    if (rc != 0)
        return rc;
    port_ = platform::socket_local_port(listener_);
    stopping_ = false;
    acceptor_ = std::thread([this] { accept_loop(); });
    return 0;
}

void device_sim::stop() {
    if (!acceptor_.joinable())
        return;
    stopping_ = true;
    acceptor_.join();
    platform::net_close(listener_);
    listener_ = -1;
    reap(true);
}

std::string device_sim::address() const {
    return port_ == device_http_port ? o_.bind : o_.bind + ":" + std::to_string(port_);
}

std::string device_sim::version() const {
    std::lock_guard<std::mutex> lock(state_lock_);
    return version_;
}

int64_t device_sim::clock_offset_ms() const {
    std::lock_guard<std::mutex> lock(state_lock_);
    return clock_offset_ms_;
}

std::string device_sim::clock_text() const {
    return QDateTime::fromMSecsSinceEpoch(now_ms() + clock_offset_ms())
        .toString(time_format)
        .toStdString();
}

void device_sim::reap(bool all) {
    std::lock_guard<std::mutex> lock(conn_lock_);
    for (auto it = connections_.begin(); it != connections_.end();) {
        if (all && !(*it)->done)
            platform::net_shutdown((*it)->socket);
        if (all || (*it)->done) {
            (*it)->thread.join();
            it = connections_.erase(it);
        } else {
            ++it;
        }
    }
}

void device_sim::accept_loop() {
    while (!stopping_) {
        int s = -1;
        const int rc = platform::tcp_accept(listener_, &s, 100);
        reap(false);
        if (rc != 0)
            continue;
        platform::set_socket_timeouts(s, socket_timeout_ms);
        auto c = std::make_unique<connection>();
        c->socket = s;
        connection* raw = c.get();
        std::lock_guard<std::mutex> lock(conn_lock_);
        raw->thread = std::thread([this, raw] {
            serve(raw->socket);
            raw->done = true;
        });
        connections_.push_back(std::move(c));
    }
}

void device_sim::serve(int s) {
    request r;
    int status = 400;
    int64_t sent = 0;
    const bool parsed = read_request(s, r);
    if (parsed) {
        ++requests_;
        const fs::path root = fs::u8path(o_.root);
        const auto& p = r.parts;
        auto reply = [&](int st, const std::string& body) {
            status = st;
            sent = int64_t(body.size());
            send_reply(s, st, body);
        };
        if (r.method == "GET" && p.size() == 1 && p[0] == "data_list") {
            Json::Value list(Json::arrayValue);
            for (const auto& n : sorted_entries(root, true))
                list.append(n);
            reply(200, json_text(list));
        } else if (r.method == "GET" && p.size() == 2 && p[0] == "data_list") {
            const fs::path set = root / fs::u8path(p[1]);
            std::error_code ec;
            if (!is_safe_device_name(p[1]) || !fs::is_directory(set, ec)) {
                reply(404, error_body("unknown data set"));
            } else {
                Json::Value m(Json::objectValue);
                m["name"] = p[1];
                m["title"] = p[1];
                m["items"] = Json::Value(Json::arrayValue);
                for (const auto& d : sorted_entries(set, true)) {
                    Json::Value item(Json::objectValue);
                    item["dir"] = d;
                    item["files"] = Json::Value(Json::arrayValue);
                    for (const auto& f : sorted_entries(set / fs::u8path(d), false)) {
                        Json::Value fe(Json::objectValue);
                        fe["name"] = f;
                        fe["size"] =
                            Json::Int64(fs::file_size(set / fs::u8path(d) / fs::u8path(f), ec));
                        item["files"].append(fe);
                    }
                    m["items"].append(item);
                }
                reply(200, json_text(m));
            }
        } else if (r.method == "GET" && p.size() == 4 && p[0] == "data") {
            const bool safe =
                is_safe_device_name(p[1]) && is_safe_device_name(p[2]) && is_safe_device_name(p[3]);
            const fs::path file = root / fs::u8path(p[1]) / fs::u8path(p[2]) / fs::u8path(p[3]);
            std::error_code ec;
            std::FILE* f =
                safe && fs::is_regular_file(file, ec) ? std::fopen(file.c_str(), "rb") : nullptr;
            if (!f) {
                reply(404, error_body("unknown file"));
            } else {
                if (o_.file_delay_ms > 0)
                    std::this_thread::sleep_for(std::chrono::milliseconds(o_.file_delay_ms));
                std::fseek(f, 0, SEEK_END);
                const int64_t size = std::ftell(f);
                std::fseek(f, 0, SEEK_SET);
                char head[200];
                const int n = std::snprintf(head, sizeof head,
                                            "HTTP/1.1 200 OK\r\nContent-Length: %lld\r\n"
                                            "Content-Type: application/octet-stream\r\n"
                                            "Connection: close\r\n\r\n",
                                            static_cast<long long>(size));
                status = 200;
                bool ok = platform::send_all(s, head, n) == 0;
                constexpr size_t chunk = 1 << 20;
                std::unique_ptr<char[]> buf(new char[chunk]);
                std::setvbuf(f, nullptr, _IONBF, 0);
                while (ok) {
                    size_t got = std::fread(buf.get(), 1, chunk, f);
                    if (got == 0)
                        break;
                    if (o_.cut_after_bytes >= 0) {
                        const int64_t left = o_.cut_after_bytes - file_bytes_.load();
                        if (left < int64_t(got)) {
                            got = size_t(std::max<int64_t>(left, 0));
                            ok = false; // the cable is pulled here
                        }
                    }
                    if (got > 0 && platform::send_all(s, buf.get(), int64_t(got)) != 0)
                        ok = false;
                    file_bytes_ += int64_t(got);
                    sent += int64_t(got);
                }
                std::fclose(f);
            }
        } else if (r.method == "POST" && p.size() == 1 && p[0] == "data_remove") {
            std::string body;
            Json::Value req;
            if (!read_body(s, r, max_json_body, body) || !parse_json(body, req) ||
                !req.isObject() || !req["names"].isArray()) {
                reply(400, error_body("bad body"));
            } else {
                int removed = 0;
                for (const Json::Value& n : req["names"]) {
                    if (!n.isString() || !is_safe_device_name(n.asString()))
                        continue;
                    std::error_code ec;
                    const fs::path set = root / fs::u8path(n.asString());
                    if (fs::is_directory(set, ec) && fs::remove_all(set, ec) > 0 && !ec)
                        ++removed;
                }
                Json::Value v(Json::objectValue);
                v["removed"] = removed;
                reply(200, json_text(v));
            }
        } else if (r.method == "GET" && p.size() == 1 && p[0] == "status") {
            Json::Value v(Json::objectValue);
            const QStorageInfo disk(QString::fromStdString(o_.root));
            v["sn"] = o_.sn;
            v["model"] = o_.model;
            v["host_addr_mac"] = o_.mac;
            v["time"] = clock_text();
            v["disk_available"] =
                Json::Int64(o_.disk_available >= 0 ? o_.disk_available : disk.bytesAvailable());
            v["disk_total"] = Json::Int64(disk.bytesTotal());
            v["battery"] = 87;
            v["version"] = version();
            reply(200, json_text(v));
        } else if (r.method == "POST" && p.size() == 1 && p[0] == "time") {
            std::string body;
            Json::Value req;
            QDateTime t;
            if (read_body(s, r, max_json_body, body) && parse_json(body, req) && req.isObject() &&
                req["time"].isString()) {
                const QString text = QString::fromStdString(req["time"].asString());
                t = QDateTime::fromString(text, time_format);
                if (!t.isValid())
                    t = QDateTime::fromString(text, "yyyy-MM-dd HH:mm:ss");
            }
            if (!t.isValid()) {
                reply(400, error_body("bad time"));
            } else {
                {
                    std::lock_guard<std::mutex> lock(state_lock_);
                    clock_offset_ms_ = t.toMSecsSinceEpoch() - now_ms();
                }
                Json::Value v(Json::objectValue);
                v["time"] = clock_text();
                reply(200, json_text(v));
            }
        } else if (r.method == "POST" && p.size() == 1 && p[0] == "firmware") {
            const int64_t size = r.content_length;
            const int64_t space =
                o_.disk_available >= 0
                    ? o_.disk_available
                    : QStorageInfo(QString::fromStdString(o_.root)).bytesAvailable();
            // Read the whole upload before answering: a camera that answered
            // early and closed would reset the connection under the sender.
            std::string start = r.pending.substr(0, size_t(std::max<int64_t>(size, 0)));
            int64_t have = int64_t(start.size());
            std::vector<char> buf(1 << 20);
            while (have < size) {
                const int64_t n = platform::recv_some(
                    s, buf.data(), std::min<int64_t>(int64_t(buf.size()), size - have));
                if (n < 1)
                    break;
                if (start.size() < 24)
                    start.append(buf.data(),
                                 size_t(std::min<int64_t>(n, 24 - int64_t(start.size()))));
                have += n;
            }
            std::string new_version;
            if (start.size() >= 24 && std::memcmp(start.data(), firmware_magic, 8) == 0) {
                const std::string field = start.substr(8, 16);
                new_version = field.substr(0, field.find('\0'));
                for (unsigned char c : new_version)
                    if (c < 0x20 || c > 0x7E)
                        new_version.clear();
            }
            if (have != size || size < 0) {
                reply(400, error_body("incomplete upload"));
            } else if (size > o_.firmware_limit) {
                reply(413, error_body("firmware file too large"));
            } else if (size > space) {
                reply(507, error_body("no space for the firmware"));
            } else if (size < firmware_min_size || new_version.empty()) {
                reply(400, error_body("not a firmware file"));
            } else {
                {
                    std::lock_guard<std::mutex> lock(state_lock_);
                    version_ = new_version;
                }
                Json::Value v(Json::objectValue);
                v["ok"] = true;
                v["version"] = new_version;
                reply(200, json_text(v));
            }
        } else {
            reply(404, error_body("unknown request"));
        }
    }
    if (o_.log)
        o_.log(clock_text() + " " + (parsed ? r.method + " " + r.target : std::string("-")) + " " +
               std::to_string(status) + " " + std::to_string(sent));
    // Let the client read the reply to its end before the socket goes.
    platform::net_shutdown_write(s);
    char sink[4096];
    while (platform::recv_some(s, sink, sizeof sink) > 0) {
    }
    platform::net_close(s);
}
