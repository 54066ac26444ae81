#pragma once
// Silent whole-file operations: copy, rename and delete of files or directory
// trees, with no prompt and no undo. Paths are UTF-8 as the OS takes them.
// Results are 0 or an errno value.
// Threading: any thread; no state.

#include <string>

namespace platform {
// Copies a file or a directory tree. When `to` is an existing directory the
// source is copied into it under its own name; otherwise it is copied to `to`,
// creating missing parent directories. Existing files are overwritten.
int fs_copy(const std::string& from, const std::string& to);
// Renames (moves) a file or directory. Refuses with EEXIST when `to` exists,
// so nothing of the user's is replaced.
int fs_rename(const std::string& from, const std::string& to);
// Deletes a file or a whole directory tree permanently. ENOENT when missing.
int fs_delete(const std::string& path);
} // namespace platform
