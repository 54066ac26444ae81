#include "device/http_client.h"

#include "core/app_log.h"
#include "platform/net.h"

#include <cerrno>
#include <chrono>
#include <cinttypes>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>

namespace {

using clock_type = std::chrono::steady_clock;

// Closes the socket on every way out.
struct socket_guard {
    platform::net_socket s = platform::invalid_net_socket;
    ~socket_guard() { platform::net_close(s); }
};

// Closes (and on failure removes) the body file.
struct file_guard {
    std::FILE* f = nullptr;
    std::string path;
    bool keep = false;
    ~file_guard() {
        if (f)
            std::fclose(f);
        if (!keep && !path.empty())
            std::remove(path.c_str());
    }
};

// The error of a transfer that stopped early: a closed peer is not a
// success, and a receive time-out reads as one.
int transfer_error(int64_t last) {
    if (last == 0)
        return ECONNRESET;
    const int e = platform::net_last_error();
    if (e == EAGAIN || e == EWOULDBLOCK)
        return ETIMEDOUT;
    return e != 0 ? e : EIO;
}

class deadline {
public:
    explicit deadline(int ms)
        : set_(ms > 0), end_(clock_type::now() + std::chrono::milliseconds(ms)) {}
    bool passed() const { return set_ && clock_type::now() >= end_; }

private:
    bool set_;
    clock_type::time_point end_;
};

// Status code and Content-Length of a NUL-terminated header block. The
// length header is recognised in this capitalisation only.
void parse_header(const char* block, int32_t& status, bool& has_length, long long& length) {
    if (const char* sp = std::strchr(block, ' '))
        status = std::atoi(sp + 1);
    has_length = false;
    if (const char* cl = std::strstr(block, "Content-Length:")) {
        errno = 0;
        length = std::strtoll(cl + 15, nullptr, 10);
        if (errno == ERANGE)
            length = length < 0 ? -1 : INT64_MAX;
        has_length = true;
    }
}

int send_file_body(platform::net_socket s, const http_options& o, int64_t size,
                   const deadline& until) {
    std::FILE* f = std::fopen(o.body_file.c_str(), "rb");
    if (!f)
        return errno ? errno : ENOENT;
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> closer(f, &std::fclose);
    const size_t chunk =
        static_cast<size_t>(std::min<int64_t>(http_chunk_size, std::max<int64_t>(size, 1)));
    std::unique_ptr<char[]> buf(new char[chunk]);
    int64_t sent = 0;
    while (sent < size) {
        if (o.aborted && o.aborted())
            return ECANCELED;
        if (until.passed())
            return ETIMEDOUT;
        const size_t want = static_cast<size_t>(std::min<int64_t>(int64_t(chunk), size - sent));
        const size_t got = std::fread(buf.get(), 1, want, f);
        if (got != want)
            return std::ferror(f) ? (errno ? errno : EIO) : EIO; // the file shrank
        if (int rc = platform::send_all(s, buf.get(), int64_t(got)))
            return rc == EAGAIN || rc == EWOULDBLOCK ? ETIMEDOUT : rc;
        sent += int64_t(got);
        if (o.progress)
            o.progress(sent, size);
    }
    return 0;
}

int64_t file_size_of(const std::string& path) {
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (!f)
        return -1;
    int64_t size = -1;
    if (std::fseek(f, 0, SEEK_END) == 0)
        size = std::ftell(f);
    std::fclose(f);
    return size;
}

// The reply of an exchange whose request went out; see http_read_reply().
int read_reply(const http_receive& receive, const http_options& o, http_reply& reply,
               const deadline& until) {
    const bool file_body = !o.body_file.empty();
    // Header, one byte per receive, so the body's first byte stays unread.
    reply.header.assign(size_t(http_header_capacity), '\0');
    reply.header_capacity = http_header_capacity;
    int got = 0;
    bool complete = false;
    while (got < http_header_capacity - 1) {
        if (until.passed()) {
            app_log("recv head errno:%d", ETIMEDOUT);
            return ETIMEDOUT;
        }
        int64_t one = 1;
        const int64_t last = receive(reply.header.data() + got, &one);
        if (one < 1) {
            app_log("recv head errno:%d", last == 0 ? 0 : platform::net_last_error());
            break;
        }
        ++got;
        if (got >= 4 && std::memcmp(reply.header.data() + got - 4, "\r\n\r\n", 4) == 0) {
            complete = true;
            break;
        }
    }
    if (!complete && got >= http_header_capacity - 1) {
        app_log("recv head exceeds %d bytes", http_header_capacity);
        return EMSGSIZE;
    }
    if (got == 0)
        return 0;

    bool has_length = false;
    long long length = 0;
    parse_header(reply.header.data(), reply.status_code, has_length, length);
    if (has_length && (length < 0 || length > o.max_body)) {
        app_log("http_request Content-Length:%lld out of range limit:%" PRId64, length, o.max_body);
        reply.content_length = 0;
        return EFBIG;
    }
    reply.content_length = has_length ? int64_t(length) : 0;
    if (reply.content_length <= 0)
        return 0;

    const int64_t total = reply.content_length;
    const bool to_file = !o.body_to_file.empty() && reply.status_code == 200;
    file_guard out;
    std::unique_ptr<char[]> chunk;
    if (to_file) {
        out.f = std::fopen(o.body_to_file.c_str(), "wb");
        if (!out.f) {
            const int e = errno ? errno : EIO;
            app_log("http_request open %s errno:%d", o.body_to_file.c_str(), e);
            return e;
        }
        out.path = o.body_to_file;
        // Chunks are large already: no second copy through a stdio buffer.
        std::setvbuf(out.f, nullptr, _IONBF, 0);
        chunk.reset(new char[size_t(std::min<int64_t>(total, http_chunk_size))]);
    } else {
        reply.body.assign(size_t(total) + 1, '\0');
    }
    int64_t have = 0;
    while (have < total) {
        if (o.aborted && o.aborted()) {
            app_log("http_request aborted at %" PRId64 " of %" PRId64, have, total);
            return ECANCELED;
        }
        if (until.passed()) {
            app_log("httpRequestParserbody recv body errno:%d \n", ETIMEDOUT);
            return ETIMEDOUT;
        }
        int64_t want = std::min<int64_t>(total - have, http_chunk_size);
        char* at = to_file ? chunk.get() : reply.body.data() + have;
        const int64_t last = receive(at, &want);
        if (want > 0 && to_file && std::fwrite(at, 1, size_t(want), out.f) != size_t(want)) {
            const int e = errno ? errno : EIO;
            app_log("http_request write %s errno:%d", o.body_to_file.c_str(), e);
            return e;
        }
        have += want;
        if (want > 0 && o.progress && !o.body && !file_body)
            o.progress(have, total);
        if (have < total && last < 1) {
            const int e = transfer_error(last);
            app_log("httpRequestParserbody recv body errno:%d \n", e);
            return e;
        }
    }
    if (to_file) {
        std::FILE* f = out.f;
        out.f = nullptr;
        int e = (std::fflush(f) == 0 && !std::ferror(f)) ? 0 : (errno ? errno : EIO);
        if (std::fclose(f) != 0 && e == 0)
            e = errno ? errno : EIO;
        if (e != 0) {
            app_log("http_request write %s errno:%d", o.body_to_file.c_str(), e);
            return e;
        }
        out.keep = true;
    }
    return 0;
}

} // namespace

