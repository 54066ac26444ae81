#pragma once
// The program's own HTTP/1.1 client for talking to a camera: one TCP
// connection per request, one request, one reply, then the connection is
// closed. No HTTP library: the camera's firmware expects exactly this head.
//
// Results are 0 on success, 1 for a URL without "http://", otherwise an errno
// value: the socket layer's own, or one of these for the client's checks:
//   ENAMETOOLONG  host part of 64 characters or more
//   E2BIG         request head longer than its buffer
//   EMSGSIZE      reply header longer than its 1024-byte buffer
//   EFBIG         Content-Length below 0 or above the caller's limit
//   ECONNRESET    the peer closed before the announced body was in
//   ETIMEDOUT     a send or a body receive ran out of time, or the deadline
//                 passed (a header cut short, also by a time-out, is no error:
//                 the result is 0 and status_code tells what arrived)
//   ECANCELED     the caller's abort check said stop
// A status other than 200 is not an error of the client: callers read
// status_code (0 when no status line arrived).
//
// Threading: any thread; no shared state. Calls block for the exchange, so
// the GUI thread never calls them.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

constexpr int http_host_capacity = 64;        // host text, terminator included
constexpr int http_request_capacity = 256;    // head of http_request()
constexpr int http_header_capacity = 1024;    // reply header block
constexpr int http_chunk_size = 1024000;      // body receive chunk
constexpr int64_t http_json_limit = 64 << 20; // largest reply body kept in memory

struct http_reply {
    // Raw reply header, status line included, zero-filled to header_capacity.
    std::vector<char> header;
    int32_t header_capacity = 0;
    // content_length + 1 bytes, the last one NUL; empty when there is no
    // body (or the body went to a file).
    std::vector<char> body;
    int64_t content_length = 0;
    int32_t status_code = 0;

    bool has_body() const { return !body.empty(); }
    // The body without its terminator.
    std::string body_text() const;
};

// All fields zero.
void http_reply_init(http_reply& reply);
// Frees both buffers and zeroes every field; safe on a record never filled.
void http_reply_release(http_reply& reply);

// What a request sends and where its reply body goes. The defaults make a
// GET with the head of http_request().
struct http_options {
    std::string method = "GET";
    int timeout_ms = 5000; // bounds every single send and receive (and connect)
    int deadline_ms = 0;   // bounds the whole exchange; 0: no bound
    size_t head_capacity = 2048;
    int64_t max_body = http_json_limit; // larger Content-Length fails with EFBIG

    // Request body: `body` from memory, or the file body_file (UTF-8 path)
    // sent in chunks. Content-Type goes with it.
    std::string content_type;
    const std::string* body = nullptr;
    std::string body_file;

    // Reply body of a status-200 reply written to this file (UTF-8 path)
    // instead of memory; removed again when the transfer fails.
    std::string body_to_file;

    // After each chunk: the bytes of the request body sent so far, or, for a
    // request without a body, of the reply body received so far.
    std::function<void(int64_t done, int64_t total)> progress;
    // Asked between chunks; true stops the exchange with ECANCELED.
    std::function<bool()> aborted;
};

// One exchange with the server named by url ("http://a.b.c.d:port/path").
int http_exchange(const std::string& url, const http_options& options, http_reply& reply);

// A GET of url whose reply body is kept in memory.
int http_request(const std::string& url, http_reply& reply, int timeout_ms);

// Where a reply's bytes come from, as platform::recv_exact() delivers them:
// fills up to *length bytes at buffer, sets *length to the count received
// and returns the last receive's result (0: the peer closed, < 0: error).
using http_receive = std::function<int64_t(char* buffer, int64_t* length)>;
// The reply half of http_exchange(): reads one reply from receive (the
// header byte by byte, then the body where the options send it) and checks
// it as an exchange does. Kept apart so that the parser can be driven
// without a socket.
int http_read_reply(const http_receive& receive, const http_options& options, http_reply& reply);

// Connection details of a URL, as http_exchange() reads them.
struct http_url_parts {
    std::string host;      // as written
    std::string host_port; // Host header text
    uint16_t port = 80;
    std::string path;
    bool has_port = false;
};
// 0, 1 without "http://", ENAMETOOLONG for a host of 64 characters or more.
int http_parse_url(const std::string& url, http_url_parts& parts);
