// File and JSON helpers of the data item files.

#include "analysis/datafile/data_file_internal.h"

#include "analysis/datafile/data_file.h"
#include "platform/atomic_file.h"
#include "platform/regular_file.h"
#include "platform/text.h"

#include <cerrno>
#include <memory>

namespace datafile_detail {

bool parse_json(const char* begin, const char* end, Json::Value& root, std::string& error) {
    // Building a reader costs more than parsing a small header: one per thread.
    thread_local const std::unique_ptr<Json::CharReader> reader = [] {
        Json::CharReaderBuilder b;
        b["collectComments"] = false;
        b["stackLimit"] = 256;
        return std::unique_ptr<Json::CharReader>(b.newCharReader());
    }();
    root = Json::Value();
    error.clear();
    try {
        return reader->parse(begin, end, &root, &error);
    } catch (const std::exception& e) {
        error = e.what();
        return false;
    }
}

std::string compact_json(const Json::Value& v) {
    Json::StreamWriterBuilder b;
    b["indentation"] = "";
    b["emitUTF8"] = true;
    b["precision"] = 15;
    return Json::writeString(b, v) + "\n";
}

FILE* open_file(const std::wstring& path) {
    int error = 0;
    FILE* f = platform::open_regular_file(wide_to_utf8(path), &error);
    if (!f)
        errno = error;
    return f;
}

int64_t file_size(FILE* f) {
    const long cur = std::ftell(f);
    if (cur < 0 || std::fseek(f, 0, SEEK_END) != 0)
        return -1;
    const long size = std::ftell(f);
    std::fseek(f, cur, SEEK_SET);
    return size;
}

int read_side_file(const std::wstring& path, std::string& text, int64_t* size) {
    return platform::read_regular_file(wide_to_utf8(path), side_file_max_bytes, text, size);
}

int replace_file(const std::wstring& path, const std::string& content) {
    return platform::write_file_atomic(wide_to_utf8(path), content);
}

bool get_string(const Json::Value& o, const char* key, std::string& out) {
    if (!o.isObject())
        return false;
    const Json::Value* v = o.find(key, key + std::strlen(key));
    if (!v || !v->isString())
        return false;
    out = v->asString();
    return true;
}

bool get_wstring(const Json::Value& o, const char* key, std::wstring& out) {
    if (!o.isObject())
        return false;
    const Json::Value* v = o.find(key, key + std::strlen(key));
    if (!v || !v->isString())
        return false;
    // Texts, not file names: bytes that are no UTF-8 show as U+FFFD.
    const char* begin = nullptr;
    const char* end = nullptr;
    v->getString(&begin, &end);
    out = platform::display_text(utf8_to_wide(std::string(begin, end)));
    return true;
}

bool get_int(const Json::Value& o, const char* key, int32_t& out) {
    if (!o.isObject())
        return false;
    const Json::Value* v = o.find(key, key + std::strlen(key));
    if (!v || !v->isInt())
        return false;
    out = v->asInt();
    return true;
}

bool get_double(const Json::Value& o, const char* key, double& out) {
    if (!o.isObject())
        return false;
    const Json::Value* v = o.find(key, key + std::strlen(key));
    if (!v || !v->isNumeric())
        return false;
    out = v->asDouble();
    return true;
}

} // namespace datafile_detail
