// Synthetic data sets: signals, pictures and the files of each data item.

#include "tools/samplegen/sample_gen.h"
#include "tools/samplegen/sample_json.h"

#include "platform/text.h"

#include <QBuffer>
#include <QColor>
#include <QDateTime>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QRadialGradient>

#include <json/json.h>

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstring>

namespace {

constexpr double pi = 3.14159265358979323846;
constexpr int band_num = 768;

// Small deterministic generator (xorshift32); the C library's would differ
// between platforms.
struct rng {
    uint32_t s;
    explicit rng(uint32_t seed) : s(seed ? seed * 2654435761u + 1 : 0x9e3779b9u) {
        for (int i = 0; i < 4; ++i)
            next();
    }
    uint32_t next() {
        s ^= s << 13;
        s ^= s >> 17;
        s ^= s << 5;
        return s;
    }
    double uniform() { return (next() >> 8) * (1.0 / 16777216.0); } // [0, 1)
    // Approximately normal, unit variance (sum of four uniforms).
    double normal() {
        return (uniform() + uniform() + uniform() + uniform() - 2.0) * std::sqrt(3.0);
    }
};

void put_be32(std::vector<uint8_t>& b, uint32_t v) {
    const uint8_t x[4] = {uint8_t(v >> 24), uint8_t(v >> 16), uint8_t(v >> 8), uint8_t(v)};
    b.insert(b.end(), x, x + 4);
}
void put_le32(std::vector<uint8_t>& b, uint32_t v) {
    const uint8_t x[4] = {uint8_t(v), uint8_t(v >> 8), uint8_t(v >> 16), uint8_t(v >> 24)};
    b.insert(b.end(), x, x + 4);
}
uint32_t float_bits(float f) {
    uint32_t u;
    std::memcpy(&u, &f, 4);
    return u;
}

// Seven-segment digits: the frame number stays legible without any font.
void draw_number(QPainter& p, int x, int y, int h, int value) {
    static const uint8_t seg[10] = {0x3f, 0x06, 0x5b, 0x4f, 0x66, 0x6d, 0x7d, 0x07, 0x7f, 0x6f};
    const std::string text = std::to_string(value);
    const int w = h / 2, t = std::max(2, h / 10);
    for (char c : text) {
        const uint8_t m = seg[c - '0'];
        const QRect r[7] = {{x, y, w, t},
                            {x + w - t, y, t, h / 2},
                            {x + w - t, y + h / 2, t, h / 2},
                            {x, y + h - t, w, t},
                            {x, y + h / 2, t, h / 2},
                            {x, y, t, h / 2},
                            {x, y + h / 2 - t / 2, w, t}};
        for (int i = 0; i < 7; ++i)
            if (m & (1 << i))
                p.fillRect(r[i], Qt::white);
        x += w + t * 2;
    }
}

struct signal_params {
    double tone_hz = 0, tone_pa = 0;
    double hiss_low = 0, hiss_high = 0, hiss_rms = 0;
    double pd_pa = 0;
    std::vector<double> pd_phase;
    double noise_rms = 0;
};

// Frame k of an item: samples in Pa and the band spectrum (RMS Pa per band).
void synth_frame(const signal_params& sp, uint32_t seed, int fs, int n, int k,
                 std::vector<float>& pa, std::vector<float>& spectrum) {
    pa.assign(size_t(n), 0.0f);
    const double gain = std::pow(10.0, 0.1 * (k % 10) / 20.0); // +0.1 dB per frame
    const double t0 = double(k) * n;
    std::vector<double> power(band_num, sp.noise_rms * sp.noise_rms / band_num);
    const double band_hz = fs / 2.0 / band_num;
    auto band_of = [&](double f) { return std::min(band_num - 1, int(f / band_hz)); };

    if (sp.tone_pa > 0) {
        const double a = sp.tone_pa * gain, w = 2 * pi * sp.tone_hz / fs;
        for (int i = 0; i < n; ++i)
            pa[size_t(i)] += float(a * std::sin(w * (t0 + i)));
        power[size_t(band_of(sp.tone_hz))] += a * a / 2;
    }
    if (sp.hiss_rms > 0) {
        // A band of sinusoids at fixed random frequencies: a steady hiss
        // whose band levels are known exactly.
        rng r(seed ^ 0x51ed2701u);
        const int m = 48;
        const double a = sp.hiss_rms * gain * std::sqrt(2.0 / m);
        for (int j = 0; j < m; ++j) {
            const double f = sp.hiss_low + (sp.hiss_high - sp.hiss_low) * r.uniform();
            const double ph = 2 * pi * r.uniform();
            const double w = 2 * pi * f / fs;
            // Rotating phasor instead of a sine per sample.
            double re = std::cos(w * t0 + ph), im = std::sin(w * t0 + ph);
            const double cr = std::cos(w), ci = std::sin(w);
            for (int i = 0; i < n; ++i) {
                pa[size_t(i)] += float(a * im);
                const double nr = re * cr - im * ci;
                im = re * ci + im * cr;
                re = nr;
            }
            power[size_t(band_of(f))] += a * a / 2;
        }
    }
    if (sp.pd_pa > 0) {
        // Pulses locked to the 50 Hz mains phase: damped 60 kHz bursts.
        const double cycle = fs / 50.0;
        const int first = int(std::floor(t0 / cycle)) - 1;
        const int last = int(std::ceil((t0 + n) / cycle));
        const double w = 2 * pi * 60000.0 / fs;
        for (int c = first; c <= last; ++c)
            for (double ph : sp.pd_phase) {
                const long start = std::lround((c + ph / 360.0) * cycle - t0);
                for (int j = 0; j < 96; ++j) {
                    const long i = start + j;
                    if (i >= 0 && i < n)
                        pa[size_t(i)] += float(sp.pd_pa * std::exp(-j / 12.0) * std::sin(w * j));
                }
            }
    }
    if (sp.noise_rms > 0) {
        rng r(seed * 7919u + uint32_t(k) * 104729u + 17u);
        for (int i = 0; i < n; ++i)
            pa[size_t(i)] += float(sp.noise_rms * r.normal());
    }
    spectrum.resize(band_num);
    for (int b = 0; b < band_num; ++b)
        spectrum[size_t(b)] = float(std::sqrt(power[size_t(b)]));
}

} // namespace

