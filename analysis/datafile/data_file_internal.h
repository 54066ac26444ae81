#pragma once
// Helpers shared by the data item file readers and writers. Internal.

#include <json/json.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>

namespace datafile_detail {

inline uint32_t le32(const uint8_t* p) {
    return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}
inline uint32_t be32(const uint8_t* p) {
    return uint32_t(p[3]) | uint32_t(p[2]) << 8 | uint32_t(p[1]) << 16 | uint32_t(p[0]) << 24;
}

// Parses one JSON text. Never throws (deep nesting and other reader
// exceptions become a parse failure with their message in error).
bool parse_json(const char* begin, const char* end, Json::Value& root, std::string& error);

// Compact one-line form followed by a newline, UTF-8 kept as is.
std::string compact_json(const Json::Value& v);

// Opens a regular file named by a wide path for reading (a FIFO or directory
// is refused at once). nullptr and errno on failure.
FILE* open_file(const std::wstring& path);

// Size of an open file in bytes, -1 when unknown. Keeps the position.
int64_t file_size(FILE* f);

// A JSON side file (note.json, data_edit.json) whole, when it is a regular
// file of at most side_file_max_bytes. 0, EFBIG (with *size), or errno.
int read_side_file(const std::wstring& path, std::string& text, int64_t* size = nullptr);

// Replaces the file atomically through the platform layer: the old file
// stays unless every byte of the new one reached the disk. 0 or errno.
int replace_file(const std::wstring& path, const std::string& content);

// Typed member access that keeps the old value on a wrong type.
bool get_string(const Json::Value& o, const char* key, std::string& out);
bool get_wstring(const Json::Value& o, const char* key, std::wstring& out);
bool get_int(const Json::Value& o, const char* key, int32_t& out);
bool get_double(const Json::Value& o, const char* key, double& out);

} // namespace datafile_detail
