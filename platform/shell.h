#pragma once
// Showing files and folders in the desktop's file manager.
// Threading: UI thread only.

#include <string>

namespace platform {

// Opens a directory in the file manager. 0 on success, else an error code.
int open_directory(const std::wstring& dir);

// Shows a file or directory selected in its folder. Asks the file manager
// over the session bus; without one, opens the containing folder instead.
// 0 on success, else an error code.
int reveal_in_file_manager(const std::wstring& path);

} // namespace platform
