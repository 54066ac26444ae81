#include "report/csv_writer.h"

#include "platform/atomic_file.h"
#include "platform/text.h"

#include <cmath>
#include <cstdio>
#include <cstring>

std::string csv_field(const std::string& s) {
    bool quote = !s.empty() &&
                 (s.front() == ' ' || s.front() == '\t' || s.back() == ' ' || s.back() == '\t');
    for (char c : s) {
        if (c == ',' || c == '"' || c == '\n' || c == '\r') {
            quote = true;
            break;
        }
    }
    if (!quote)
        return s;
    std::string out;
    out.reserve(s.size() + 2);
    out += '"';
    for (char c : s) {
        if (c == '"')
            out += '"';
        out += c;
    }
    out += '"';
    return out;
}

std::string csv_text(const std::string& s) {
    if (!s.empty() && std::strchr("=+-@\t\r", s.front()) != nullptr)
        return "'" + s;
    return s;
}

std::string csv_number(double v, int decimals) {
    if (!std::isfinite(v))
        return std::string();
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.*f", decimals, v);
    // "-0.0" reads as a negative amount in a spreadsheet.
    std::string s = buf;
    if (s[0] == '-' && s.find_first_not_of("-0.") == std::string::npos)
        s.erase(0, 1);
    return s;
}

void csv_table::add_row(std::vector<std::string> fields) {
    rows_.push_back(std::move(fields));
}

std::string csv_table::text(bool bom) const {
    std::string out = bom ? "\xEF\xBB\xBF" : "";
    for (const auto& row : rows_) {
        for (size_t i = 0; i < row.size(); ++i) {
            if (i)
                out += ',';
            out += csv_field(row[i]);
        }
        out += "\r\n";
    }
    return out;
}

int write_text_file(const std::wstring& path, const std::string& text) {
    return platform::write_file_atomic(platform::wide_to_utf8(path), text);
}
