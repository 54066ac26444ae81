#pragma once
// Small helpers shared by the browsing widgets.
// Threading: UI thread only.

#include <QString>

#include <string>

class t_orn_msg_box;

// Creates the dialog kit's message box (title and text already translated),
// shows it application-modal and returns it so callers can connect to it.
t_orn_msg_box* show_msg_box(const QString& title, const QString& text, int icon, int buttons);

// Opens a directory in the desktop's file manager. `log_format` is the
// caller's log line ("... %s"), written with the path before the opening.
// Returns 0 or a non-zero code when nothing could be started.
int open_folder_location(const std::wstring& dir, const char* log_format);

// Start directory of the folder choosers: the user's desktop directory, or
// the home directory where there is no desktop directory.
QString desktop_dir();
