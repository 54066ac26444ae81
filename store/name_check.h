#pragma once
// Names the user types for data sets and items.
// Threading: any thread.

#include <string>

// False when the name holds any of \ / : * ? " < > |
bool is_valid_name(const std::string& name);
bool is_valid_name(const std::wstring& name);
