#include "device/device_api.h"

#include "core/app_log.h"
#include "device/http_client.h"
#include "platform/net.h"
#include "store/name_check.h"
#include "store/time_util.h"

#include <json/json.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <memory>

namespace {

// Flashing takes the camera a while before it answers.
constexpr int firmware_timeout_ms = 60000;

bool parse_json(const std::string& text, Json::Value& root, std::string& errors) {
    Json::CharReaderBuilder b;
    b["allowComments"] = true;
    b["collectComments"] = false;
    std::unique_ptr<Json::CharReader> reader(b.newCharReader());
    return reader->parse(text.data(), text.data() + text.size(), &root, &errors);
}

std::string compact(const Json::Value& v) {
    Json::StreamWriterBuilder b;
    b["indentation"] = "";
    b["emitUTF8"] = true;
    return Json::writeString(b, v);
}

bool valid_utf8(const std::string& s) {
    size_t i = 0;
    while (i < s.size()) {
        const unsigned char c = static_cast<unsigned char>(s[i]);
        int extra = 0;
        uint32_t cp = 0;
        if (c < 0x80) {
            ++i;
            continue;
        } else if ((c & 0xE0) == 0xC0) {
            extra = 1;
            cp = c & 0x1F;
        } else if ((c & 0xF0) == 0xE0) {
            extra = 2;
            cp = c & 0x0F;
        } else if ((c & 0xF8) == 0xF0) {
            extra = 3;
            cp = c & 0x07;
        } else {
            return false;
        }
        if (i + size_t(extra) >= s.size())
            return false;
        for (int k = 1; k <= extra; ++k) {
            const unsigned char n = static_cast<unsigned char>(s[i + size_t(k)]);
            if ((n & 0xC0) != 0x80)
                return false;
            cp = (cp << 6) | (n & 0x3F);
        }
        static const uint32_t min_of[] = {0, 0x80, 0x800, 0x10000};
        if (cp < min_of[extra] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
            return false;
        i += size_t(extra) + 1;
    }
    return true;
}

// A 200 reply whose body is one JSON value, for the requests after the data
// list. Logs as "<op> <address> err:%d status_code:%d" and returns the
// request's result, 1 or 2.
int json_call(const char* op, const std::string& address, const std::string& url,
              const http_options& o, Json::Value& root, int* status = nullptr) {
    http_reply reply;
    http_reply_init(reply);
    const int rc = http_exchange(url, o, reply);
    if (status)
        *status = reply.status_code;
    if (rc != 0 || reply.status_code == 0) {
        app_log("%s %s err:%d status_code:%d", op, address.c_str(), rc, reply.status_code);
        http_reply_release(reply);
        return rc != 0 ? rc : 1;
    }
    if (reply.status_code != 200) {
        app_log("%s %s status_code:%d", op, address.c_str(), reply.status_code);
        http_reply_release(reply);
        return 1;
    }
    std::string errors = "no body";
    const bool ok = reply.has_body() && parse_json(reply.body_text(), root, errors);
    http_reply_release(reply);
    if (!ok) {
        app_log("%s %s status_code:200 %s", op, address.c_str(), errors.c_str());
        return 2;
    }
    return 0;
}

int64_t int_member(const Json::Value& v, const char* key, int64_t fallback) {
    const Json::Value& m = v[key];
    if (m.isIntegral() && !m.isBool())
        return m.asInt64();
    // Only doubles that an int64_t holds convert; 1e300 or NaN do not.
    if (m.isDouble() && m.asDouble() >= -9.2e18 && m.asDouble() <= 9.2e18)
        return static_cast<int64_t>(m.asDouble());
    return fallback;
}

int parse_data_set(const Json::Value& root, const std::string& name, const std::string& address,
                   device_data_set& out);

} // namespace

std::string device_base_url(const std::string& address) {
    if (address.find(':') != std::string::npos)
        return "http://" + address;
    char url[128];
    std::snprintf(url, sizeof url, "http://%s:%u", address.c_str(), unsigned(device_http_port));
    return url;
}

bool is_device_address(const std::string& address) {
    const size_t colon = address.find(':');
    if (!platform::ipv4_from_text(address.substr(0, colon), nullptr))
        return false;
    if (colon == std::string::npos)
        return true;
    const std::string port = address.substr(colon + 1);
    if (port.empty() || port.size() > 5 ||
        port.find_first_not_of("0123456789") != std::string::npos)
        return false;
    const long p = std::strtol(port.c_str(), nullptr, 10);
    return p >= 1 && p <= 65535;
}

std::string percent_encode(const std::string& s) {
    static const char hex[] = "0123456789ABCDEF";
    std::string out;
    out.reserve(s.size() * 3);
    for (unsigned char c : s) {
        if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') ||
            c == '-' || c == '.' || c == '_' || c == '~') {
            out += char(c);
        } else {
            out += '%';
            out += hex[c >> 4];
            out += hex[c & 15];
        }
    }
    return out;
}

