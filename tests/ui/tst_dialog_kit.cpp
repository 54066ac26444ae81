// The dialog kit: message box buttons, icons and signals, title-bar dragging,
// and the progress dialogs' texts, abort question and finish handling.

#include "ui/kit/t_orn_msg_box.h"
#include "ui/kit/t_orn_widget.h"
#include "ui/kit/task_progress_widget.h"

#include <QApplication>
#include <QDialog>
#include <QImageReader>
#include <QLabel>
#include <QMouseEvent>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QSignalSpy>
#include <QtTest>

namespace {

QPushButton* button(QWidget* w, const char* name) {
    return w->findChild<QPushButton*>(QLatin1String(name));
}

// The visible message boxes other than `except`.
QList<t_orn_msg_box*> open_boxes() {
    QList<t_orn_msg_box*> boxes;
    for (QWidget* w : QApplication::topLevelWidgets()) {
        auto* box = qobject_cast<t_orn_msg_box*>(w);
        if (box && box->isVisible())
            boxes << box;
    }
    return boxes;
}

// Sends a mouse move with an explicit global position, as a real pointer
// moving over the window while a button is held.
void move_to(QWidget* w, QPoint local, QPoint global) {
    QMouseEvent e(QEvent::MouseMove, local, global, Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(w, &e);
}

void press_at(QWidget* w, QPoint local, QPoint global, QEvent::Type type) {
    QMouseEvent e(type, local, global, Qt::LeftButton,
                  type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(w, &e);
}

QImage render_icon(const QString& path, qreal dpr) {
    QImageReader reader(path);
    reader.setScaledSize(QSize(qRound(48 * dpr), qRound(48 * dpr)));
    return reader.read().convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

} // namespace

class tst_dialog_kit : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void cleanup();

    void msg_box_buttons_data();
    void msg_box_buttons();
    void msg_box_layout_and_texts();
    void msg_box_icon_data();
    void msg_box_icon();
    void msg_box_signal_closes_data();
    void msg_box_signal_closes();
    void msg_box_keys_and_window_close();

    void drag_within_title_bar();
    void drag_below_title_bar_does_nothing();
    void drag_filter_on_other_window();
    void unplaced_window_appears_centred();

    void progress_texts_data();
    void progress_texts();
    void bar_text_formatting();
    void abort_question_cancel_keeps_running();
    void abort_question_confirm_aborts_once_data();
    void abort_question_confirm_aborts_once();
    void finish_closes_without_asking_data();
    void finish_closes_without_asking();
    void finish_while_question_open();
};

void tst_dialog_kit::cleanup() {
    for (QWidget* w : QApplication::topLevelWidgets())
        if (qobject_cast<t_orn_widget*>(w))
            delete w;
}

void tst_dialog_kit::msg_box_buttons_data() {
    QTest::addColumn<int>("buttons");
    QTest::addColumn<bool>("has_cancel");
    QTest::newRow("0: confirm and cancel") << 0 << true;
    QTest::newRow("1: confirm only") << 1 << false;
    QTest::newRow("2: confirm only") << 2 << false;
    QTest::newRow("3: confirm and cancel") << 3 << true;
    QTest::newRow("5: confirm and cancel") << 5 << true;
    QTest::newRow("-1: confirm and cancel") << -1 << true;
}

void tst_dialog_kit::msg_box_buttons() {
    QFETCH(int, buttons);
    QFETCH(bool, has_cancel);
    auto* box = new t_orn_msg_box(nullptr, "Prompt", "Text", 0, buttons);
    box->show();
    QPushButton* ok = button(box, "ok");
    QVERIFY(ok);
    QVERIFY(ok->isVisible());
    QCOMPARE(ok->text(), QStringLiteral("Confirm"));
    QPushButton* cancel = button(box, "cancle");
    QCOMPARE(cancel != nullptr && cancel->isVisible(), has_cancel);
    for (QPushButton* b : {ok, cancel}) {
        if (!b)
            continue;
        QCOMPARE(b->size(), QSize(88, 33));
        QCOMPARE(b->cursor().shape(), Qt::PointingHandCursor);
    }
    if (has_cancel) {
        QCOMPARE(cancel->text(), QStringLiteral("Cancel"));
        // Right-aligned: Cancel last, 12 px after Confirm, 36 px from the right edge.
        QCOMPARE(cancel->geometry().left() - ok->geometry().right() - 1, 12);
        QCOMPARE(box->width() - cancel->geometry().right() - 1, 36);
    } else {
        QCOMPARE(box->width() - ok->geometry().right() - 1, 36);
    }
}

void tst_dialog_kit::msg_box_layout_and_texts() {
    const std::string title = u8"Prompt \u63d0\u793a";
    const std::string text = u8"Daten gel\u00f6scht: \u6570\u636e <b>a&amp;b</b>";
    auto* box = new t_orn_msg_box(nullptr, title, text, 1, 0);
    box->show();
    QVERIFY(box->width() >= 450);
    QVERIFY(box->height() >= 200);
    QVERIFY(box->testAttribute(Qt::WA_DeleteOnClose));
    QVERIFY(box->windowFlags() & Qt::FramelessWindowHint);
    QCOMPARE(box->windowTitle(), QString::fromUtf8(title.c_str()));
    QVERIFY(!box->windowIcon().isNull());
    QCOMPARE(box->findChild<QLabel*>("title")->text(), QString::fromUtf8(title.c_str()));
    auto* text_label = box->findChild<QLabel*>("text");
    QCOMPARE(text_label->text(), QString::fromUtf8(text.c_str()));
    QVERIFY(text_label->wordWrap());
    // Names quoted in a message are not markup: the label shows the characters as given.
    QCOMPARE(text_label->textFormat(), Qt::PlainText);
    QWidget* bar = box->findChild<QWidget*>("title_bar");
    QCOMPARE(bar->geometry(), QRect(0, 0, box->width(), 40));
    QPushButton* close = button(box, "close");
    QCOMPARE(close->size(), QSize(24, 24));
    QVERIFY(bar->isAncestorOf(close));
    QCOMPARE(box->focusPolicy() & Qt::StrongFocus, Qt::StrongFocus);

    // A long text wraps instead of widening the box past the screen.
    auto* long_box = new t_orn_msg_box(nullptr, "t", std::string(2000, 'x') + " end", 0, 0);
    long_box->show();
    QVERIFY(long_box->width() < 1200);
}

void tst_dialog_kit::msg_box_icon_data() {
    QTest::addColumn<int>("icon");
    QTest::addColumn<QString>("path");
    QTest::newRow("0 information") << 0 << ":/TOrnViewer/Resources/msg_info.svg";
    QTest::newRow("1 warning") << 1 << ":/TOrnViewer/Resources/msg_warn.svg";
    QTest::newRow("2 question") << 2 << ":/TOrnViewer/Resources/msg_question.svg";
    QTest::newRow("3 critical") << 3 << ":/TOrnViewer/Resources/msg_critical.svg";
    QTest::newRow("4 none") << 4 << QString();
    QTest::newRow("-1 none") << -1 << QString();
}

void tst_dialog_kit::msg_box_icon() {
    QFETCH(int, icon);
    QFETCH(QString, path);
    auto* box = new t_orn_msg_box(nullptr, "t", "x", icon, 0);
    box->show();
    auto* label = box->findChild<QLabel*>("icon");
    QVERIFY(label);
    if (path.isEmpty()) {
        QVERIFY(!label->isVisible());
        return;
    }
    QVERIFY(label->isVisible());
    QCOMPARE(label->size(), QSize(48, 48));
    const QPixmap pm = label->pixmap(Qt::ReturnByValue);
    QVERIFY(!pm.isNull());
    const QImage shown = pm.toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied);
    QCOMPARE(shown, render_icon(path, pm.devicePixelRatioF()));
    // The four images differ, so the comparison above pins the mapping.
    for (int other = 0; other < 4; ++other)
        if (t_orn_msg_box::icon_path(other) != path)
            QVERIFY(shown != render_icon(t_orn_msg_box::icon_path(other), pm.devicePixelRatioF()));
}

void tst_dialog_kit::msg_box_signal_closes_data() {
    QTest::addColumn<int>("buttons");
    QTest::addColumn<QString>("clicked");
    QTest::addColumn<int>("expected"); // 0 msg_ok, 1 msg_cancle, 2 msg_close
    QTest::newRow("Confirm") << 0 << "ok" << 0;
    QTest::newRow("Cancel") << 0 << "cancle" << 1;
    QTest::newRow("close button") << 0 << "close" << 2;
    QTest::newRow("Confirm only box, Confirm") << 1 << "ok" << 0;
    QTest::newRow("Confirm only box, close button") << 1 << "close" << 2;
}

void tst_dialog_kit::msg_box_signal_closes() {
    QFETCH(int, buttons);
    QFETCH(QString, clicked);
    QFETCH(int, expected);
    QPointer<t_orn_msg_box> box = new t_orn_msg_box(nullptr, "t", "x", 2, buttons);
    QSignalSpy ok(box.data(), &t_orn_msg_box::msg_ok);
    QSignalSpy cancel(box.data(), &t_orn_msg_box::msg_cancle);
    QSignalSpy closed(box.data(), &t_orn_msg_box::msg_close);
    box->setWindowModality(Qt::ApplicationModal);
    box->show();
    QTest::mouseClick(button(box, qPrintable(clicked)), Qt::LeftButton);
    QCOMPARE(ok.count(), expected == 0 ? 1 : 0);
    QCOMPARE(cancel.count(), expected == 1 ? 1 : 0);
    QCOMPARE(closed.count(), expected == 2 ? 1 : 0);
    QVERIFY(!box || !box->isVisible());
    QTRY_VERIFY(box.isNull());
}

void tst_dialog_kit::msg_box_keys_and_window_close() {
    struct {
        int key; // 0: close the window directly
        int expected;
    } cases[] = {{Qt::Key_Return, 0}, {Qt::Key_Enter, 0}, {Qt::Key_Escape, 2}, {0, 2}};
    for (const auto& c : cases) {
        QPointer<t_orn_msg_box> box = new t_orn_msg_box(nullptr, "t", "x", 0, 0);
        QSignalSpy ok(box.data(), &t_orn_msg_box::msg_ok);
        QSignalSpy cancel(box.data(), &t_orn_msg_box::msg_cancle);
        QSignalSpy closed(box.data(), &t_orn_msg_box::msg_close);
        box->show();
        if (c.key)
            QTest::keyClick(box.data(), Qt::Key(c.key));
        else
            box->close();
        QCOMPARE(ok.count(), c.expected == 0 ? 1 : 0);
        QCOMPARE(cancel.count(), 0);
        QCOMPARE(closed.count(), c.expected == 2 ? 1 : 0);
        QTRY_VERIFY(box.isNull());
    }
}

void tst_dialog_kit::drag_within_title_bar() {
    auto* w = new t_orn_widget;
    w->resize(300, 200);
    w->move(100, 100);
    w->show();
    QVERIFY(QTest::qWaitForWindowExposed(w));
    const QPoint start = w->pos();
    const QPoint g0(500, 500);

    press_at(w, QPoint(10, 40), g0, QEvent::MouseButtonPress); // last row of the title bar
    QVERIFY(w->is_dragging());
    move_to(w, QPoint(40, 60), g0 + QPoint(30, 20));
    QTRY_COMPARE(w->pos(), start + QPoint(30, 20));
    move_to(w, QPoint(35, 55), g0 + QPoint(25, 15)); // movement adds up, also backwards
    QTRY_COMPARE(w->pos(), start + QPoint(25, 15));
    press_at(w, QPoint(35, 55), g0 + QPoint(25, 15), QEvent::MouseButtonRelease);
    QVERIFY(!w->is_dragging());
    move_to(w, QPoint(100, 100), g0 + QPoint(200, 200));
    QTest::qWait(10);
    QCOMPARE(w->pos(), start + QPoint(25, 15));
}

void tst_dialog_kit::drag_below_title_bar_does_nothing() {
    auto* w = new t_orn_widget;
    w->resize(300, 200);
    w->move(100, 100);
    w->show();
    QVERIFY(QTest::qWaitForWindowExposed(w));
    const QPoint start = w->pos();
    press_at(w, QPoint(10, 41), QPoint(500, 500), QEvent::MouseButtonPress);
    QVERIFY(!w->is_dragging());
    move_to(w, QPoint(50, 90), QPoint(540, 550));
    QTest::qWait(10);
    QCOMPARE(w->pos(), start);
    press_at(w, QPoint(50, 90), QPoint(540, 550), QEvent::MouseButtonRelease);

    // A press on a child inside the title bar still drags the window.
    auto* box = new t_orn_msg_box(nullptr, "title", "x", 0, 0);
    box->move(50, 50);
    box->show();
    QVERIFY(QTest::qWaitForWindowExposed(box));
    const QPoint box_start = box->pos();
    auto* title = box->findChild<QLabel*>("title");
    QTest::mousePress(title, Qt::LeftButton, {}, QPoint(2, 2));
    QVERIFY(box->is_dragging());
    move_to(box, QPoint(20, 20), box->mapToGlobal(title->mapTo(box, QPoint(2, 2))) + QPoint(7, 9));
    QTRY_COMPARE(box->pos(), box_start + QPoint(7, 9));
}

void tst_dialog_kit::drag_filter_on_other_window() {
    QDialog dialog(nullptr, Qt::FramelessWindowHint);
    title_bar_drag_filter::install(&dialog);
    dialog.resize(300, 200);
    dialog.move(100, 100);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    const QPoint start = dialog.pos();
    press_at(&dialog, QPoint(5, 41), QPoint(300, 300), QEvent::MouseButtonPress);
    move_to(&dialog, QPoint(5, 60), QPoint(300, 320));
    QTest::qWait(10);
    QCOMPARE(dialog.pos(), start);
    press_at(&dialog, QPoint(5, 60), QPoint(300, 320), QEvent::MouseButtonRelease);

    press_at(&dialog, QPoint(5, 0), QPoint(300, 300), QEvent::MouseButtonPress);
    move_to(&dialog, QPoint(5, 0), QPoint(290, 340));
    QTRY_COMPARE(dialog.pos(), start + QPoint(-10, 40));
    press_at(&dialog, QPoint(5, 0), QPoint(290, 340), QEvent::MouseButtonRelease);
}

void tst_dialog_kit::unplaced_window_appears_centred() {
    auto* box = new t_orn_msg_box(nullptr, "t", "x", 0, 0);
    box->show();
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    QVERIFY((box->frameGeometry().center() - screen.center()).manhattanLength() <= 2);

    auto* placed = new t_orn_msg_box(nullptr, "t", "x", 0, 0);
    placed->move(7, 9);
    placed->show();
    QCOMPARE(placed->pos(), QPoint(7, 9));
}

void tst_dialog_kit::progress_texts_data() {
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("prefix");
    QTest::newRow("delete") << 0 << "Deleting a dataset"
                            << "Deleting a dataset...";
    QTest::newRow("import") << 1 << "Importing local data"
                            << "Importing local data...";
    QTest::newRow("upgrade") << 2 << "Device upgrade"
                             << "Upload firmware...";
}

namespace {
task_progress_widget* make_progress(int kind) {
    switch (kind) {
    case 0:
        return new delete_data_progress_widget;
    case 1:
        return new import_local_data_progress_widget;
    default:
        return new device_update_progress_widget;
    }
}
} // namespace

void tst_dialog_kit::progress_texts() {
    QFETCH(int, kind);
    QFETCH(QString, title);
    QFETCH(QString, prefix);
    task_progress_widget* w = make_progress(kind);
    w->show();
    QCOMPARE(w->size(), QSize(500, 120));
    QCOMPARE(w->minimumSize(), w->maximumSize());
    QCOMPARE(w->findChild<QLabel*>("title")->text(), title);
    auto* bar = w->findChild<QProgressBar*>();
    QVERIFY(bar);
    QCOMPARE(bar->minimum(), 0);
    QCOMPARE(bar->maximum(), 100);

    const struct {
        double v;
        int value;
        const char* number;
    } steps[] = {{0.5, 50, "50.0"},   {0.0, 0, "0.0"},     {0.1234, 12, "12.3"},
                 {0.999, 99, "99.9"}, {1.0, 100, "100.0"}, {0.0049, 0, "0.5"}};
    for (const auto& s : steps) {
        w->update_progress_value(s.v);
        QCOMPARE(bar->value(), s.value);
        QCOMPARE(bar->text(), prefix + QLatin1String(s.number) + QLatin1Char('%'));
    }
    // Values out of range keep the bar inside its range.
    w->update_progress_value(1.7);
    QCOMPARE(bar->value(), 100);
    w->update_progress_value(-0.2);
    QCOMPARE(bar->value(), 0);
    w->update_progress_value(std::numeric_limits<double>::quiet_NaN());
    QCOMPARE(bar->value(), 0);
}

void tst_dialog_kit::bar_text_formatting() {
    auto fmt = &task_progress_widget::format_bar_text;
    QCOMPARE(fmt("Processing progress...%.1f%%", 50),
             QStringLiteral("Processing progress...50.0%"));
    QCOMPARE(fmt(QString::fromUtf8(u8"\u8fdb\u5ea6 %.1f%%"), 7.25),
             QString::fromUtf8(u8"\u8fdb\u5ea6 7.2%")); // printf rounding of 7.25
    QCOMPARE(fmt("%.2f of 100%%", 3.14159), QStringLiteral("3.14 of 100%"));
    QCOMPARE(fmt("%f", 1.5), QStringLiteral("1.500000"));
    // A faulty translation cannot make the text read memory: extra or foreign
    // conversions stay as written.
    QCOMPARE(fmt("%s %d %.1f %.1f %", 5), QStringLiteral("%s %d 5.0 %.1f %"));
    QCOMPARE(fmt("no number", 5), QStringLiteral("no number"));
    // Bounded to 127 characters like the original text buffer.
    QCOMPARE(fmt(QString(300, QLatin1Char('a')) + "%.1f", 5).size(), 127);
}

void tst_dialog_kit::abort_question_cancel_keeps_running() {
    QPointer<task_progress_widget> w = new import_local_data_progress_widget;
    QSignalSpy abort(w.data(), &task_progress_widget::task_abort);
    w->setWindowModality(Qt::ApplicationModal);
    w->show();
    QTest::mouseClick(button(w, "close"), Qt::LeftButton);
    QList<t_orn_msg_box*> boxes = open_boxes();
    QCOMPARE(boxes.size(), 1);
    t_orn_msg_box* box = boxes.first();
    QCOMPARE(box->findChild<QLabel*>("title")->text(), QStringLiteral("Prompt"));
    QCOMPARE(box->findChild<QLabel*>("text")->text(),
             QStringLiteral("Confirm to terminate the import?"));
    QCOMPARE(box->windowModality(), Qt::ApplicationModal);
    QVERIFY(button(box, "cancle"));
    const QPixmap icon = box->findChild<QLabel*>("icon")->pixmap(Qt::ReturnByValue);
    QCOMPARE(icon.toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied),
             render_icon(t_orn_msg_box::icon_path(t_orn_msg_box::icon_question),
                         icon.devicePixelRatioF()));

