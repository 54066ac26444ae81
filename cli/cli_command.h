#pragma once
// Commands of halvix-cli. Each command lives in its own cmd_*.cpp file and
// registers itself with a static cli_command_registrar, so adding a command
// never edits a shared table.

#include <QStringList>

#include <functional>
#include <string>
#include <vector>

struct cli_command {
    const char* name;     // first argument, e.g. "import"
    const char* synopsis; // one line for --help, e.g. "import DIR..."
    const char* summary;  // what it does, one line
    // Runs with the arguments after the command name; returns the exit code.
    std::function<int(const QStringList& args)> run;
};

struct cli_command_registrar {
    explicit cli_command_registrar(cli_command c);
};

// Sets up the program's data directory, log and database exactly as the GUI
// does, so both share them. Returns 0 or an exit code (the error printed).
int cli_prepare_environment();
// Prints why the database cannot be used (locked, full, damaged ...).
void cli_database_error(int rc);

// The arguments after the command name as the bytes the system gave, index
// for index with the QStringList a command receives: a file name that is no
// UTF-8 survives only here.
const std::vector<std::string>& cli_native_args();
// An absolute, cleaned path from a native argument (relative to the current
// directory), byte for byte in the wide form of platform/text.h.
std::wstring cli_absolute_path(const std::string& native);
