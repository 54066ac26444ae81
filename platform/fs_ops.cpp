#include "platform/fs_ops.h"

#include <cerrno>
#include <filesystem>
#include <iterator>
#include <system_error>

namespace fs = std::filesystem;

namespace platform {
namespace {
int code_of(const std::error_code& ec, int fallback) {
    if (!ec)
        return 0;
    return ec.value() != 0 ? ec.value() : fallback;
}
// True when `inner` lies at or below `outer` (both need not exist).
bool is_within(const fs::path& inner, const fs::path& outer) {
    std::error_code ec;
    const fs::path a = fs::weakly_canonical(fs::absolute(inner, ec), ec);
    const fs::path b = fs::weakly_canonical(fs::absolute(outer, ec), ec);
    auto ai = a.begin();
    for (auto bi = b.begin(); bi != b.end(); ++bi, ++ai) {
        if (bi->empty() && std::next(bi) == b.end())
            break; // trailing separator
        if (ai == a.end() || *ai != *bi)
            return false;
    }
    return true;
}
} // namespace

int fs_copy(const std::string& from, const std::string& to) {
    if (from.empty() || to.empty())
        return EINVAL;
    std::error_code ec;
    const fs::path src(from);
    fs::path dst(to);
    const fs::file_status src_status = fs::status(src, ec);
    if (ec || !fs::exists(src_status))
        return ENOENT;
    if (fs::is_directory(fs::status(dst, ec))) {
        fs::path name = src.filename();
        if (name.empty()) // source given with a trailing separator
            name = src.parent_path().filename();
        dst /= name;
    }
    if (fs::equivalent(src, dst, ec))
        return EINVAL;
    ec.clear();
    if (fs::is_directory(src_status) && is_within(dst, src))
        return EINVAL; // a tree copied into itself would never end
    const fs::path parent = dst.parent_path();
    if (!parent.empty()) {
        fs::create_directories(parent, ec);
        if (ec)
            return code_of(ec, EIO);
    }
    if (fs::is_directory(src_status)) {
        fs::create_directories(dst, ec);
        if (ec)
            return code_of(ec, EIO);
        fs::copy(src, dst, fs::copy_options::recursive | fs::copy_options::overwrite_existing, ec);
    } else {
        fs::copy_file(src, dst, fs::copy_options::overwrite_existing, ec);
    }
    return code_of(ec, EIO);
}

int fs_rename(const std::string& from, const std::string& to) {
    if (from.empty() || to.empty())
        return EINVAL;
    std::error_code ec;
    const fs::path src(from);
    const fs::path dst(to);
    if (!fs::exists(fs::symlink_status(src, ec)))
        return ENOENT;
    if (fs::exists(fs::symlink_status(dst, ec)) && !fs::equivalent(src, dst, ec))
        return EEXIST;
    ec.clear();
    fs::rename(src, dst, ec);
    return code_of(ec, EIO);
}

int fs_delete(const std::string& path) {
    if (path.empty())
        return EINVAL;
    std::error_code ec;
    const fs::path p(path);
    if (!fs::exists(fs::symlink_status(p, ec)))
        return ENOENT;
    fs::remove_all(p, ec);
    return code_of(ec, EIO);
}
} // namespace platform
