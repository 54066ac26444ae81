#pragma once
// Commands of halvix-cli. Each command lives in its own cmd_*.cpp file and
// registers itself with a static cli_command_registrar, so adding a command
// never edits a shared table.

#include <QStringList>

#include <functional>

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
// does, so both share them. Returns 0 or an error (already printed).
int cli_prepare_environment();