bool percent_decode(const std::string& text, std::string& out) {
    out.clear();
    auto digit = [](char c) -> int {
        if (c >= '0' && c <= '9')
            return c - '0';
        if (c >= 'a' && c <= 'f')
            return c - 'a' + 10;
        if (c >= 'A' && c <= 'F')
            return c - 'A' + 10;
        return -1;
    };
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '%') {
            out += text[i];
            continue;
        }
        if (i + 2 >= text.size())
            return false;
        const int hi = digit(text[i + 1]);
        const int lo = digit(text[i + 2]);
        if (hi < 0 || lo < 0)
            return false;
        out += char(hi * 16 + lo);
        i += 2;
    }
    return true;
}

bool is_safe_device_name(const std::string& name) {
    if (name.empty() || name.size() > 255 || !valid_utf8(name))
        return false;
    if (name.find("..") != std::string::npos)
        return false;
    for (unsigned char c : name)
        if (c < 0x20 || c == 0x7F)
            return false;
    return is_valid_name(name);
}

int orn_read_data_list(const std::string& address, std::vector<std::string>& list) {
    app_log("orn_read_data_list %s", address.c_str());
    const std::string url = device_base_url(address) + "/data_list";
    http_reply reply;
    http_reply_init(reply);
    const int rc = http_request(url, reply, device_timeout_ms);
    if (rc != 0 || reply.status_code == 0) {
        app_log("orn_read_data_list %s err:%d status_code:%d", address.c_str(), rc,
                reply.status_code);
        http_reply_release(reply);
        return rc != 0 ? rc : 1;
    }
    if (reply.status_code != 200) {
        app_log("orn_read_data_list status_code:%d", reply.status_code);
        http_reply_release(reply);
        return 1;
    }
    // A reply without a body (no Content-Length, or a chunked one) is not an
    // empty list: nothing was read.
    if (!reply.has_body()) {
        app_log("orn_read_data_list status_code:%d no body", reply.status_code);
        http_reply_release(reply);
        return 2;
    }
    const std::string body = reply.body_text();
    http_reply_release(reply);
    return parse_data_list(body, list);
}

int parse_data_list(const std::string& body, std::vector<std::string>& list) {
    Json::Value root;
    std::string errors;
    bool ok = parse_json(body, root, errors);
    if (ok && !root.isArray() && !root.isNull()) {
        app_log("orn_read_data_list body not array");
        errors.clear();
        ok = false;
    }
    if (!ok) {
        app_log("orn_read_data_list status_code:%d %s", 200, errors.c_str());
        return 2;
    }
    const Json::ArrayIndex n = root.isArray() ? root.size() : 0;
    for (Json::ArrayIndex i = 0; i < n; ++i) {
        const Json::Value& e = root[n - 1 - i];
        if (!e.isString()) {
            app_log("orn_read_data_list entry %u not a name", unsigned(n - 1 - i));
            continue;
        }
        const std::string name = e.asString();
        if (!is_safe_device_name(name)) {
            app_log("orn_read_data_list refused name %s", name.c_str());
            continue;
        }
        list.push_back(name);
    }
    return 0;
}

