#include "store/file_util.h"

#include "core/app_log.h"
#include "platform/fs_ops.h"
#include "platform/text.h"

#include <cerrno>
#include <climits>
#include <filesystem>
#include <fstream>
#include <system_error>

namespace fs = std::filesystem;

namespace {
fs::path os_path(const std::wstring& p) {
    return fs::path(wide_to_utf8(p));
}

int error_value(const std::error_code& ec) {
    return ec ? (ec.value() ? ec.value() : EIO) : 0;
}
} // namespace

bool path_exists(const std::wstring& path) {
    if (path.empty())
        return false;
    std::error_code ec;
    return fs::exists(fs::status(os_path(path), ec));
}

bool dir_exists(const std::wstring& path) {
    if (path.empty())
        return false;
    std::error_code ec;
    return fs::is_directory(fs::status(os_path(path), ec));
}

bool regular_file_exists(const std::wstring& path) {
    if (path.empty())
        return false;
    std::error_code ec;
    return fs::is_regular_file(fs::status(os_path(path), ec));
}

int32_t file_size(const std::wstring& path) {
    // A FIFO would make the open below wait for a writer.
    if (!regular_file_exists(path))
        return -1;
    std::ifstream in(os_path(path), std::ios::binary);
    if (!in)
        return -1;
    in.seekg(0, std::ios::end);
    const std::streamoff size = in.tellg();
    if (size < 0)
        return -1;
    return size > INT32_MAX ? INT32_MAX : static_cast<int32_t>(size);
}

int create_directories(const std::wstring& path) {
    const size_t n = path.size();
    for (size_t i = 1; i <= n; ++i) {
        // Each separator after the root, and the end of the path, closes a
        // prefix. A backslash is part of a Linux name, never a separator.
        if (i < n && path[i] != L'/')
            continue;
        const std::wstring prefix = path.substr(0, i);
        if (prefix.empty() || path_exists(prefix))
            continue;
        std::error_code ec;
        fs::create_directory(os_path(prefix), ec);
        if (ec && !dir_exists(prefix)) // another thread may have made it meanwhile
            return error_value(ec);
    }
    return 0;
}

int split_path(const std::wstring& path, std::wstring& dir, std::wstring& file_name) {
    dir.clear();
    file_name.clear();
    // "/" is the only separator: a backslash is an ordinary character of a
    // file name here ("parent\\sub" is one directory).
    const size_t pos = path.rfind(L'/');
    if (pos == std::wstring::npos)
        return 0;
    dir = path.substr(0, pos);
    file_name = path.substr(pos + 1);
    return 0;
}

int list_subdirectories(const std::wstring& dir, std::vector<std::wstring>& out) {
    std::error_code ec;
    fs::directory_iterator it(os_path(dir), ec);
    if (ec)
        return error_value(ec);
    for (const fs::directory_iterator end; it != end; it.increment(ec)) {
        if (ec)
            return error_value(ec);
        std::error_code type_ec;
        if (!it->is_directory(type_ec))
            continue;
        const std::string name = it->path().filename().string();
        if (name.empty() || name[0] == '.')
            continue;
        out.push_back(dir + L"/" + utf8_to_wide(name));
    }
    return error_value(ec);
}

int query_file_version(const std::wstring& exe_path, std::string& version) {
    version.clear();
    if (!path_exists(exe_path))
        return ENOENT;
    version = HALVIX_VERSION;
    return 0;
}

int copy_path(const std::wstring& from, const std::wstring& to) {
    const std::string a = wide_to_utf8(from);
    const std::string b = wide_to_utf8(to);
    const int err = platform::fs_copy(a, b);
    if (err)
        app_log("rename_file err:%d %s,%s", err, a.c_str(), b.c_str());
    return err;
}

int rename_path(const std::wstring& from, const std::wstring& to) {
    const std::string a = wide_to_utf8(from);
    const std::string b = wide_to_utf8(to);
    const int err = platform::fs_rename(a, b);
    if (err)
        app_log("rename_file err:%d %s,%s", err, a.c_str(), b.c_str());
    return err;
}

int delete_path(const std::wstring& path) {
    const int err = platform::fs_delete(wide_to_utf8(path));
    if (err)
        app_log("rename_file err:%d", err);
    return err;
}
