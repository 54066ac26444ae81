#include "platform/shell.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDesktopServices>
#include <QFileInfo>
#include <QStringList>
#include <QUrl>

#include <cerrno>

namespace platform {

int open_directory(const std::wstring& dir) {
    const QString d = QString::fromStdWString(dir);
    if (d.isEmpty() || !QFileInfo(d).isDir())
        return ENOENT;
    return QDesktopServices::openUrl(QUrl::fromLocalFile(d)) ? 0 : EIO;
}

int reveal_in_file_manager(const std::wstring& path) {
    const QFileInfo info(QString::fromStdWString(path));
    if (!info.exists())
        return ENOENT;
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (bus.isConnected()) {
        QDBusMessage call = QDBusMessage::createMethodCall(
            "org.freedesktop.FileManager1", "/org/freedesktop/FileManager1",
            "org.freedesktop.FileManager1", "ShowItems");
        call << QStringList{QUrl::fromLocalFile(info.absoluteFilePath()).toString()} << QString();
        const QDBusMessage reply = bus.call(call, QDBus::Block, 3000);
        if (reply.type() == QDBusMessage::ReplyMessage)
            return 0;
    }
    return open_directory(info.absolutePath().toStdWString());
}

} // namespace platform
