#pragma once
// Comma-separated text as spreadsheet programs read it (RFC 4180): fields
// quoted when they hold a comma, a double quote, a line break or blanks at
// either end, quotes doubled, rows ended by CR LF, UTF-8 with a byte-order
// mark so Chinese text is read as such.
// Threading: any thread; plain values.

#include <string>
#include <vector>

class csv_table {
public:
    void add_row(std::vector<std::string> fields);
    size_t rows() const { return rows_.size(); }
    // The whole text, starting with the UTF-8 byte-order mark when bom is set.
    std::string text(bool bom = true) const;

private:
    std::vector<std::vector<std::string>> rows_;
};

// One field (UTF-8) as it appears in a row.
std::string csv_field(const std::string& utf8);
// Text from outside the program (names, times, currencies) as a cell that a
// spreadsheet shows as text: a leading = + - @ tab or CR would make it a
// formula, so such text gets an apostrophe in front. Numbers go through
// csv_number() instead.
std::string csv_text(const std::string& utf8);
// A number with the given decimals, or an empty field when it is not finite.
std::string csv_number(double v, int decimals);

// Replaces the file at path with text: the old file stays until the new one
// is on disk. 0 or the errno of the failed step.
int write_text_file(const std::wstring& path, const std::string& text);
