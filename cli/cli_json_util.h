#pragma once
// Shared output helpers of the halvix-cli commands: records as JSON objects
// keyed by their member names, and text for the terminal.
// Threading: main thread of halvix-cli.

#include "store/records.h"

#include <QString>

#include <json/json.h>

#include <string>

// Every member of the record; non-finite numbers become null.
Json::Value cli_data_info_json(const data_info& d);
// The members a data_list row fills, with the level and mark shown for it.
Json::Value cli_data_row_json(const data_info& d);
Json::Value cli_import_data_info_json(const import_data_info& d);
// A number, or null when it is not finite.
Json::Value cli_number(double v);

// Text for a terminal, UTF-8: bytes that are no UTF-8 show as U+FFFD, and
// control characters (which could retitle or recolour the terminal) are
// written as escapes: \x1b, \n, \u009b.
std::string cli_text(const std::wstring& text);
std::string cli_text(const std::string& utf8);
// Text for a JSON string: valid UTF-8, bytes that are no UTF-8 as U+FFFD
// (the JSON writer escapes control characters itself).
std::string cli_json_text(const std::wstring& text);
std::string cli_json_text(const std::string& utf8);

// Text padded to a width in terminal columns (wide characters take two).
std::string cli_pad(const std::string& utf8, int columns);
// A number in its shortest exact-enough form.
std::string cli_num(double v);

// Indented JSON on stdout, UTF-8 kept as is, ending with a newline.
void cli_print_json(const Json::Value& v);
// A line on stderr, prefixed with "halvix-cli: " (control characters escaped).
void cli_error(const QString& text);

// A progress bar of v (0..1) on the terminal, drawn over itself; redrawn
// only when the shown percentage changes.
void cli_progress_bar(double v);