std::string sample_compact_json(const Json::Value& v) {
    Json::StreamWriterBuilder b;
    b["indentation"] = "";
    b["emitUTF8"] = true;
    b["precision"] = 15;
    return Json::writeString(b, v) + "\n";
}

void sample_synth_frame(const sample_item& it, uint32_t seed, int k, std::vector<float>& pa,
                        std::vector<float>& spectrum) {
    signal_params sp;
    sp.tone_hz = it.tone_hz;
    sp.tone_pa = it.tone_pa;
    sp.hiss_low = it.hiss_low_hz;
    sp.hiss_high = it.hiss_high_hz;
    sp.hiss_rms = it.hiss_rms_pa;
    sp.pd_pa = it.pd_pa;
    sp.pd_phase = it.pd_phase_deg;
    sp.noise_rms = it.noise_rms_pa;
    synth_frame(sp, seed, it.fs, it.samples, k, pa, spectrum);
}

std::vector<uint8_t> encode_frame_be(const sample_frame_content& c, bool with_wave) {
    std::vector<uint8_t> b;
    const uint32_t n = uint32_t(c.counts.size());
    b.reserve(16 + n * 6 + band_num * 4 + c.raw_picture.size() + c.picture.size() + 8);
    put_be32(b, c.tag);
    put_be32(b, n);
    for (int16_t s : c.counts) {
        b.push_back(uint8_t(uint16_t(s) >> 8));
        b.push_back(uint8_t(uint16_t(s)));
    }
    put_be32(b, with_wave ? band_num + n : band_num);
    for (int i = 0; i < band_num; ++i)
        put_be32(b, float_bits(size_t(i) < c.spectrum.size() ? c.spectrum[size_t(i)] : 0.0f));
    if (with_wave)
        for (uint32_t i = 0; i < n; ++i)
            put_be32(b, float_bits(i < c.wave_pa.size() ? c.wave_pa[i] : 0.0f));
    put_be32(b, uint32_t(c.raw_picture.size()));
    b.insert(b.end(), c.raw_picture.begin(), c.raw_picture.end());
    put_be32(b, uint32_t(c.picture.size()));
    b.insert(b.end(), c.picture.begin(), c.picture.end());
    return b;
}

