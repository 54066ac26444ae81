// Data.dat: header, index tail and frames.

#include "analysis/datafile/data_file.h"
#include "analysis/datafile/data_file_internal.h"

#include "core/app_log.h"
#include "platform/text.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <new>

using namespace datafile_detail;

namespace {

// Where the frames of an open file lie, found while reading the header.
struct frame_span {
    int64_t begin = 0; // first frame's length field
    int64_t end = 0;   // first byte after the last frame (tail excluded)
};

// Leading optional sign and digits, as the C library's atoi reads them, but
// clamped instead of overflowing.
long long leading_integer(const std::string& s) {
    size_t i = 0;
    while (i < s.size() && (s[i] == ' ' || s[i] == '\t' || s[i] == '\n' || s[i] == '\r' ||
                            s[i] == '\f' || s[i] == '\v'))
        ++i;
    bool neg = false;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) {
        neg = s[i] == '-';
        ++i;
    }
    long long v = 0;
    for (; i < s.size() && s[i] >= '0' && s[i] <= '9'; ++i) {
        if (v < 1000000000000000LL)
            v = v * 10 + (s[i] - '0');
    }
    return neg ? -v : v;
}

// A member by its literal name, without measuring the name at run time.
template <size_t N>
const Json::Value* find_member(const Json::Value& object, const char (&key)[N]) {
    return object.find(key, key + N - 1);
}

void apply_head(const Json::Value& root, data_info& d) {
    get_string(root, "datetime", d.time);
    const Json::Value* geometry = find_member(root, "geometry");
    if (geometry && geometry->isObject() && get_double(*geometry, "distance", d.distance)) {
        char text[352];
        std::snprintf(text, sizeof text, "%.0f ", d.distance);
        d.distance_text = text;
    }
    get_int(root, "data_type", d.data_type);
    const Json::Value* dce = find_member(root, "distanceCorrectEnable");
    d.distance_correct_enable = dce && dce->isBool() ? dce->asBool() : false;

    const Json::Value* bf = find_member(root, "beamforming");
    if (bf && bf->isObject()) {
        // A rate of zero or less cannot be right and would divide by zero
        // downstream: it counts as absent.
        if (!get_int(*bf, "daq", d.fs) || d.fs <= 0)
            d.fs = 192000;
        if (!get_double(*bf, "micSensitivity", d.mic_sensitivity))
            d.mic_sensitivity = 50;
        std::string gain;
        if (get_string(*bf, "micGain", gain)) {
            long long g = leading_integer(gain) / 6;
            if (g > std::numeric_limits<int32_t>::max())
                g = std::numeric_limits<int32_t>::max();
            if (g < std::numeric_limits<int32_t>::min())
                g = std::numeric_limits<int32_t>::min();
            d.mic_gain = int32_t(g);
        } else {
            d.mic_gain = 0;
        }
        get_double(*bf, "fpass1", d.fpass1);
        get_double(*bf, "fpass2", d.fpass2);
    }

    get_string(root, "app_name", d.app_name);
    d.app_type = app_type_from_name(d.app_name);
    if (!get_string(root, "app_version", d.app_version))
        d.app_version = "0.0.0.0";
    if (!get_int(root, "freqRangeEnd", d.freq_range_end))
        d.freq_range_end = d.fs / 2;
    if (!get_int(root, "freqRangeStart", d.freq_range_start))
        d.freq_range_start = d.app_type == 2 ? 2000 : 5000;
    get_wstring(root, "device_type", d.device_type);
    if (!get_int(root, "sign_mode", d.sign_mode))
        d.sign_mode = 0;
    get_double(root, "gasleak_rect", d.gasleak_rect);
    get_double(root, "gasleak_power_ratio", d.gasleak_power_ratio);
    get_double(root, "gasleak_energy_cost", d.gasleak_energy_cost);
    get_double(root, "gasleak_gas_cost", d.gasleak_gas_cost);

    d.has_tail = d.app_type == 2 || (d.app_type == 0 && app_version_has_tail(d.app_version));
}

bool read_exact(FILE* f, void* buf, size_t n) {
    return std::fread(buf, 1, n, f) == n;
}

bool read_u32_at(FILE* f, int64_t pos, uint8_t out[4]) {
    return std::fseek(f, long(pos), SEEK_SET) == 0 && read_exact(f, out, 4);
}

