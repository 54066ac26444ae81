// The dialog kit: message box buttons, answers and icons, title-bar dragging,
// and the progress dialogs' texts, abort question and finish handling; every
// image the program refers to by resource path is present and decodes, and
// the copies Qt picks on scaled displays are twice the size.

#include "ui_test_util.h"

#include "ui/kit/t_orn_msg_box.h"
#include "ui/kit/t_orn_widget.h"
#include "ui/kit/task_progress_widget.h"

#include <QtTest>
#include <QtWidgets>

#include <memory>

using ui_test::msg_boxes;

namespace {

QPushButton* button(QWidget* w, const QString& name) {
    return w->findChild<QPushButton*>(name);
}

// A mouse event with an explicit global position, as a real pointer sends.
void mouse(QWidget* w, QEvent::Type type, QPoint local, QPoint global) {
    const Qt::MouseButton b = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
    const Qt::MouseButtons held =
        type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton;
    QMouseEvent e(type, local, global, b, held, Qt::NoModifier);
    QApplication::sendEvent(w, &e);
}

// The four progress dialogs: title, bar text and abort question.
const struct {
    const char* title;
    const char* prefix;
    const char* question;
} kinds[] = {
    {"Deleting a dataset", "Deleting a dataset...", "Confirm to terminate of data deletion?"},
    {"Importing local data", "Importing local data...", "Confirm to terminate the import?"},
    {"Device upgrade", "Upload firmware...", "Device upgrade abort?"},
    {"Generate report", "Report generation in progress...",
     "Confirm termination of report generation?"}};

task_progress_widget* make_progress(int kind) {
    if (kind == 0)
        return new delete_data_progress_widget;
    if (kind == 1)
        return new import_local_data_progress_widget;
    if (kind == 3)
        return new report_progress_widget;
    return new device_update_progress_widget;
}

// Ends the dialog's task as its worker does.
void finish(task_progress_widget* w) {
    if (auto* d = qobject_cast<delete_data_progress_widget*>(w))
        d->delete_data_finish(true, "done", false);
    else if (auto* i = qobject_cast<import_local_data_progress_widget*>(w))
        i->import_finish(false, "failed");
    else if (auto* r = qobject_cast<report_progress_widget*>(w))
        r->gen_report_finish(L"/tmp/x.docx", true, std::string());
    else
        qobject_cast<device_update_progress_widget*>(w)->update_finish(true, std::string());
}

// The dialog's abort signal: the report's own, task_abort for the others.
std::unique_ptr<QSignalSpy> abort_spy(task_progress_widget* w) {
    if (auto* r = qobject_cast<report_progress_widget*>(w))
        return std::make_unique<QSignalSpy>(r, &report_progress_widget::report_abort);
    return std::make_unique<QSignalSpy>(w, &task_progress_widget::task_abort);
}

} // namespace

