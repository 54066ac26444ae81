// libFuzzer target: any bytes as a camera's reply, read by the HTTP client's
// reply parser (header, Content-Length, body into memory and into a file),
// and a 200 reply's body read as a data list, a data set and a status.

#include "device/device_api.h"
#include "device/http_client.h"
#include "fuzz_util.h"

#include <algorithm>
#include <cstring>

namespace {

// The bytes of one reply, handed out as a socket would until they run out.
struct reply_source {
    const char* data;
    size_t size;
    size_t at = 0;
    int64_t operator()(char* buffer, int64_t* length) {
        const size_t want = *length > 0 ? size_t(*length) : 0;
        const size_t n = std::min(want, size - at);
        if (n > 0)
            std::memcpy(buffer, data + at, n);
        at += n;
        *length = int64_t(n);
        return n < want ? 0 : int64_t(n);
    }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const char* bytes = reinterpret_cast<const char*>(data);
    http_options o;
    o.max_body = 1 << 20; // a bigger announced body is refused, not allocated

    reply_source memory{bytes, size};
    http_reply reply;
    http_reply_init(reply);
    const int rc = http_read_reply(std::ref(memory), o, reply);
    if (rc == 0 && reply.status_code == 200 && reply.has_body()) {
        const std::string body = reply.body_text();
        std::vector<std::string> list;
        parse_data_list(body, list);
        device_data_set set;
        parse_data_set(body, "set", set);
        device_status_info status;
        std::string sn;
        parse_device_status(body, status, &sn);
    }
    http_reply_release(reply);

    // The same reply as a download written straight into a file.
    static const std::string file =
        (fuzz::scratch_dir() + QStringLiteral("/download.dat")).toStdString();
    o.body_to_file = file;
    reply_source again{bytes, size};
    http_reply_init(reply);
    http_read_reply(std::ref(again), o, reply);
    http_reply_release(reply);
    return 0;
}