// Reads the tail at the end of the file; on success the frames end before it.
void read_tail(const std::wstring& path, FILE* f, int64_t size, data_info& d, frame_span& span) {
    uint8_t b[4];
    const int64_t room = size - span.begin - 4; // bytes the tail may take
    if (room < 0 || !read_u32_at(f, size - 4, b)) {
        app_log("%s read_tail data_tail_size:%d errno:%d", wide_to_utf8(path).c_str(), 0, errno);
        return;
    }
    const uint32_t t = le32(b);
    if (t < 1 || int64_t(t) > room) {
        app_log("%s read_tail data_tail_size:%d errno:%d", wide_to_utf8(path).c_str(), int32_t(t),
                errno);
        return;
    }
    std::string text;
    try {
        text.resize(t);
    } catch (const std::bad_alloc&) {
        app_log("%s read_tail errno:%d", wide_to_utf8(path).c_str(), ENOMEM);
        return;
    }
    if (std::fseek(f, long(size - 4 - int64_t(t)), SEEK_SET) != 0 || !read_exact(f, &text[0], t))
        return;
    Json::Value root;
    std::string error;
    if (!parse_json(text.data(), text.data() + text.size(), root, error) || !root.isObject())
        return; // a damaged tail only costs the fast seek
    span.end = size - 4 - int64_t(t);
    const Json::Value* table = find_member(root, "index_table");
    if (!table || !table->isArray())
        return;
    d.index_table.reserve(d.index_table.size() + table->size());
    for (Json::ArrayIndex i = 0; i < table->size(); ++i) {
        const Json::Value& v = (*table)[i];
        if (!v.isUInt())
            break; // frames from here on are found by walking
        d.index_table.push_back(v.asUInt());
    }
}

int read_head(const std::wstring& path, data_info& d, FILE* f, frame_span& span) {
    const int64_t size = file_size(f);
    span.begin = 0;
    span.end = size < 0 ? 0 : size;
    uint8_t b[4];
    if (std::fseek(f, 0, SEEK_SET) != 0 || !read_exact(f, b, 4)) {
        span.begin = span.end;
        return 0; // too short to hold a header: nothing to parse
    }
    const uint32_t h = le32(b);
    span.begin = 4;
    if (int64_t(h) > size - 4) {
        app_log("%s %s", wide_to_utf8(path).c_str(), "header length past the end of the file");
        span.begin = span.end;
        return -1;
    }
    std::string text;
    try {
        text.resize(h);
    } catch (const std::bad_alloc&) {
        app_log("%s errno:%d", wide_to_utf8(path).c_str(), ENOMEM);
        return ENOMEM;
    }
    if (h && !read_exact(f, &text[0], h)) {
        app_log("%s %s", wide_to_utf8(path).c_str(), "header cut short");
        return -1;
    }
    span.begin = 4 + int64_t(h);
    Json::Value root;
    std::string error;
    if (!parse_json(text.data(), text.data() + text.size(), root, error) || !root.isObject()) {
        app_log("%s %s", wide_to_utf8(path).c_str(),
                error.empty() ? "header is not a JSON object" : error.c_str());
        return -1;
    }
    apply_head(root, d);
    // The table belongs to this file: a record read twice, or reused for
    // another item, must not keep or double an older one.
    d.index_table.clear();
    if (d.has_tail)
        read_tail(path, f, size, d, span);
    std::fseek(f, long(span.begin), SEEK_SET);
    return 0;
}

// Whether no length field fits at pos any more. Written so that no sum can
// overflow, whatever size the file reported.
bool past_frames(int64_t pos, const frame_span& span) {
    return pos > span.end - 4;
}

// Length of the frame at pos when a whole, readable frame starts there.
bool frame_at(FILE* f, int64_t pos, const frame_span& span, uint32_t& len) {
    uint8_t b[4];
    if (pos < span.begin || past_frames(pos, span) || !read_u32_at(f, pos, b))
        return false;
    len = be32(b);
    return len <= data_frame_payload_max && int64_t(len) <= span.end - 4 - pos;
}

// One payload buffer per thread, kept between calls: the import reads one
// frame per item and should not pay for a fresh 4 MB block each time. Never
// null, also for a frame of length 0.
uint8_t* payload_buffer(uint32_t len) {
    thread_local std::vector<uint8_t> buffer;
    if (buffer.empty() || buffer.size() < len) {
        try {
            buffer.resize(len < 262144 ? 262144 : len);
        } catch (const std::bad_alloc&) {
            return nullptr;
        }
    }
    return buffer.data();
}

struct file_closer {
    FILE* f;
    ~file_closer() {
        if (f)
            std::fclose(f);
    }
};

} // namespace

bool app_version_has_tail(const std::string& app_version) {
    long long parts[4] = {0, 0, 0, 0};
    size_t from = 0;
    for (int i = 0; i < 4 && from <= app_version.size(); ++i) {
        const size_t dot = i < 3 ? app_version.find('.', from) : std::string::npos;
        const std::string part =
            app_version.substr(from, dot == std::string::npos ? std::string::npos : dot - from);
        parts[i] = leading_integer(part);
        if (dot == std::string::npos)
            break;
        from = dot + 1;
    }
    const double value =
        double(parts[0]) * 1e9 + double(parts[1]) * 1e6 + double(parts[2]) * 1e3 + double(parts[3]);
    if (!(value >= 0))
        return false;
    if (value >= 18446744073709551615.0)
        return true;
    return uint64_t(value) >= 1000000055ULL;
}

int apply_data_head_text(const std::string& text, data_info& d, std::string* error) {
    Json::Value root;
    std::string err;
    if (!parse_json(text.data(), text.data() + text.size(), root, err) || !root.isObject()) {
        if (error)
            *error = err;
        return -1;
    }
    apply_head(root, d);
    return 0;
}

