#include "ui/ui_util.h"

#include "core/app_log.h"
#include "platform/shell.h"
#include "platform/text.h"
#include "ui/kit/t_orn_msg_box.h"

#include <QDir>
#include <QStandardPaths>

t_orn_msg_box* show_msg_box(const QString& title, const QString& text, int icon, int buttons) {
    auto* box = new t_orn_msg_box(nullptr, title.toStdString(), text.toStdString(), icon, buttons);
    box->setWindowModality(Qt::ApplicationModal);
    box->show();
    return box;
}

int open_folder_location(const std::wstring& dir, const char* log_format) {
    const std::string path = wide_to_utf8(dir);
    app_log(log_format, path.c_str());
    const int rc = platform::open_directory(dir);
    if (rc != 0)
        app_log("errno:%d %s", rc, path.c_str());
    return rc;
}

QString desktop_dir() {
    const QString desktop = QStandardPaths::writableLocation(QStandardPaths::DesktopLocation);
    if (!desktop.isEmpty() && QDir(desktop).exists())
        return desktop;
    return QDir::homePath();
}
