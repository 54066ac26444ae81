#include "platform/file_sync.h"

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace platform {

int sync_file_system(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return errno;
    int rc = 0;
    if (::syncfs(fd) != 0)
        rc = errno;
    ::close(fd);
    return rc;
}

} // namespace platform
