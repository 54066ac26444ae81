#include "app/torn_viewer.h"

#include "app/core/app_globals.h"
#include "app/core/app_log.h"
#include "platform/crash_handler.h"
#include "platform/text.h"
#include "store/database.h"

#include <QApplication>
#include <QCloseEvent>
#include <QIcon>
#include <QScreen>
#include <QWindow>

TOrnViewer::TOrnViewer(QWidget* parent) : QMainWindow(parent) {
    setWindowIcon(QIcon(QStringLiteral(":/Halvix/Resources/app_logo.png")));

    app_log("%s ver:%s complie:%s %s", app_name_u8.c_str(), app_version.c_str(), __DATE__,
            __TIME__);
    app_log("app_root %s", wide_to_utf8(app_root).c_str());
    const std::uintptr_t previous =
        platform::install_crash_handler(wide_to_utf8(app_data_path) + "log/", &log_fd);
    app_log("lptop:%x", static_cast<unsigned>(previous));

    db_init();

    QString title = QString::fromStdWString(app_name);
    if (!app_version.empty())
        title += QStringLiteral(" V") + QString::fromStdString(app_version);
    setWindowTitle(title);

    showMaximized();
    const QList<QScreen*> screens = QGuiApplication::screens();
    QScreen* current = windowHandle() ? windowHandle()->screen() : QGuiApplication::primaryScreen();
    const QRect desktop = current ? current->virtualGeometry() : QRect();
    app_log("screen_num:%d current_screen:%d %d*%d", static_cast<int>(screens.size()),
            static_cast<int>(screens.indexOf(current)), desktop.width(), desktop.height());

    app_log("Viewer finish");
}

TOrnViewer::~TOrnViewer() {
    app_log("ready exit");
    app_log("exit");
    log_close();
}

void TOrnViewer::closeEvent(QCloseEvent* event) {
    app_log("user exit");
    QMainWindow::closeEvent(event);
}
