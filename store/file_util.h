#pragma once
// Paths, directories and silent whole-file operations. Paths are wide strings
// and reach the OS as UTF-8. Results are 0 or a system error (errno value).
// Threading: any thread; no state between calls.

#include <cstdint>
#include <string>
#include <vector>

#include "store/name_check.h"
#include "store/time_util.h"

// True when the path names anything (file or directory).
bool path_exists(const std::wstring& path);
// True when the path exists and is a directory.
bool dir_exists(const std::wstring& path);
// True when the path names a regular file (not a directory, FIFO or device).
bool regular_file_exists(const std::wstring& path);
// Size in bytes; -1 when the path is no regular file or cannot be opened for
// reading. Sizes beyond the 32-bit range read as INT32_MAX.
int32_t file_size(const std::wstring& path);
// Creates every missing directory along the path; existing ones are left
// alone. 0 or the first creation error.
int create_directories(const std::wstring& path);
// Splits a file path at its last "/" (a backslash belongs to the name).
// Without a separator both outputs are empty. Always 0.
int split_path(const std::wstring& path, std::wstring& dir, std::wstring& file_name);
// Appends dir + "/" + name for every sub-directory whose name does not begin
// with "."; enumeration order. 0, or the system error (ENOENT, ENOTDIR, ...).
int list_subdirectories(const std::wstring& dir, std::vector<std::wstring>& out);
// Version text of the program ("1.0.0.1"); ENOENT when the executable path
// does not exist.
int query_file_version(const std::wstring& exe_path, std::string& version);

// Silent copy / rename / delete (no prompt, no undo). Each logs its failure.
// copy_path: into `to` when it is an existing directory, else to `to`.
int copy_path(const std::wstring& from, const std::wstring& to);
// rename_path refuses to replace an existing destination.
int rename_path(const std::wstring& from, const std::wstring& to);
// delete_path removes a file or a whole directory tree permanently.
int delete_path(const std::wstring& path);