    QTest::mouseClick(button(box, "cancle"), Qt::LeftButton);
    QTest::qWait(10);
    QVERIFY(w);
    QVERIFY(w->isVisible());
    QVERIFY(!w->is_finished());
    QCOMPARE(abort.count(), 0);
    w->update_progress_value(0.25); // the task goes on reporting
    QCOMPARE(w->findChild<QProgressBar*>()->value(), 25);

    // Dismissing with the question's own close button also keeps it running.
    w->close();
    QVERIFY(w->isVisible());
    QCOMPARE(open_boxes().size(), 1);
    QTest::mouseClick(button(open_boxes().first(), "close"), Qt::LeftButton);
    QTest::qWait(10);
    QVERIFY(w && w->isVisible());
    QCOMPARE(abort.count(), 0);
}

void tst_dialog_kit::abort_question_confirm_aborts_once_data() {
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("question");
    QTest::newRow("delete") << 0 << "Confirm to terminate of data deletion?";
    QTest::newRow("import") << 1 << "Confirm to terminate the import?";
    QTest::newRow("upgrade") << 2 << "Device upgrade abort?";
}

void tst_dialog_kit::abort_question_confirm_aborts_once() {
    QFETCH(int, kind);
    QFETCH(QString, question);
    QPointer<task_progress_widget> w = make_progress(kind);
    QSignalSpy abort(w.data(), &task_progress_widget::task_abort);
    w->show();
    // Closing the window asks like the close button; asking again while the
    // question is open does not stack a second one.
    w->close();
    QVERIFY(w->isVisible());
    QTest::mouseClick(button(w, "close"), Qt::LeftButton);
    w->on_close_clicked();
    QCOMPARE(open_boxes().size(), 1);
    QCOMPARE(open_boxes().first()->findChild<QLabel*>("text")->text(), question);
    QTest::mouseClick(button(open_boxes().first(), "ok"), Qt::LeftButton);
    QCOMPARE(abort.count(), 1);
    QTRY_VERIFY(w.isNull());
    QCOMPARE(abort.count(), 1);
    QVERIFY(open_boxes().isEmpty());
}