std::vector<uint8_t> encode_frame_le(const sample_frame_content& c) {
    // Fixed part: 16 bytes of preamble, then the header block offset.
    std::vector<uint8_t> b = {'V', 'F', 'R', 'M'};
    put_le32(b, 1);
    put_le32(b, 0);
    put_le32(b, 0);
    const uint32_t q = 20;
    put_le32(b, q);
    b.resize(q + 20, 0x5a); // filler up to the header block length
    const uint32_t x = 32;
    put_le32(b, x);
    put_le32(b, c.tag);
    b.resize(b.size() + x - 4, 0);
    put_le32(b, uint32_t(c.spectrum.size() * 4));
    for (float v : c.spectrum)
        put_le32(b, float_bits(v));
    put_le32(b, uint32_t(c.wave_pa.size() * 8));
    for (float v : c.wave_pa) {
        put_le32(b, float_bits(v));
        put_le32(b, 0x7fc00000u); // unused half of the sample slot
    }
    put_le32(b, uint32_t(c.picture.size()));
    b.insert(b.end(), c.picture.begin(), c.picture.end());
    for (int i = 0; i < 3; ++i)
        put_le32(b, float_bits(11.0f * float(i + 1)));
    put_le32(b, float_bits(c.spl));
    put_le32(b, float_bits(44.0f));
    put_le32(b, float_bits(55.0f));
    return b;
}

std::vector<uint8_t> build_data_dat(const std::string& header_json,
                                    const std::vector<std::vector<uint8_t>>& payloads,
                                    bool with_tail, std::vector<uint32_t>* index_out) {
    std::vector<uint8_t> b;
    size_t total = 4 + header_json.size() + 64;
    for (const auto& p : payloads)
        total += p.size() + 4 + 12;
    b.reserve(total);
    put_le32(b, uint32_t(header_json.size()));
    b.insert(b.end(), header_json.begin(), header_json.end());
    Json::Value table(Json::arrayValue);
    if (index_out)
        index_out->clear();
    for (const auto& p : payloads) {
        table.append(Json::UInt(b.size()));
        if (index_out)
            index_out->push_back(uint32_t(b.size()));
        put_be32(b, uint32_t(p.size()));
        b.insert(b.end(), p.begin(), p.end());
    }
    if (with_tail) {
        Json::Value tail(Json::objectValue);
        tail["index_table"] = table;
        tail["frame_total"] = Json::UInt(payloads.size());
        std::string text = sample_compact_json(tail);
        text.pop_back(); // no newline inside the file
        b.insert(b.end(), text.begin(), text.end());
        put_le32(b, uint32_t(text.size()));
    }
    return b;
}

int write_bytes(const std::wstring& path, const std::vector<uint8_t>& bytes) {
    FILE* f = std::fopen(wide_to_utf8(path).c_str(), "wb");
    if (!f)
        return errno ? errno : EACCES;
    const bool ok = bytes.empty() || std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    const int closed = std::fclose(f);
    return ok && closed == 0 ? 0 : (errno ? errno : EIO);
}

int write_text(const std::wstring& path, const std::string& text) {
    return write_bytes(path, std::vector<uint8_t>(text.begin(), text.end()));
}

std::vector<uint8_t> make_sample_picture(int width, int height, uint32_t seed, int frame, bool spot,
                                         int spot_x, int spot_y) {
    QImage img(width, height, QImage::Format_RGB32);
    rng r(seed);
    {
        QPainter p(&img);
        QLinearGradient bg(0, 0, 0, height);
        bg.setColorAt(0, QColor(70 + int(r.uniform() * 40), 90, 110));
        bg.setColorAt(1, QColor(40, 45, 50 + int(r.uniform() * 30)));
        p.fillRect(img.rect(), bg);
        // Equipment-like shapes.
        for (int i = 0; i < 6; ++i) {
            const QColor c(90 + int(r.uniform() * 120), 90 + int(r.uniform() * 120),
                           90 + int(r.uniform() * 120));
            const int w = width / 10 + int(r.uniform() * width / 4);
            const int h = height / 10 + int(r.uniform() * height / 3);
            const int x = int(r.uniform() * (width - w)), y = int(r.uniform() * (height - h));
            if (i % 2)
                p.fillRect(x, y, w, h, c);
            else {
                p.setPen(Qt::NoPen);
                p.setBrush(c);
                p.drawEllipse(x, y, w, h);
            }
        }
        if (spot) {
            const int radius = std::max(8, width / 8);
            QRadialGradient g(spot_x, spot_y, radius);
            g.setColorAt(0, QColor(255, 30, 20, 230));
            g.setColorAt(0.45, QColor(255, 200, 0, 170));
            g.setColorAt(1, QColor(0, 120, 255, 0));
            p.setPen(Qt::NoPen);
            p.setBrush(g);
            p.drawEllipse(QPoint(spot_x, spot_y), radius, radius);
        }
        draw_number(p, std::max(2, width / 40), std::max(2, height / 30), std::max(10, height / 12),
                    frame);
    }
    QByteArray bytes;
    QBuffer buf(&bytes);
    buf.open(QIODevice::WriteOnly);
    img.save(&buf, "JPG", 80);
    return std::vector<uint8_t>(bytes.begin(), bytes.end());
}