int device_read_data_set(const std::string& address, const std::string& name,
                         device_data_set& out) {
    out = device_data_set();
    if (!is_safe_device_name(name)) {
        app_log("device_read_data_set refused name %s", name.c_str());
        return 2;
    }
    Json::Value root;
    http_options o;
    const int rc =
        json_call("device_read_data_set", address,
                  device_base_url(address) + "/data_list/" + percent_encode(name), o, root);
    if (rc != 0)
        return rc;
    return parse_data_set(root, name, address, out);
}

int parse_data_set(const std::string& body, const std::string& name, device_data_set& out) {
    out = device_data_set();
    Json::Value root;
    std::string errors;
    if (!parse_json(body, root, errors)) {
        app_log("device_read_data_set %s status_code:200 %s", name.c_str(), errors.c_str());
        return 2;
    }
    return parse_data_set(root, name, std::string(), out);
}

namespace {

int parse_data_set(const Json::Value& root, const std::string& name, const std::string& address,
                   device_data_set& out) {
    if (!root.isObject() || !root["items"].isArray()) {
        app_log("device_read_data_set %s %s body not a data set", address.c_str(), name.c_str());
        return 2;
    }
    out.name = name;
    out.title = root["title"].isString() ? root["title"].asString() : name;
    if (out.title.empty() || !valid_utf8(out.title))
        out.title = name;
    for (const Json::Value& it : root["items"]) {
        device_item_entry item;
        bool ok = it.isObject() && it["dir"].isString() && it["files"].isArray();
        if (ok) {
            item.dir = it["dir"].asString();
            ok = is_safe_device_name(item.dir);
        }
        int64_t bytes = 0;
        for (Json::ArrayIndex k = 0; ok && k < it["files"].size(); ++k) {
            const Json::Value& f = it["files"][k];
            device_file_entry e;
            ok = f.isObject() && f["name"].isString();
            if (!ok)
                break;
            e.name = f["name"].asString();
            e.size = int_member(f, "size", -1);
            // A size no disk holds is a lie, and sums of such sizes overflow.
            ok = is_safe_device_name(e.name) && e.size >= 0 && e.size <= max_device_file_size &&
                 bytes <= INT64_MAX - e.size;
            bytes += e.size;
            item.files.push_back(e);
        }
        if (ok && bytes > INT64_MAX - out.total_bytes)
            ok = false;
        if (!ok) {
            app_log("device_read_data_set %s refused item %s", name.c_str(),
                    it.isObject() && it["dir"].isString() ? it["dir"].asString().c_str() : "?");
            ++out.refused;
            continue;
        }
        out.total_bytes += bytes;
        out.items.push_back(std::move(item));
    }
    return 0;
}

} // namespace

int device_download_file(const std::string& address, const std::string& set, const std::string& dir,
                         const device_file_entry& file, const std::string& dest,
                         const std::function<void(int64_t)>& progress,
                         const std::function<bool()>& aborted) {
    http_options o;
    o.max_body = file.size;
    o.body_to_file = dest;
    o.aborted = aborted;
    if (progress)
        o.progress = [&progress](int64_t done, int64_t) { progress(done); };
    const std::string url = device_base_url(address) + "/data/" + percent_encode(set) + "/" +
                            percent_encode(dir) + "/" + percent_encode(file.name);
    http_reply reply;
    http_reply_init(reply);
    int rc = http_exchange(url, o, reply);
    const int status = reply.status_code;
    const int64_t length = reply.content_length;
    http_reply_release(reply);
    if (rc == 0 && status == 200 && length != file.size) {
        std::remove(dest.c_str());
        rc = EPROTO;
    }
    if (rc == 0 && status == 0)
        rc = ECONNRESET; // closed without a reply
    if (rc != 0 || status != 200) {
        app_log("device_download_file %s %s/%s/%s err:%d status_code:%d", address.c_str(),
                set.c_str(), dir.c_str(), file.name.c_str(), rc, status);
        return rc != 0 ? rc : 1;
    }
    if (file.size == 0) { // no body came, so no file was written
        std::FILE* f = std::fopen(dest.c_str(), "wb");
        if (!f || std::fclose(f) != 0)
            return errno ? errno : EIO;
    }
    return 0;
}

