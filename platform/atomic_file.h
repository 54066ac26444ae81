#pragma once
// Replacing a small file so that a reader (or a crash) sees either the old or
// the new content, never a half-written file.
// Threading: any thread; callers serialise writers of the same file.

#include <string>

namespace platform {

// Writes bytes to a fresh file beside path, checking every write, flushes it
// to disk (fsync) and renames it over path, then flushes the directory so the
// rename itself lasts. Returns 0 or the errno of the failing step; on failure
// path is untouched and no temporary file is left behind. A symbolic link is
// followed: the file it names is replaced (also by write_file_replace).
int write_file_atomic(const std::string& path, const std::string& bytes);

// The same replace without waiting for the disk: a reader never sees half a
// file, but a power cut may lose it. For working files the program makes
// again or deletes soon (pictures drawn for a report, template copies).
int write_file_replace(const std::string& path, const std::string& bytes);

} // namespace platform
