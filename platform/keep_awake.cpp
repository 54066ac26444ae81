#include "platform/keep_awake.h"

#include <QCoreApplication>
#include <QDBusMessage>

namespace platform {
namespace {
const char* const service = "org.freedesktop.ScreenSaver";
const char* const object_path = "/org/freedesktop/ScreenSaver";
const char* const interface_name = "org.freedesktop.ScreenSaver";
// A desktop that does not answer quickly must not hold up the task.
const int call_timeout_ms = 2000;
} // namespace

keep_awake::keep_awake(const QString& reason) : bus_(QDBusConnection::sessionBus()) {
    inhibit(reason);
}

keep_awake::keep_awake(const QDBusConnection& bus, const QString& reason) : bus_(bus) {
    inhibit(reason);
}

void keep_awake::inhibit(const QString& reason) {
    if (!bus_.isConnected())
        return;
    QDBusMessage call =
        QDBusMessage::createMethodCall(service, object_path, interface_name, "Inhibit");
    QString app = QCoreApplication::applicationName();
    if (app.isEmpty())
        app = QStringLiteral("Halvix");
    call << app << reason;
    const QDBusMessage reply = bus_.call(call, QDBus::Block, call_timeout_ms);
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty())
        return;
    bool ok = false;
    cookie_ = reply.arguments().first().toUInt(&ok);
    active_ = ok;
}

keep_awake::~keep_awake() {
    if (!active_ || !bus_.isConnected())
        return;
    QDBusMessage call =
        QDBusMessage::createMethodCall(service, object_path, interface_name, "UnInhibit");
    call << cookie_;
    bus_.call(call, QDBus::Block, call_timeout_ms);
}

} // namespace platform