int device_remove_data(const std::string& address, const std::vector<std::string>& names,
                       int* removed) {
    Json::Value req(Json::objectValue);
    req["names"] = Json::Value(Json::arrayValue);
    for (const auto& n : names)
        req["names"].append(n);
    const std::string body = compact(req);
    http_options o;
    o.method = "POST";
    o.content_type = "application/json";
    o.body = &body;
    Json::Value root;
    const int rc = json_call("device_remove_data", address,
                             device_base_url(address) + "/data_remove", o, root);
    if (rc != 0)
        return rc;
    if (removed)
        *removed = root.isObject() ? int(int_member(root, "removed", 0)) : 0;
    return 0;
}

bool parse_device_status(const std::string& body, device_status_info& out, std::string* sn) {
    Json::Value root;
    std::string errors;
    if (!parse_json(body, root, errors) || !root.isObject())
        return false;
    auto text = [&root](const char* key, std::string& field) {
        if (root[key].isString())
            field = root[key].asString();
    };
    text("host_addr_mac", out.host_addr_mac);
    text("time", out.time);
    out.disk_available = int_member(root, "disk_available", out.disk_available);
    out.disk_total = int_member(root, "disk_total", out.disk_total);
    if (root["battery"].isNumeric() && !root["battery"].isBool())
        out.battery = root["battery"].asDouble();
    text("version", out.version);
    if (sn)
        text("sn", *sn);
    return true;
}

int device_read_status(const std::string& address, device_status_info& out, std::string* sn,
                       int timeout_ms, int deadline_ms) {
    out.ip = address;
    out.disk_available = 0;
    out.disk_total = 0;
    out.battery = 0;
    out.status_code = 0;
    out.poll_time = now_seconds();
    http_options o;
    o.timeout_ms = timeout_ms;
    o.deadline_ms = deadline_ms;
    o.max_body = 1 << 20; // a status is a few hundred bytes
    http_reply reply;
    http_reply_init(reply);
    const int rc = http_exchange(device_base_url(address) + "/status", o, reply);
    const int status = reply.status_code;
    const std::string body = reply.body_text();
    http_reply_release(reply);
    if (rc != 0 || status != 200) {
        out.status_code = status;
        return rc != 0 ? rc : 1;
    }
    if (!parse_device_status(body, out, sn)) {
        out.status_code = status;
        return 2;
    }
    return 0;
}

int device_set_time(const std::string& address, const std::string& time_text,
                    std::string* device_time) {
    Json::Value req(Json::objectValue);
    req["time"] = time_text;
    const std::string body = compact(req);
    http_options o;
    o.method = "POST";
    o.content_type = "application/json";
    o.body = &body;
    Json::Value root;
    const int rc =
        json_call("device_set_time", address, device_base_url(address) + "/time", o, root);
    if (rc != 0)
        return rc;
    if (device_time && root.isObject() && root["time"].isString())
        *device_time = root["time"].asString();
    return 0;
}

int device_upload_firmware(const std::string& address, const std::string& path,
                           const std::function<void(double)>& progress,
                           const std::function<bool()>& aborted, std::string* version,
                           int* http_status) {
    http_options o;
    o.method = "POST";
    o.content_type = "application/octet-stream";
    o.body_file = path;
    o.timeout_ms = firmware_timeout_ms;
    o.aborted = aborted;
    if (progress)
        o.progress = [&progress](int64_t done, int64_t total) {
            progress(total > 0 ? double(done) / double(total) : 1.0);
        };
    Json::Value root;
    int status = 0;
    const int rc = json_call("device_upload_firmware", address,
                             device_base_url(address) + "/firmware", o, root, &status);
    if (http_status)
        *http_status = status;
    if (rc != 0)
        return rc;
    if (!root.isObject() || !root["ok"].isConvertibleTo(Json::booleanValue) ||
        !root["ok"].asBool()) {
        app_log("device_upload_firmware %s not accepted", address.c_str());
        return 2;
    }
    if (version && root["version"].isString())
        *version = root["version"].asString();
    return 0;
}
