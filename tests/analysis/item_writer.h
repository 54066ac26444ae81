#pragma once
// Writes small data items (Data.dat and note.json) for the analysis tests,
// in the big-endian (writer 0) and little-endian (writer 1) frame layouts,
// straight from the byte layout so the tests do not depend on the program's
// own encoder.

#include <QBuffer>
#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QImage>
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
};

inline void put_be32(QByteArray& b, uint32_t v) {
    const char c[4] = {char(v >> 24), char(v >> 16), char(v >> 8), char(v)};
    b.append(c, 4);
}
inline void put_le32(QByteArray& b, uint32_t v) {
    const char c[4] = {char(v), char(v >> 8), char(v >> 16), char(v >> 24)};
    b.append(c, 4);
}
inline uint32_t float_bits(float f) {
    uint32_t u;
    std::memcpy(&u, &f, 4);
    return u;
}

inline QByteArray payload_be(const frame& f, uint32_t tag) {
    QByteArray b;
    const uint32_t n = uint32_t(f.samples.size());
    put_be32(b, tag);
    put_be32(b, n);
    for (float s : f.samples) {
        const int16_t c = int16_t(std::lround(s));
        const uint16_t u = uint16_t(c);
        const char two[2] = {char(u >> 8), char(u)};
        b.append(two, 2);
    }
    const bool wave = !f.wave.empty();
    put_be32(b, wave ? 768 + n : 768);
    for (int i = 0; i < 768; ++i)
        put_be32(b, float_bits(0.01f));
    if (wave)
        for (float w : f.wave)
            put_be32(b, float_bits(w));
    put_be32(b, uint32_t(f.raw_picture.size()));
    b.append(f.raw_picture);
    put_be32(b, uint32_t(f.picture.size()));
    b.append(f.picture);
    return b;
}

inline QByteArray payload_le(const frame& f, uint32_t tag) {
    QByteArray b(16, '\0');
    put_le32(b, 20); // header block offset Q
    b.append(QByteArray(20, '\0'));
    put_le32(b, 4);     // header block length, at Q + 20
    put_le32(b, tag);   // header block
    put_le32(b, 8 * 4); // spectrum bytes
    for (int i = 0; i < 8; ++i)
        put_le32(b, float_bits(0.01f));
    put_le32(b, uint32_t(8 * f.samples.size()));
    for (float s : f.samples) {
        put_le32(b, float_bits(s));
        put_le32(b, 0);
    }
    put_le32(b, uint32_t(f.picture.size()));
    b.append(f.picture);
    b.append(QByteArray(12, '\0'));
    put_le32(b, float_bits(f.spl));
    return b;
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
    QByteArray out;
    put_le32(out, uint32_t(head.size()));
    out.append(head.data(), int(head.size()));
    std::vector<uint32_t> index;
    for (size_t i = 0; i < frames.size(); ++i) {
        index.push_back(uint32_t(out.size()));
        const QByteArray p =
            writer == 0 ? payload_be(frames[i], uint32_t(i)) : payload_le(frames[i], uint32_t(i));
        put_be32(out, uint32_t(p.size()));
        out.append(p);
    }
    if (writer == 0) {
        std::string tail = "{\"index_table\":[";
        for (size_t i = 0; i < index.size(); ++i)
            tail += (i ? "," : "") + std::to_string(index[i]);
        tail += "]}";
        out.append(tail.data(), int(tail.size()));
        put_le32(out, uint32_t(tail.size()));
    }
    QFile f(dir + "/Data.dat");
    if (!f.open(QIODevice::WriteOnly) || f.write(out) != out.size())
        return false;
    f.close();
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