std::string http_reply::body_text() const {
    return body.empty() ? std::string() : std::string(body.data(), body.size() - 1);
}

void http_reply_init(http_reply& r) {
    r.header.clear();
    r.header_capacity = 0;
    r.body.clear();
    r.content_length = 0;
    r.status_code = 0;
}

void http_reply_release(http_reply& r) {
    std::vector<char>().swap(r.header);
    r.header_capacity = 0;
    std::vector<char>().swap(r.body);
    r.content_length = 0;
    r.status_code = 0;
}

int http_parse_url(const std::string& url, http_url_parts& parts) {
    const size_t scheme = url.find("http://");
    if (scheme == std::string::npos)
        return 1;
    const size_t host_start = scheme + 7;
    const size_t slash = url.find('/', host_start);
    const size_t host_end = slash == std::string::npos ? url.size() : slash;
    const size_t colon = url.find(':', host_start);
    parts = http_url_parts();
    if (colon != std::string::npos && colon < host_end) {
        parts.host = url.substr(host_start, colon - host_start);
        parts.port = static_cast<uint16_t>(std::atoi(url.c_str() + colon + 1));
        parts.has_port = true;
    } else {
        parts.host = url.substr(host_start, host_end - host_start);
    }
    if (parts.host.size() >= size_t(http_host_capacity))
        return ENAMETOOLONG;
    parts.host_port = parts.has_port ? parts.host + ":" + std::to_string(parts.port) : parts.host;
    if (parts.host_port.size() >= size_t(http_host_capacity))
        return ENAMETOOLONG;
    parts.path = slash == std::string::npos ? std::string("/") : url.substr(slash);
    return 0;
}

