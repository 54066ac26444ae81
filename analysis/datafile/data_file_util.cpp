// File and JSON helpers of the data item files.

#include "analysis/datafile/data_file_internal.h"

#include "platform/text.h"

#include <QByteArray>
#include <QSaveFile>
#include <QString>

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

FILE* open_file(const std::wstring& path, const char* mode) {
    return std::fopen(wide_to_utf8(path).c_str(), mode);
}

int64_t file_size(FILE* f) {
    const long cur = std::ftell(f);
    if (cur < 0 || std::fseek(f, 0, SEEK_END) != 0)
        return -1;
    const long size = std::ftell(f);
    std::fseek(f, cur, SEEK_SET);
    return size;
}

int read_whole_file(const std::wstring& path, std::string& text) {
    text.clear();
    FILE* f = open_file(path, "rb");
    if (!f)
        return errno ? errno : ENOENT;
    const int64_t size = file_size(f);
    if (size < 0) {
        const int e = errno ? errno : EIO;
        std::fclose(f);
        return e;
    }
    // These are small JSON files; a directory opened as a file reports an
    // absurd size, and no allocation may throw out of the reader.
    constexpr int64_t max_text_size = 64 * 1024 * 1024;
    if (size > max_text_size) {
        std::fclose(f);
        return EFBIG;
    }
    try {
        text.resize(static_cast<size_t>(size));
    } catch (const std::exception&) {
        std::fclose(f);
        return ENOMEM;
    }
    const size_t got = size ? std::fread(&text[0], 1, text.size(), f) : 0;
    const int read_error = std::ferror(f) ? (errno ? errno : EIO) : 0;
    text.resize(got);
    std::fclose(f);
    return read_error;
}

int replace_file(const std::wstring& path, const std::string& content) {
    // A crash in the middle leaves the old file, never a truncated one.
    QSaveFile f(QString::fromStdWString(path));
    errno = 0;
    if (!f.open(QIODevice::WriteOnly))
        return errno ? errno : EACCES;
    if (f.write(content.data(), static_cast<qint64>(content.size())) !=
        static_cast<qint64>(content.size())) {
        const int e = errno ? errno : EIO;
        f.cancelWriting();
        return e;
    }
    if (!f.commit())
        return errno ? errno : EIO;
    return 0;
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
    std::string s;
    if (!get_string(o, key, s))
        return false;
    out = utf8_to_wide(s);
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
