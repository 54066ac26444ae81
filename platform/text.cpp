#include "platform/text.h"

#include <cstdint>

namespace platform {
namespace {
constexpr wchar_t kept_byte_base = 0xDC00; // U+DC80..U+DCFF: bytes 0x80..0xFF

bool is_kept_byte(uint32_t c) {
    return c >= 0xDC80 && c <= 0xDCFF;
}

// Length of the well-formed UTF-8 sequence at s[i] and its code point; 0 when
// the bytes there are no such sequence (overlong forms, surrogates and code
// points past U+10FFFF included).
size_t decode_one(const std::string& s, size_t i, uint32_t& cp) {
    const auto b = [&](size_t k) { return static_cast<unsigned char>(s[i + k]); };
    const unsigned char c = b(0);
    size_t n = 0;
    uint32_t min = 0;
    if (c >= 0xC2 && c <= 0xDF) {
        n = 2, cp = c & 0x1F, min = 0x80;
    } else if (c >= 0xE0 && c <= 0xEF) {
        n = 3, cp = c & 0x0F, min = 0x800;
    } else if (c >= 0xF0 && c <= 0xF4) {
        n = 4, cp = c & 0x07, min = 0x10000;
    } else {
        return 0;
    }
    if (i + n > s.size())
        return 0;
    for (size_t k = 1; k < n; ++k) {
        if ((b(k) & 0xC0) != 0x80)
            return 0;
        cp = cp << 6 | (b(k) & 0x3F);
    }
    if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
        return 0;
    return n;
}

void append_utf8(std::string& out, uint32_t cp) {
    if (cp < 0x80) {
        out += char(cp);
    } else if (cp < 0x800) {
        out += char(0xC0 | cp >> 6);
        out += char(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += char(0xE0 | cp >> 12);
        out += char(0x80 | (cp >> 6 & 0x3F));
        out += char(0x80 | (cp & 0x3F));
    } else {
        out += char(0xF0 | cp >> 18);
        out += char(0x80 | (cp >> 12 & 0x3F));
        out += char(0x80 | (cp >> 6 & 0x3F));
        out += char(0x80 | (cp & 0x3F));
    }
}
} // namespace

std::wstring utf8_to_wide(const std::string& s) {
    std::wstring out;
    out.reserve(s.size());
    for (size_t i = 0; i < s.size();) {
        const auto c = static_cast<unsigned char>(s[i]);
        if (c < 0x80) {
            out += wchar_t(c);
            ++i;
            continue;
        }
        uint32_t cp = 0;
        const size_t n = decode_one(s, i, cp);
        if (n == 0) {
            out += wchar_t(kept_byte_base + c);
            ++i;
        } else {
            out += wchar_t(cp);
            i += n;
        }
    }
    return out;
}

std::string wide_to_utf8(const std::wstring& s) {
    std::string out;
    out.reserve(s.size());
    for (const wchar_t w : s) {
        const auto c = static_cast<uint32_t>(w);
        if (c < 0x80)
            out += char(c);
        else if (is_kept_byte(c))
            out += char(c - kept_byte_base);
        else if ((c >= 0xD800 && c <= 0xDFFF) || c > 0x10FFFF)
            append_utf8(out, 0xFFFD); // no character: cannot be written as UTF-8
        else
            append_utf8(out, c);
    }
    return out;
}

std::wstring display_text(const std::wstring& s) {
    std::wstring out = s;
    for (wchar_t& w : out)
        if (is_kept_byte(static_cast<uint32_t>(w)))
            w = L'\uFFFD';
    return out;
}
} // namespace platform
