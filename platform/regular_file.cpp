#include "platform/regular_file.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {
namespace {
// O_NONBLOCK: opening a FIFO must not wait for its writer; it is refused
// right after, by its type.
int open_regular(const std::string& path, struct stat& st, int& error) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        error = errno ? errno : ENOENT;
        return -1;
    }
    if (::fstat(fd, &st) != 0) {
        error = errno ? errno : EIO;
        ::close(fd);
        return -1;
    }
    if (!S_ISREG(st.st_mode)) {
        error = S_ISDIR(st.st_mode) ? EISDIR : EINVAL;
        ::close(fd);
        return -1;
    }
    const int flags = ::fcntl(fd, F_GETFL);
    if (flags >= 0)
        ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK);
    return fd;
}
} // namespace

std::FILE* open_regular_file(const std::string& path, int* error) {
    struct stat st {};
    int e = 0;
    const int fd = open_regular(path, st, e);
    std::FILE* f = fd < 0 ? nullptr : ::fdopen(fd, "rb");
    if (fd >= 0 && !f) {
        e = errno ? errno : ENOMEM;
        ::close(fd);
    }
    if (error)
        *error = f ? 0 : e;
    return f;
}

int read_regular_file(const std::string& path, size_t max_bytes, std::string& out, int64_t* size) {
    out.clear();
    if (size)
        *size = 0;
    struct stat st {};
    int e = 0;
    const int fd = open_regular(path, st, e);
    if (fd < 0)
        return e;
    if (size)
        *size = int64_t(st.st_size);
    if (st.st_size < 0 || uint64_t(st.st_size) > max_bytes) {
        ::close(fd);
        return EFBIG;
    }
    int rc = 0;
    try {
        out.resize(size_t(st.st_size));
    } catch (const std::exception&) {
        rc = ENOMEM;
    }
    // The file may change while it is read: read to its end, but never past
    // the bound.
    size_t got = 0;
    while (rc == 0) {
        if (got == out.size()) {
            if (out.size() > max_bytes) {
                rc = EFBIG;
                break;
            }
            try {
                out.resize(out.size() + 4096);
            } catch (const std::exception&) {
                rc = ENOMEM;
                break;
            }
        }
        const ssize_t n = ::read(fd, &out[got], out.size() - got);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            rc = errno ? errno : EIO;
        } else if (n == 0) {
            break;
        } else {
            got += size_t(n);
        }
    }
    ::close(fd);
    if (rc == 0 && got > max_bytes)
        rc = EFBIG;
    if (size && rc == EFBIG)
        *size = int64_t(got) > *size ? int64_t(got) : *size;
    out.resize(rc == 0 ? got : 0);
    return rc;
}

} // namespace platform
