// Checks of data set directories chosen or dropped for a local import.

#include "store/local_dir_check.h"

#include "core/app_log.h"
#include "platform/text.h"
#include "store/database.h"

#include <QCoreApplication>

#include <algorithm>

std::wstring trim_dir_root(std::wstring root) {
    while (root.size() > 1 && root.back() == L'/')
        root.pop_back();
    return root;
}

std::wstring local_root_name(const std::wstring& root) {
    const std::wstring r = trim_dir_root(root);
    const size_t slash = r.find_last_of(L'/');
    return slash == std::wstring::npos ? r : r.substr(slash + 1);
}

QUrl local_dir_url(const std::wstring& path) {
    const QByteArray bytes = QByteArray::fromStdString(wide_to_utf8(path));
    return QUrl::fromEncoded("file://" + bytes.toPercentEncoding("/"), QUrl::StrictMode);
}

std::wstring url_local_path(const QUrl& url) {
    // toLocalFile() would replace bytes that are no UTF-8; the encoded path
    // keeps them.
    const QByteArray encoded = url.path(QUrl::FullyEncoded).toLatin1();
    return utf8_to_wide(QByteArray::fromPercentEncoding(encoded).toStdString());
}

local_dir_check check_local_dir(const QList<QUrl>& urls, std::vector<std::wstring>& roots,
                                std::wstring* refused) {
    std::vector<std::wstring> names;
    for (const auto& r : roots)
        names.push_back(platform::display_text(local_root_name(r)));
    for (const QUrl& url : urls) {
        const QString local = url.toLocalFile();
        if (!url.isLocalFile() || local.startsWith(QLatin1String("//"))) {
            if (refused)
                *refused = (url.isLocalFile() ? local : url.toString()).toStdWString();
            return local_dir_check::network_path;
        }
        const std::wstring path = trim_dir_root(url_local_path(url));
        // Names are compared as shown: the registered name is the shown one.
        const std::wstring name = platform::display_text(local_root_name(path));
        // A name chosen twice in one request would give two sets of one name.
        if (data_import_db_name_exists(name) ||
            std::find(names.begin(), names.end(), name) != names.end()) {
            if (refused)
                *refused = path;
            return local_dir_check::name_exists;
        }
        app_log("check_local_dir:%s", wide_to_utf8(path).c_str());
        roots.push_back(path);
        names.push_back(name);
    }
    return local_dir_check::accepted;
}

QString local_dir_check_message(local_dir_check result) {
    switch (result) {
    case local_dir_check::network_path:
        return QCoreApplication::translate("data_list_widget",
                                           "Only local directories are supported for data import!");
    case local_dir_check::name_exists:
        return QCoreApplication::translate(
            "data_list_widget",
            "The local dataset directory name is the same as the existing dataset name!");
    case local_dir_check::accepted:
        break;
    }
    return QString();
}
