// Decoding of one Data.dat frame payload in the writer's layout. Every field
// is checked against the payload length before it is read.

#include "analysis/datafile/data_file.h"
#include "analysis/datafile/data_file_internal.h"

#include <cmath>
#include <cstring>
#include <new>

using namespace datafile_detail;

namespace {

constexpr uint32_t be_spectrum_num = 768;

inline float f32_be(const uint8_t* p) {
    const uint32_t u = be32(p);
    float f;
    std::memcpy(&f, &u, 4);
    return f;
}

inline float f32_le(const uint8_t* p) {
    const uint32_t u = le32(p);
    float f;
    std::memcpy(&f, &u, 4);
    return f;
}

// n big-endian floats; the restrict pointers let the compiler vectorise.
void be_floats(const uint8_t* __restrict src, float* __restrict dst, size_t n) {
    for (size_t i = 0; i < n; ++i) {
        const uint32_t u = be32(src + 4 * i);
        std::memcpy(dst + i, &u, 4);
    }
}

// Bytes left after offset o; o never exceeds len.
inline uint64_t left(uint64_t len, uint64_t o) {
    return len - o;
}

} // namespace

int decode_frame_be(const uint8_t* p, uint32_t len, signal_frame& f, double gain,
                    bool gain_correct) {
    f.gain = gain;
    f.gain_correct = gain_correct;
    uint64_t o = 0;
    if (len < 8)
        return frame_decode_past_payload;
    f.tag = be32(p);
    const uint32_t n = be32(p + 4);
    o = 8;
    if (uint64_t(n) * 2 > left(len, o))
        return frame_decode_past_payload;
    try {
        f.signal.resize(n);
    } catch (const std::bad_alloc&) {
        return frame_decode_alloc_samples;
    }
    f.sample_num = int32_t(n);
    // Integer magnitude keeps the loop free of floating-point compares, so
    // the compiler can vectorise it.
    int32_t abs_max = 0;
    const uint8_t* s = p + o;
    float* sig = f.signal.data();
    for (size_t i = 0; i < n; ++i) {
        const int32_t v = int16_t(uint16_t(s[2 * i]) << 8 | uint16_t(s[2 * i + 1]));
        sig[i] = float(v);
        const int32_t a = v < 0 ? -v : v;
        abs_max = a > abs_max ? a : abs_max;
    }
    f.signal_abs_max = float(abs_max);
    o += uint64_t(n) * 2;
    try {
        f.wave.assign(n, 0.0f);
    } catch (const std::bad_alloc&) {
        return frame_decode_alloc_wave;
    }
    f.wave_num = int32_t(n);

    if (left(len, o) < 4)
        return frame_decode_past_payload;
    const uint32_t k = be32(p + o);
    o += 4;
    if (left(len, o) < be_spectrum_num * 4)
        return frame_decode_past_payload;
    try {
        f.spectrum.resize(be_spectrum_num);
    } catch (const std::bad_alloc&) {
        return frame_decode_alloc_spectrum;
    }
    f.spectrum_num = int32_t(be_spectrum_num);
    float spec_max = f32_be(p + o);
    for (uint32_t i = 0; i < be_spectrum_num; ++i) {
        const float v = f32_be(p + o + 4 * i);
        f.spectrum[i] = v;
        spec_max = v > spec_max ? v : spec_max;
    }
    o += be_spectrum_num * 4;
    f.spectrum_max = spec_max;
    const float level = 20.0f * std::log10(spec_max) + 94.0f;
    f.spl = level;
    f.spl_corrected = level;
    if (gain_correct && gain > 0)
        f.spl_corrected += 6.0 * std::log2(gain);

    // Older writers leave the display wave out; it then stays flat.
    if (k > be_spectrum_num) {
        if (uint64_t(n) * 4 > left(len, o))
            return frame_decode_past_payload;
        be_floats(p + o, f.wave.data(), n);
        o += uint64_t(n) * 4;
    }

    if (left(len, o) < 4)
        return frame_decode_past_payload;
    const uint32_t a = be32(p + o);
    o += 4;
    if (a > left(len, o))
        return frame_decode_past_payload;
    try {
        f.raw_picture.assign(p + o, p + o + a);
    } catch (const std::bad_alloc&) {
        return frame_decode_alloc_raw_picture;
    }
    f.raw_picture_len = int32_t(a);
    o += a;

    if (left(len, o) < 4)
        return frame_decode_past_payload;
    const uint32_t b = be32(p + o);
    o += 4;
    if (b > left(len, o))
        return frame_decode_past_payload;
    try {
        f.picture.assign(p + o, p + o + b);
    } catch (const std::bad_alloc&) {
        return frame_decode_alloc_picture;
    }
    f.picture_len = int32_t(b);
    return frame_decode_ok;
}

