#include "report/engine/image_info.h"

#include <cstdint>

namespace docengine {

namespace {
uint32_t be16(const unsigned char* p) {
    return (uint32_t(p[0]) << 8) | p[1];
}
uint32_t be32(const unsigned char* p) {
    return (be16(p) << 16) | be16(p + 2);
}
uint32_t le16(const unsigned char* p) {
    return (uint32_t(p[1]) << 8) | p[0];
}
uint32_t le32(const unsigned char* p) {
    return (le16(p + 2) << 16) | le16(p);
}

bool jpeg_size(const unsigned char* p, size_t n, int& w, int& h) {
    size_t i = 2;
    while (i + 4 <= n) {
        if (p[i] != 0xFF) {
            ++i;
            continue;
        }
        unsigned char marker = p[i + 1];
        if (marker == 0xFF) {
            ++i;
            continue;
        }
        if (marker == 0xD8 || marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7)) {
            i += 2;
            continue;
        }
        if (marker == 0xD9 || marker == 0xDA)
            return false; // image data before any frame header
        uint32_t len = be16(p + i + 2);
        if (len < 2)
            return false;
        bool sof =
            marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
        if (sof) {
            if (i + 9 > n)
                return false;
            h = static_cast<int>(be16(p + i + 5));
            w = static_cast<int>(be16(p + i + 7));
            return w > 0 && h > 0;
        }
        i += 2 + len;
    }
    return false;
}
} // namespace

bool read_image_info(const std::string& bytes, image_info& out) {
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    const size_t n = bytes.size();
    out = image_info();
    if (n >= 4 && p[0] == 0xFF && p[1] == 0xD8 && p[2] == 0xFF) {
        out.extension = "jpeg";
        out.content_type = "image/jpeg";
        return jpeg_size(p, n, out.width, out.height);
    }
    if (n >= 24 && p[0] == 0x89 && p[1] == 'P' && p[2] == 'N' && p[3] == 'G' && p[12] == 'I' &&
        p[13] == 'H' && p[14] == 'D' && p[15] == 'R') {
        out.extension = "png";
        out.content_type = "image/png";
        out.width = static_cast<int>(be32(p + 16));
        out.height = static_cast<int>(be32(p + 20));
        return out.width > 0 && out.height > 0;
    }
    if (n >= 10 && p[0] == 'G' && p[1] == 'I' && p[2] == 'F' && p[3] == '8') {
        out.extension = "gif";
        out.content_type = "image/gif";
        out.width = static_cast<int>(le16(p + 6));
        out.height = static_cast<int>(le16(p + 8));
        return out.width > 0 && out.height > 0;
    }
    if (n >= 26 && p[0] == 'B' && p[1] == 'M') {
        out.extension = "bmp";
        out.content_type = "image/bmp";
        int32_t w = static_cast<int32_t>(le32(p + 18));
        int32_t h = static_cast<int32_t>(le32(p + 22));
        out.width = w < 0 ? -w : w;
        out.height = h < 0 ? -h : h;
        return out.width > 0 && out.height > 0;
    }
    return false;
}

} // namespace docengine
