#pragma once
// Text encodings. Narrow text is UTF-8 everywhere (the "ANSI code page" of the
// design is UTF-8 here). Threading: any thread.

#include <string>

namespace platform {
std::wstring utf8_to_wide(const std::string& s);
std::string wide_to_utf8(const std::wstring& s);
} // namespace platform

// The names every other part uses.
inline std::wstring utf8_to_wide(const std::string& s) {
    return platform::utf8_to_wide(s);
}
inline std::string wide_to_utf8(const std::wstring& s) {
    return platform::wide_to_utf8(s);
}