class tst_dialog_kit : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void cleanup() {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (qobject_cast<t_orn_widget*>(w))
                delete w;
    }

    void msg_box_answer_data() {
        QTest::addColumn<int>("buttons");
        QTest::addColumn<QString>("action"); // a button's name, "key <name>" or "window"
        QTest::addColumn<int>("signal");     // 0 msg_ok, 1 msg_cancle, 2 msg_close, -1 no button
        QTest::newRow("0: Confirm") << 0 << "ok" << 0;
        QTest::newRow("0: Cancel") << 0 << "cancle" << 1;
        QTest::newRow("0: close button") << 0 << "close" << 2;
        QTest::newRow("1: no Cancel") << 1 << "cancle" << -1;
        QTest::newRow("2: no Cancel") << 2 << "cancle" << -1;
        QTest::newRow("3: Cancel") << 3 << "cancle" << 1;
        QTest::newRow("-1: Cancel") << -1 << "cancle" << 1;
        QTest::newRow("Return") << 0 << "key Return" << 0;
        QTest::newRow("Enter") << 0 << "key Enter" << 0;
        QTest::newRow("Escape") << 0 << "key Esc" << 2;
        QTest::newRow("window closed") << 0 << "window" << 2;
    }
    void msg_box_answer() {
        QFETCH(int, buttons);
        QFETCH(QString, action);
        QFETCH(int, signal);
        QPointer<t_orn_msg_box> box = new t_orn_msg_box(nullptr, "t", "x", 2, buttons);
        QSignalSpy ok(box.data(), &t_orn_msg_box::msg_ok);
        QSignalSpy cancel(box.data(), &t_orn_msg_box::msg_cancle);
        QSignalSpy closed(box.data(), &t_orn_msg_box::msg_close);
        box->show();
        QCOMPARE(button(box, "ok")->text(), QStringLiteral("Confirm"));
        if (action == "window") {
            box->close();
        } else if (action.startsWith("key ")) {
            QTest::keyClick(box.data(), Qt::Key(QKeySequence(action.mid(4))[0]));
        } else {
            QPushButton* b = button(box, action);
            if (signal < 0) {
                QVERIFY(!b || !b->isVisible());
                return;
            }
            QVERIFY(b && b->isVisible());
            QTest::mouseClick(b, Qt::LeftButton);
        }
        QCOMPARE(QList<int>({ok.count(), cancel.count(), closed.count()}),
                 QList<int>({signal == 0, signal == 1, signal == 2}));
        QTRY_VERIFY(box.isNull());
    }

    void msg_box_shows_texts_as_written() {
        const std::string title = u8"Prompt \u63d0\u793a";
        const std::string text =
            u8"Daten gel\u00f6scht: \u6570\u636e <b>a&amp;b</b> " + std::string(2000, 'x') + " end";
        auto* box = new t_orn_msg_box(nullptr, title, text, 1, 0);
        box->show();
        QCOMPARE(box->windowTitle(), QString::fromStdString(title));
        QCOMPARE(box->findChild<QLabel*>("title")->text(), QString::fromStdString(title));
        auto* label = box->findChild<QLabel*>("text");
        QCOMPARE(label->text(), QString::fromStdString(text));
        // Names quoted in a message are not markup.
        QCOMPARE(label->textFormat(), Qt::PlainText);
        // A long text wraps instead of widening the box past the screen.
        QVERIFY(box->width() < 1200);
        QVERIFY(label->heightForWidth(label->width()) > 2 * label->fontMetrics().height());
    }

    void msg_box_icon_data() {
        QTest::addColumn<int>("icon");
        QTest::addColumn<QString>("path");
        QTest::newRow("0 information") << 0 << ":/TOrnViewer/Resources/msg_info.svg";
        QTest::newRow("1 warning") << 1 << ":/TOrnViewer/Resources/msg_warn.svg";
        QTest::newRow("2 question") << 2 << ":/TOrnViewer/Resources/msg_question.svg";
        QTest::newRow("3 critical") << 3 << ":/TOrnViewer/Resources/msg_critical.svg";
        QTest::newRow("4 none") << 4 << QString();
    }
    void msg_box_icon() {
        QFETCH(int, icon);
        QFETCH(QString, path);
        auto* box = new t_orn_msg_box(nullptr, "t", "x", icon, 0);
        box->show();
        auto* label = box->findChild<QLabel*>("icon");
        QCOMPARE(label->isVisible(), !path.isEmpty());
        if (path.isEmpty())
            return;
        // Drawn from the vector image at the device's pixel size.
        const QPixmap pm = label->pixmap(Qt::ReturnByValue);
        QImageReader reader(path);
        reader.setScaledSize(QSize(48, 48) * pm.devicePixelRatioF());
        QCOMPARE(pm.toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied),
                 reader.read().convertToFormat(QImage::Format_ARGB32_Premultiplied));
    }

    void drag_by_the_title_bar_data() {
        QTest::addColumn<bool>("child"); // pressed on the message box's title, not the window
        QTest::addColumn<int>("y");
        QTest::addColumn<bool>("drags");
        QTest::newRow("last row of the title bar") << false << 40 << true;
        QTest::newRow("below the title bar") << false << 41 << false;
        QTest::newRow("a child inside the title bar") << true << 2 << true;
    }
    void drag_by_the_title_bar() {
        QFETCH(bool, child);
        QFETCH(int, y);
        QFETCH(bool, drags);
        QWidget* w = child ? new t_orn_msg_box(nullptr, "title", "x", 0, 0) : new t_orn_widget;
        QWidget* pressed = child ? w->findChild<QLabel*>("title") : w;
        w->resize(500, 300);
        w->move(100, 100);
        w->show();
        QVERIFY(QTest::qWaitForWindowExposed(w));
        const QPoint start = w->pos();
        const QPoint g0(500, 500);
        mouse(pressed, QEvent::MouseButtonPress, QPoint(10, y), g0);
        mouse(w, QEvent::MouseMove, QPoint(40, 60), g0 + QPoint(30, 20));
        mouse(w, QEvent::MouseMove, QPoint(35, 55), g0 + QPoint(25, 15)); // adds up, also back
        const QPoint moved = drags ? QPoint(25, 15) : QPoint();
        QTRY_COMPARE(w->pos(), start + moved);
        mouse(w, QEvent::MouseButtonRelease, QPoint(35, 55), g0 + QPoint(25, 15));
        mouse(w, QEvent::MouseMove, QPoint(100, 100), g0 + QPoint(200, 200));
        QTest::qWait(10);
        QCOMPARE(w->pos(), start + moved);
    }

    void unplaced_window_appears_centred() {
        auto* box = new t_orn_msg_box(nullptr, "t", "x", 0, 0);
        box->show();
        const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
        QVERIFY((box->frameGeometry().center() - screen.center()).manhattanLength() <= 2);
        auto* placed = new t_orn_msg_box(nullptr, "t", "x", 0, 0);
        placed->move(7, 9);
        placed->show();
        QCOMPARE(placed->pos(), QPoint(7, 9));
    }

    void progress_texts() {
        for (int kind = 0; kind < 4; ++kind) {
            std::unique_ptr<task_progress_widget> w(make_progress(kind));
            QCOMPARE(w->findChild<QLabel*>("title")->text(), QString(kinds[kind].title));
            auto* bar = w->findChild<QProgressBar*>();
            const double nan = std::numeric_limits<double>::quiet_NaN();
            // Values out of range keep the bar and its text inside the range.
            const struct {
                double v;
                int value;
                const char* number;
            } steps[] = {{0.5, 50, "50.0"},   {0.0, 0, "0.0"},     {0.1234, 12, "12.3"},
                         {0.999, 99, "99.9"}, {1.0, 100, "100.0"}, {0.0049, 0, "0.5"},
                         {1.7, 100, "100.0"}, {-0.2, 0, "0.0"},    {nan, 0, "0.0"}};
            for (const auto& s : steps) {
                w->update_progress_value(s.v);
                QCOMPARE(bar->value(), s.value);
                QCOMPARE(bar->text(), kinds[kind].prefix + QLatin1String(s.number) + '%');
            }
        }
    }

    void bar_text_formatting() {
        auto fmt = &task_progress_widget::format_bar_text;
        QCOMPARE(fmt("Processing progress...%.1f%%", 50),
                 QStringLiteral("Processing progress...50.0%"));
        QCOMPARE(fmt(QString::fromUtf8(u8"\u8fdb\u5ea6 %.1f%%"), 7.25),
                 QString::fromUtf8(u8"\u8fdb\u5ea6 7.2%")); // printf rounding of 7.25
        QCOMPARE(fmt("%.2f of 100%%", 3.14159), QStringLiteral("3.14 of 100%"));
        // A faulty translation cannot make the text read memory: extra or foreign
        // conversions stay as written.
        QCOMPARE(fmt("%s %d %.1f %.1f %", 5), QStringLiteral("%s %d 5.0 %.1f %"));
        QCOMPARE(fmt("no number", 5), QStringLiteral("no number"));
        // Bounded to 127 characters like the original text buffer.
        QCOMPARE(fmt(QString(300, QLatin1Char('a')) + "%.1f", 5).size(), 127);
    }

    // The close button asks before aborting (closing the window asks the
    // same, and asking again does not stack a second question). The answer
    // aborts or lets the task go on; a task that ends first closes the dialog
    // and takes the question with it.
    void abort_question_data() {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("answer"); // a button of the question, or "finish"
        for (int kind = 0; kind < 4; ++kind) {
            QTest::newRow(qPrintable(QString(kinds[kind].title) + ", Confirm")) << kind << "ok";
            QTest::newRow(qPrintable(QString(kinds[kind].title) + ", done")) << kind << "finish";
        }
        QTest::newRow("import, Cancel") << 1 << "cancle";
        QTest::newRow("import, close button") << 1 << "close";
    }
    void abort_question() {
        QFETCH(int, kind);
        QFETCH(QString, answer);
        QPointer<task_progress_widget> w = make_progress(kind);
        QSignalSpy task_abort(w.data(), &task_progress_widget::task_abort);
        const std::unique_ptr<QSignalSpy> abort = abort_spy(w);
        w->show();
        w->close();
        QVERIFY(w->isVisible());
        QTest::mouseClick(button(w, "close"), Qt::LeftButton);
        w->on_close_clicked();
        QCOMPARE(msg_boxes().size(), 1);
        t_orn_msg_box* box = msg_boxes().first();
        QCOMPARE(box->findChild<QLabel*>("text")->text(), QString(kinds[kind].question));
        QCOMPARE(box->windowModality(), Qt::ApplicationModal);
        if (answer == "finish")
            finish(w);
        else
            QTest::mouseClick(button(box, answer), Qt::LeftButton);
        QTRY_VERIFY(msg_boxes().isEmpty());
        if (answer == "ok" || answer == "finish") {
            QTRY_VERIFY(w.isNull());
            const int aborts = answer == "ok" ? 1 : 0;
            QCOMPARE(abort->count(), aborts);
            QCOMPARE(task_abort.count(), kind == 3 ? 0 : aborts); // the report has its own signal
            return;
        }
        // The task goes on and keeps reporting.
        QTest::qWait(10);
        QVERIFY(w && w->isVisible() && !w->is_finished());
        QCOMPARE(abort->count(), 0);
        w->update_progress_value(0.25);
        QCOMPARE(w->findChild<QProgressBar*>()->value(), 25);
    }

    void image_loads_data() {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QSize>("size"); // expected size; empty when any size will do
        const QString torn = QStringLiteral(":/TOrnViewer/Resources/");
        for (const char* name :
             {"app_logo.ico", "app_logo.png", "dataset.png", "down0.png", "up0.png", "folder.png",
              "msg_critical.svg", "msg_info.svg", "msg_question.svg", "msg_warn.svg",
              "path_explorer.png", "preview_list_background.png", "search.png"})
            QTest::newRow(name) << torn + name << QSize();
        QTest::newRow("close.png") << torn + "close.png" << QSize(24, 24);
        QTest::newRow("max.png") << torn + "max.png" << QSize(24, 24);
        QTest::newRow("preview_play.png") << torn + "preview_play.png" << QSize(50, 50);
        for (const char* name :
             {"close", "max", "up0", "down0", "path_explorer", "search", "preview_play"})
            QTest::newRow(qPrintable(name + QString("@2x"))) << torn + name + "@2x.png" << QSize();
        for (const char* name : {"app_logo.png", "logo.png", "center_mark.png"})
            QTest::newRow(name) << QStringLiteral(":/Halvix/Resources/") + name << QSize();
    }
    void image_loads() {
        QFETCH(QString, path);
        QFETCH(QSize, size);
        QImageReader reader(path);
        const QImage img = reader.read();
        QVERIFY2(!img.isNull(), qPrintable(path + ": " + reader.errorString()));
        if (size.isValid())
            QCOMPARE(img.size(), size);
        if (path.contains("@2x")) // or widgets laid out for the base size break
            QCOMPARE(img.size(), QImage(QString(path).remove("@2x")).size() * 2);
        // Every image is drawn over a coloured or white background.
        QVERIFY(img.hasAlphaChannel());
        QVERIFY(!QIcon(path).pixmap(24, 24).isNull());
    }
};

QTEST_MAIN(tst_dialog_kit)
#include "tst_dialog_kit.moc"