int http_exchange(const std::string& url, const http_options& o, http_reply& reply) {
    http_url_parts u;
    const int parsed = http_parse_url(url, u);
    if (parsed == 1)
        return 1;
    if (parsed != 0) {
        app_log("http_request host too long:%d", static_cast<int>(u.host.size()));
        return parsed;
    }
    std::string address = u.host;
    if (!u.has_port) {
        std::string dotted;
        if (platform::resolve_ipv4(u.host, &dotted) == 0)
            address = dotted;
    }
    const deadline until(o.deadline_ms);

    // Body size first: the head announces it.
    int64_t body_size = 0;
    const bool file_body = !o.body_file.empty();
    if (o.body) {
        body_size = int64_t(o.body->size());
    } else if (file_body) {
        body_size = file_size_of(o.body_file);
        if (body_size < 0)
            return errno ? errno : ENOENT;
    }
    std::string extra;
    if (o.body || file_body) {
        extra = "Content-Length: " + std::to_string(body_size) + "\r\n";
        if (!o.content_type.empty())
            extra += "Content-Type: " + o.content_type + "\r\n";
    }
    std::vector<char> head(o.head_capacity, '\0');
    const int head_len = std::snprintf(
        head.data(), head.size(),
        "%s %s HTTP/1.1\r\nHost: %s\r\nUser-Agent: tarvoserver\r\nAccept: */*\r\n%s\r\n",
        o.method.c_str(), u.path.c_str(), u.host_port.c_str(), extra.c_str());
    if (head_len < 0 || size_t(head_len) >= head.size()) {
        app_log("http_request head too long:%d", head_len);
        return E2BIG;
    }

    socket_guard sock;
    const int connected =
        platform::tcp_connect(&sock.s, nullptr, address.c_str(), u.port, o.timeout_ms);
    if (connected != 0) {
        reply.content_length = 0;
        reply.header_capacity = 0;
        return connected;
    }
    if (int rc = platform::send_all(sock.s, head.data(), head_len))
        return rc == EAGAIN || rc == EWOULDBLOCK ? ETIMEDOUT : rc;
    if (o.body) {
        if (int rc = platform::send_all(sock.s, o.body->data(), body_size))
            return rc == EAGAIN || rc == EWOULDBLOCK ? ETIMEDOUT : rc;
        if (o.progress)
            o.progress(body_size, body_size);
    } else if (file_body) {
        if (int rc = send_file_body(sock.s, o, body_size, until)) {
            app_log("http_request send body err:%d", rc);
            return rc;
        }
    }

    return read_reply(
        [&sock](char* buffer, int64_t* length) {
            return platform::recv_exact(sock.s, buffer, length);
        },
        o, reply, until);
}

int http_read_reply(const http_receive& receive, const http_options& o, http_reply& reply) {
    return read_reply(receive, o, reply, deadline(o.deadline_ms));
}

int http_request(const std::string& url, http_reply& reply, int timeout_ms) {
    http_options o;
    o.timeout_ms = timeout_ms;
    o.head_capacity = http_request_capacity;
    return http_exchange(url, o, reply);
}