int decode_frame_le(const uint8_t* p, uint32_t len, signal_frame& f) {
    if (len < 20)
        return frame_decode_le_block_past_payload;
    const uint64_t q = le32(p + 16);
    if (q + 24 > len)
        return frame_decode_le_block_past_payload;
    const uint64_t x = le32(p + q + 20);
    uint64_t o = q + 24;
    if (x >= 4 && o + 4 <= len)
        f.tag = le32(p + o);
    if (x > left(len, o) || left(len, o + x) < 4)
        return frame_decode_le_block_past_payload;
    o += x;

    const uint32_t s = le32(p + o);
    o += 4;
    if (s > left(len, o))
        return frame_decode_le_block_past_payload;
    const uint32_t spec_n = s / 4;
    try {
        f.spectrum.resize(spec_n);
    } catch (const std::bad_alloc&) {
        return frame_decode_le_block_past_payload;
    }
    f.spectrum_num = int32_t(spec_n);
    for (uint32_t i = 0; i < spec_n; ++i)
        f.spectrum[i] = f32_le(p + o + 4 * uint64_t(i));
    o += s;

    if (left(len, o) < 4)
        return frame_decode_le_block_past_payload;
    const uint32_t m = le32(p + o);
    o += 4;
    if (m > left(len, o))
        return frame_decode_le_block_past_payload;
    const uint32_t n = m / 8;
    try {
        f.signal.resize(n);
        f.wave.resize(n);
    } catch (const std::bad_alloc&) {
        return frame_decode_le_block_past_payload;
    }
    f.sample_num = int32_t(n);
    f.wave_num = int32_t(n);
    float abs_max = 0;
    for (uint32_t i = 0; i < n; ++i) {
        const float v = f32_le(p + o + 8 * uint64_t(i));
        f.signal[i] = v;
        f.wave[i] = v;
        const float a = std::fabs(v);
        abs_max = a > abs_max ? a : abs_max;
    }
    f.signal_abs_max = abs_max;
    o += m;

    if (left(len, o) < 4)
        return frame_decode_le_picture_past_payload;
    const uint32_t b = le32(p + o);
    o += 4;
    if (b > left(len, o))
        return frame_decode_le_picture_past_payload;
    try {
        f.picture.assign(p + o, p + o + b);
    } catch (const std::bad_alloc&) {
        return frame_decode_le_picture_past_payload;
    }
    f.picture_len = int32_t(b);
    o += b;

    // The level lies 12 bytes past the picture, outside the layout's own
    // length fields: read it only when it is inside the payload.
    if (left(len, o) < 16)
        return frame_decode_le_spl_past_payload;
    const float level = f32_le(p + o + 12);
    f.spl = level;
    f.spl_corrected = level;
    return frame_decode_ok;
}

int decode_frame(int32_t app_type, const uint8_t* payload, uint32_t len, signal_frame& f) {
    switch (app_type) {
    case 0:
        return decode_frame_be(payload, len, f, 1.0, false);
    case 1:
    case 2:
        return decode_frame_le(payload, len, f);
    default:
        return frame_decode_ok; // unknown writer: an empty record
    }
}
