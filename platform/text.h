#pragma once
// Text encodings. Narrow text is UTF-8 everywhere (the "ANSI code page" of the
// design is UTF-8 here). Threading: any thread.
//
// File names are bytes, and a directory written by another system may carry
// names that are no UTF-8. utf8_to_wide keeps every such byte as a code point
// of its own (U+DC80..U+DCFF, one per byte) and wide_to_utf8 turns it back
// into the same byte, so a path read from the file system reaches the file
// system again unchanged. display_text() shows those bytes as U+FFFD.

#include <string>

namespace platform {
std::wstring utf8_to_wide(const std::string& s);
std::string wide_to_utf8(const std::wstring& s);
// The text as shown to a user: kept bytes become U+FFFD.
std::wstring display_text(const std::wstring& s);
} // namespace platform

// The names every other part uses.
inline std::wstring utf8_to_wide(const std::string& s) {
    return platform::utf8_to_wide(s);
}
inline std::string wide_to_utf8(const std::wstring& s) {
    return platform::wide_to_utf8(s);
}