void tst_dialog_kit::finish_closes_without_asking_data() {
    QTest::addColumn<int>("kind");
    QTest::newRow("delete") << 0;
    QTest::newRow("import") << 1;
    QTest::newRow("upgrade") << 2;
}

void tst_dialog_kit::finish_closes_without_asking() {
    QFETCH(int, kind);
    QPointer<task_progress_widget> w = make_progress(kind);
    QSignalSpy abort(w.data(), &task_progress_widget::task_abort);
    w->show();
    w->update_progress_value(0.4);
    if (auto* d = qobject_cast<delete_data_progress_widget*>(w))
        d->delete_data_finish(true, "done", false);
    else if (auto* i = qobject_cast<import_local_data_progress_widget*>(w))
        i->import_finish(false, "failed");
    else
        qobject_cast<device_update_progress_widget*>(w)->update_finish(true, std::string());
    QVERIFY(open_boxes().isEmpty());
    QTRY_VERIFY(w.isNull());
    QCOMPARE(abort.count(), 0);
}

void tst_dialog_kit::finish_while_question_open() {
    // The task ends while the user is still reading the abort question: the
    // dialog closes, the question goes with it and nothing is aborted.
    QPointer<delete_data_progress_widget> w = new delete_data_progress_widget;
    QSignalSpy abort(w.data(), &task_progress_widget::task_abort);
    w->show();
    w->on_close_clicked();
    QCOMPARE(open_boxes().size(), 1);
    QPointer<t_orn_msg_box> box = open_boxes().first();
    w->delete_data_finish(true, std::string(), true);
    QTRY_VERIFY(w.isNull());
    QTRY_VERIFY(box.isNull());
    QCOMPARE(abort.count(), 0);
}

QTEST_MAIN(tst_dialog_kit)
#include "tst_dialog_kit.moc"