int read_data_head(const std::wstring& path, data_info& d, FILE* open_file_ptr) {
    frame_span span;
    if (open_file_ptr)
        return read_head(path, d, open_file_ptr, span);
    FILE* f = open_file(path);
    if (!f)
        return errno ? errno : ENOENT;
    file_closer c{f};
    return read_head(path, d, f, span);
}

int count_data_frames(const std::wstring& path, int32_t& count) {
    count = 0;
    FILE* f = open_file(path);
    if (!f)
        return errno ? errno : ENOENT;
    file_closer c{f};
    data_info d;
    frame_span span;
    const int r = read_head(path, d, f, span);
    if (r != 0)
        return r;
    int64_t pos = span.begin;
    uint32_t len = 0;
    while (count < std::numeric_limits<int32_t>::max() && frame_at(f, pos, span, len)) {
        ++count;
        pos += 4 + int64_t(len);
    }
    return 0;
}

int read_data_frames(const std::wstring& path, int32_t start, int32_t& count,
                     std::vector<signal_frame_ptr>& frames, data_info& d, bool& at_end) {
    const int32_t wanted = count;
    count = 0;
    at_end = false;
    FILE* f = open_file(path);
    if (!f)
        return errno ? errno : ENOENT;
    file_closer c{f};
    frame_span span;
    const int r = read_head(path, d, f, span);
    if (r != 0)
        return r;
    if (start < 0)
        start = 0;

    int64_t pos = span.begin;
    uint32_t len = 0;
    const bool indexed = d.index_table.size() > size_t(start) &&
                         frame_at(f, int64_t(d.index_table[size_t(start)]), span, len);
    if (indexed) {
        pos = int64_t(d.index_table[size_t(start)]);
    } else {
        for (int32_t i = 0; i < start; ++i) {
            if (!frame_at(f, pos, span, len)) {
                at_end = true;
                return 0;
            }
            pos += 4 + int64_t(len);
        }
    }

    for (int32_t i = 0; i < wanted; ++i) {
        if (!frame_at(f, pos, span, len)) {
            at_end = true;
            break;
        }
        uint8_t* buf = payload_buffer(len);
        if (!buf)
            return ENOMEM;
        if (len && !read_exact(f, buf, len)) {
            at_end = true;
            break;
        }
        signal_frame_ptr frame(new (std::nothrow) signal_frame());
        if (!frame)
            return ENOMEM;
        decode_frame(d.app_type, buf, len, *frame);
        frames.push_back(std::move(frame));
        ++count;
        pos += 4 + int64_t(len);
    }
    if (past_frames(pos, span))
        at_end = true;
    return 0;
}

data_frame_walk::~data_frame_walk() {
    if (file_)
        std::fclose(file_);
}

int data_frame_walk::open(const std::wstring& path, data_info& d) {
    if (file_)
        std::fclose(file_);
    file_ = nullptr;
    at_end_ = true;
    lengths_read_ = 0;
    FILE* f = open_file(path);
    if (!f)
        return errno ? errno : ENOENT;
    frame_span span;
    const int r = read_head(path, d, f, span);
    if (r != 0) {
        std::fclose(f);
        return r;
    }
    file_ = f;
    pos_ = span.begin;
    begin_ = span.begin;
    end_ = span.end;
    app_type_ = d.app_type;
    at_end_ = false;
    return 0;
}

int data_frame_walk::next(int32_t& count, std::vector<signal_frame_ptr>& frames) {
    const int32_t wanted = count;
    count = 0;
    FILE* f = file_;
    frame_span span;
    span.begin = begin_;
    span.end = end_;
    for (int32_t i = 0; f && !at_end_ && i < wanted; ++i) {
        uint32_t len = 0;
        ++lengths_read_;
        if (!frame_at(f, pos_, span, len)) {
            at_end_ = true;
            break;
        }
        uint8_t* buf = payload_buffer(len);
        if (!buf)
            return ENOMEM;
        if (len && !read_exact(f, buf, len)) {
            at_end_ = true;
            break;
        }
        signal_frame_ptr frame(new (std::nothrow) signal_frame());
        if (!frame)
            return ENOMEM;
        decode_frame(app_type_, buf, len, *frame);
        frames.push_back(std::move(frame));
        ++count;
        pos_ += 4 + int64_t(len);
    }
    if (past_frames(pos_, span))
        at_end_ = true;
    return 0;
}

std::vector<uint8_t> read_first_picture(const std::wstring& data_dat_path) {
    // The first few frames are enough: a device writes a picture in each.
    for (int32_t i = 0; i < 16; ++i) {
        std::vector<signal_frame_ptr> frames;
        data_info d;
        int32_t n = 1;
        bool at_end = false;
        if (read_data_frames(data_dat_path, i, n, frames, d, at_end) != 0 || n < 1)
            break;
        if (!frames[0]->picture.empty())
            return std::move(frames[0]->picture);
        if (at_end)
            break;
    }
    return {};
}
