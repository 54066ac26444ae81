#pragma once
// Checks of data set directories chosen or dropped for a local import, shared
// by the dataset list and the command line.
// Threading: any thread.

#include <QList>
#include <QString>
#include <QUrl>

#include <string>
#include <vector>

enum class local_dir_check {
    accepted,
    network_path, // not a local file, or a path beginning with "//"
    name_exists,  // a data set of this name is registered (or chosen twice)
};

// Checks each URL in order and appends the accepted paths to roots. Stops at
// the first refusal and returns it (with the refused path in *refused);
// paths accepted before it stay in roots.
local_dir_check check_local_dir(const QList<QUrl>& urls, std::vector<std::wstring>& roots,
                                std::wstring* refused = nullptr);

// A file URL for a local path, byte for byte (a name that is no UTF-8 is
// percent-encoded, not replaced).
QUrl local_dir_url(const std::wstring& path);
// The local path of a file URL, byte for byte: the reverse of local_dir_url,
// also for URLs of dropped directories.
std::wstring url_local_path(const QUrl& url);

// The translated text shown for a refusal (empty for accepted).
QString local_dir_check_message(local_dir_check result);

// Last path component of a data set directory (its data set name).
std::wstring local_root_name(const std::wstring& root);

// The path without trailing "/" (a lone "/" stays).
std::wstring trim_dir_root(std::wstring root);
