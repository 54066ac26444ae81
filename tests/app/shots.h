#pragma once
// Helpers of the screenshot tools (not tests): widgets saved as PNG files
// into one folder, each path printed, and the Chinese interface.

#include "viewer_fixture.h"

#include <cstdio>

namespace shots {

inline QString out_dir;

// Saves w as out_dir/name.png once pending events are handled.
inline void save(QWidget* widget, const QString& name) {
    const QPointer<QWidget> w(widget); // it may close while events are handled
    QApplication::processEvents();
    QTest::qWait(50);
    if (!w) {
        std::printf("missing: %s\n", qPrintable(name));
        return;
    }
    const QString path = out_dir + "/" + name + ".png";
    if (!QDir().mkpath(out_dir) || !w->grab().save(path))
        std::printf("not saved: %s\n", qPrintable(path));
    else
        std::printf("%s\n", qPrintable(path));
}

// Waits for the next message box, saves it and answers it.
inline bool save_box(const QString& name, int timeout_ms, bool confirm = true) {
    if (!QTest::qWaitFor([] { return !ui_test::msg_boxes().isEmpty(); }, timeout_ms))
        return false;
    save(ui_test::msg_boxes().first(), name);
    ui_test::answer_msg_boxes(confirm);
    return true;
}

inline void use_chinese(QTranslator& translator) {
    app_cfg.lang = 1;
    translator.load(QStringLiteral(":/TOrnViewer/tornviewer_zh.qm"));
    QCoreApplication::installTranslator(&translator);
    QFont::insertSubstitutions(QStringLiteral("SimSun"), {QStringLiteral("Noto Serif CJK SC"),
                                                          QStringLiteral("Noto Sans CJK SC")});
    retranslate_word_lists();
}

} // namespace shots
