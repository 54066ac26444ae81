#pragma once
// Making written files durable in one step: after many files were written
// and closed, one call puts every byte of their file system on disk, far
// cheaper than a sync per file.
// Threading: any thread.

#include <string>

namespace platform {

// Flushes the file system that holds path (a file or directory, UTF-8) to
// disk. 0 or errno.
int sync_file_system(const std::string& path);

} // namespace platform
