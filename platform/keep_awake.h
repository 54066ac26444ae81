#pragma once
// Asks the desktop to keep the machine and the display awake while a long
// task runs, and releases the request when the guard goes out of scope.
// Without a session bus or screen-saver service it does nothing.
// Threading: any thread; create and destroy a guard on the same thread.

#include <QDBusConnection>
#include <QString>

namespace platform {

class keep_awake {
public:
    explicit keep_awake(const QString& reason = QStringLiteral("Task running"));
    // For tests: a given bus instead of the session bus.
    keep_awake(const QDBusConnection& bus, const QString& reason);
    ~keep_awake();
    keep_awake(const keep_awake&) = delete;
    keep_awake& operator=(const keep_awake&) = delete;

    // True while the desktop holds our request.
    bool active() const { return active_; }

private:
    void inhibit(const QString& reason);

    QDBusConnection bus_;
    unsigned cookie_ = 0;
    bool active_ = false;
};

} // namespace platform
