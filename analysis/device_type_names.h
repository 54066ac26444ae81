#pragma once
// Display names of the cameras' device type codes (the header's
// "device_type"), for the annotated picture. A built-in table that the file
// device_types.json in the configuration folder extends or overrides: one
// JSON object, code -> display name.
// Threading: any thread; the table is read once and then immutable.

#include <map>
#include <string>

// The display name of a code; the code itself when the table has no entry.
std::wstring device_type_display_name(const std::wstring& code);

// The built-in table merged with the JSON text of an override file (invalid
// or non-object text and non-string values are ignored). For tests and the
// one-time load.
std::map<std::wstring, std::wstring> device_type_table(const std::string& override_json);
