#pragma once
// Argument helpers shared by the halvix-cli commands: options with and
// without values, the data set named on the command line, and the items
// chosen with --items.
// Threading: main thread of halvix-cli.

#include "store/records.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <vector>

class QTranslator;

// The program's own text, in the language installed.
QString cli_tr(const char* text);

// An absolute, cleaned path from one typed relative to the current directory.
QString cli_absolute(const QString& path);

// Integer option value; false (and an error printed) when it is not one.
bool cli_parse_int(const QString& option, const QString& text, int& out, int min, int max);

// The options of one command, read in the order given, so that the first
// wrong argument is the one reported. A flag sets its bool; an option with a
// value takes the next argument (given again, the last one counts).
class cli_options {
public:
    cli_options& flag(const char* name, bool& on);
    // `given` becomes true when the option is present.
    cli_options& value(const char* name, QString& out, bool* given = nullptr);
    // `take` checks and keeps the value; false after it printed why.
    cli_options& value(const char* name, std::function<bool(const QString&)> take);
    cli_options& integer(const char* name, int& out, int min, int max);

    // The first argument that is no option becomes `operand`; a second one
    // is refused with the text `extra` makes of it. 0, or 2 with the error
    // printed (also for an unknown option and an option without its value).
    int parse(const QStringList& args, QString& operand,
              const std::function<QString(const QString&)>& extra) const;

private:
    struct option {
        QString name;
        bool* flag = nullptr;
        std::function<bool(const QString&)> take;
    };
    std::vector<option> options_;
};

// --items I,J,...: items of a data set by index in the browser's order
// (newest first, an index given twice counts twice); without it, all of them.
class cli_item_choice {
public:
    void add_option(cli_options& options);
    // Checks the indices, opens the database and finds the data set and its
    // chosen items: 0, or an exit code with the error printed.
    int open(const QString& dataset, import_data_info& set, std::vector<data_info>& out) const;

private:
    bool given_ = false;
    QString text_;
};

// "en" or "zh", or empty for the configured language.
bool cli_lang_valid(const QString& lang);
// Installs the Chinese texts when lang_id is 1 (the translator must outlive their use).
void cli_install_translation(QTranslator& translator, int lang_id);

// The registered data set with this id or name: 0, or 1 with the error
// printed (no such set, or the database could not be read).
int cli_find_dataset(const QString& name, import_data_info& set);
