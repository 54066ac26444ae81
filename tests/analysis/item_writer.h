#pragma once
// Writes small data items (Data.dat and note.json) for the analysis tests
// with the sample generator's frame encoders: big-endian layout for writer 0,
// little-endian for the others, with exactly the samples a test asks for.

#include <QBuffer>
#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QImage>

#include "tools/samplegen/sample_gen.h"
#include <QString>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

namespace item_writer {

struct frame {
    std::vector<float> samples; // writer 0: rounded to 16-bit counts
    std::vector<float> wave;    // writer 0 only; empty = no wave block
    QByteArray picture;         // JPEG
    QByteArray raw_picture;     // writer 0 only
    float spl = 0;              // writer 1 level field
    frame() = default;
    explicit frame(std::vector<float> s) : samples(std::move(s)) {}
};

inline std::vector<uint8_t> bytes_of(const QByteArray& b) {
    return std::vector<uint8_t>(b.begin(), b.end());
}

inline std::vector<uint8_t> payload(const frame& f, int writer, uint32_t tag) {
    sample_frame_content c;
    c.tag = tag;
    c.spectrum.assign(writer == 0 ? 768 : 8, 0.01f);
    c.picture = bytes_of(f.picture);
    c.spl = f.spl;
    if (writer != 0) {
        c.wave_pa = f.samples; // the little-endian sample block
        return encode_frame_le(c);
    }
    for (float s : f.samples)
        c.counts.push_back(int16_t(std::lround(s)));
    c.wave_pa = f.wave;
    c.raw_picture = bytes_of(f.raw_picture);
    return encode_frame_be(c, !f.wave.empty());
}

// Writes dir/Data.dat (and note.json); writer 0 files carry an index tail.
inline bool write_item(const QString& dir, int writer, const std::vector<frame>& frames,
                       int fs = 192000, const std::string& extra_header = std::string(),
                       const std::string& sensitivity = "50") {
    QDir().mkpath(dir);
    const char* app = writer == 0 ? "TarvoOrnApp" : writer == 1 ? "TarvoSableApp" : "OtherApp";
    std::string head = std::string("{\"app_name\":\"") + app +
                       "\",\"app_version\":\"1.0.0.60\",\"data_type\":0,"
                       "\"datetime\":\"2024-03-18 09:00:00\",\"geometry\":{\"distance\":1.0},"
                       "\"beamforming\":{\"daq\":" +
                       std::to_string(fs) + ",\"micSensitivity\":" + sensitivity +
                       "},\"freqRangeStart\":5000,\"freqRangeEnd\":96000" + extra_header + "}";
    std::vector<std::vector<uint8_t>> payloads;
    for (size_t i = 0; i < frames.size(); ++i)
        payloads.push_back(payload(frames[i], writer, uint32_t(i)));
    if (write_bytes((dir + "/Data.dat").toStdWString(),
                    build_data_dat(head, payloads, writer == 0)))
        return false;
    QFile note(dir + "/note.json");
    return note.open(QIODevice::WriteOnly) && note.write("{\"name\":\"t\",\"spl\":60.0}\n") > 0;
}

// A small JPEG whose width identifies it.
inline QByteArray jpeg_of_width(int width) {
    QImage img(width, 8, QImage::Format_RGB32);
    img.fill(QColor(40, 90, 160));
    QByteArray bytes;
    QBuffer buf(&bytes);
    buf.open(QIODevice::WriteOnly);
    img.save(&buf, "JPG");
    return bytes;
}

// A sine of amplitude amp (in the frame's units) at hz, continuous across
// frames: sample i of frame f is at time (f * n + i) / fs. A faint
// deterministic noise (1/1000 of the amplitude) keeps every spectrum bin
// above zero, as in any real recording.
inline std::vector<float> tone(int n, int frame_no, double hz, double amp, int fs) {
    std::vector<float> v(static_cast<size_t>(n));
    uint32_t seed = 2654435761u * uint32_t(frame_no + 1);
    for (int i = 0; i < n; ++i) {
        const double t = double(int64_t(frame_no) * n + i) / fs;
        seed = seed * 1664525u + 1013904223u;
        const double noise = (double(seed >> 8) / double(1u << 24) - 0.5) * 2e-3 * amp;
        v[size_t(i)] = float(amp * std::sin(2 * M_PI * hz * t) + noise);
    }
    return v;
}

} // namespace item_writer
