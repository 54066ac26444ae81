#include "platform/atomic_file.h"

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {
namespace {
std::atomic<unsigned> temp_counter{0};

int write_all(int fd, const char* data, size_t size) {
    while (size > 0) {
        const ssize_t n = ::write(fd, data, size);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return errno;
        }
        data += n;
        size -= static_cast<size_t>(n);
    }
    return 0;
}

std::string directory_of(const std::string& path) {
    const size_t slash = path.find_last_of('/');
    if (slash == std::string::npos)
        return ".";
    if (slash == 0)
        return "/";
    return path.substr(0, slash);
}

// A symbolic link is followed: the file it names is replaced and the link
// stays (a dangling link is replaced itself).
std::string replaced_file(const std::string& path) {
    struct stat st {};
    if (::lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode))
        return path;
    char* real = ::realpath(path.c_str(), nullptr);
    if (!real)
        return path;
    std::string out(real);
    std::free(real);
    return out;
}

int replace_file(const std::string& path, const std::string& bytes, bool durable);
} // namespace

int write_file_atomic(const std::string& path, const std::string& bytes) {
    return replace_file(replaced_file(path), bytes, true);
}

int write_file_replace(const std::string& path, const std::string& bytes) {
    return replace_file(replaced_file(path), bytes, false);
}

namespace {
int replace_file(const std::string& path, const std::string& bytes, bool durable) {
    char suffix[64];
    std::snprintf(suffix, sizeof suffix, ".%ld.%u.tmp", static_cast<long>(::getpid()),
                  temp_counter.fetch_add(1));
    const std::string temp = path + suffix;
    const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0)
        return errno;
    int rc = write_all(fd, bytes.data(), bytes.size());
    if (rc == 0 && durable && ::fsync(fd) != 0)
        rc = errno;
    if (::close(fd) != 0 && rc == 0)
        rc = errno;
    if (rc == 0 && ::rename(temp.c_str(), path.c_str()) != 0)
        rc = errno;
    if (rc != 0) {
        ::unlink(temp.c_str());
        return rc;
    }
    // Make the rename itself durable; a failure here loses nothing already
    // visible, so it is not reported.
    if (durable) {
        const int dir = ::open(directory_of(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (dir >= 0) {
            ::fsync(dir);
            ::close(dir);
        }
    }
    return 0;
}
} // namespace

} // namespace platform
