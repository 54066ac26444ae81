// Program entry: prepares the environment, refuses a second instance and runs
// the main window.

#include "app/torn_viewer.h"
#include "core/app_config.h"
#include "core/app_globals.h"
#include "core/environment.h"
#include "platform/instance_lock.h"
#include "platform/system_info.h"
#include "platform/termination.h"
#include "platform/text.h"
#include "store/records.h"
#include "ui/kit/t_orn_msg_box.h"

#include <QApplication>
#include <QMessageBox>
#include <QTranslator>

#include <cstdio>

int main(int argc, char** argv) {
    register_meta_types();
    platform::apply_screen_scaling();
    app_name = L"Halvix";
    app_name_u8 = "Halvix";

    QApplication app(argc, argv);
    QCoreApplication::setApplicationName(QString::fromStdWString(app_name));
    QCoreApplication::setApplicationVersion(HALVIX_VERSION);
    // Logout or a service stop closes the windows as the user would, so the
    // shutdown lines are written.
    platform::on_termination_request([] { QApplication::closeAllWindows(); });

    const environment_result env = init_environment();
    if (env.data_dir_error != 0) {
        char text[4200];
        std::snprintf(text, sizeof text, "Create Directory errno:%d %s", env.data_dir_error,
                      wide_to_utf8(env.data_dir).c_str());
        QMessageBox::critical(nullptr, QString::fromStdWString(app_name), QString::fromUtf8(text));
        return 1;
    }

    QTranslator translator;
    translator.load(app_cfg.lang == 1 ? QStringLiteral(":/TOrnViewer/tornviewer_zh.qm")
                                      : QStringLiteral(":/TOrnViewer/tornviewer_en.qm"));
    QCoreApplication::installTranslator(&translator);
    if (app_cfg.lang == 1) {
        // Where SimSun is not installed, a Song-style CJK face stands in
        // rather than whatever Latin font the system would pick.
        QFont::insertSubstitutions(QStringLiteral("SimSun"), {QStringLiteral("Noto Serif CJK SC"),
                                                              QStringLiteral("Noto Sans CJK SC"),
                                                              QStringLiteral("WenQuanYi Zen Hei")});
        QFont font = QApplication::font();
        font.setFamily(QStringLiteral("SimSun"));
        QApplication::setFont(font);
    }
    retranslate_word_lists();

    platform::instance_lock instance;
    if (!instance.acquire(app_data_path, app_name)) {
        auto* box = new t_orn_msg_box(
            nullptr, app_name_u8,
            QCoreApplication::translate("main", "Software is running!").toUtf8().toStdString(),
            t_orn_msg_box::icon_critical, t_orn_msg_box::buttons_confirm);
        box->show();
        return app.exec();
    }

    auto* viewer = new TOrnViewer();
    viewer->show();
    app.exec();
    delete viewer;
    return 0;
}
