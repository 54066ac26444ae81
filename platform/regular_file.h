#pragma once
// Reading files that come from outside (data items, configuration): only
// regular files are opened. A FIFO, device or socket where a file belongs
// would make a plain open wait for a writer forever; a directory reports an
// absurd size. Paths are UTF-8 as the OS takes them.
// Threading: any thread; no state.

#include <cstdint>
#include <cstdio>
#include <string>

namespace platform {

// Opened for reading in byte mode when path names a regular file (symbolic
// links followed). Null on failure with *error set: EISDIR for a directory,
// EINVAL for any other file that is no regular file, else the open's errno.
std::FILE* open_regular_file(const std::string& path, int* error);

// The whole content of a regular file of at most max_bytes. 0; EFBIG when it
// is longer (out empty, *size tells how long); or the error of
// open_regular_file or of the read.
int read_regular_file(const std::string& path, size_t max_bytes, std::string& out,
                      int64_t* size = nullptr);

} // namespace platform
