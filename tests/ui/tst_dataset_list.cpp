// The dataset list panel: rebuild, rename with its refusals, remove and
// delete, the import button and dropped directories.
#include "ui_test_util.h"

#include "store/database.h"
#include "ui/data_list_widget.h"
#include "ui/data_rename_wodget.h"
#include "ui/kit/t_orn_msg_box.h"

#include <QtTest>
#include <QtWidgets>

#include <memory>

using namespace ui_test;

namespace {
// Drag events reach a widget only during a real drag; the test calls the
// handlers itself.
struct drop_target : data_list_widget {
    using data_list_widget::dragEnterEvent;
    using data_list_widget::dropEvent;
};
} // namespace

class tst_dataset_list : public private_data_test {
    Q_OBJECT
private:
    QString data_root_;

    data_rename_wodget* open_rename(data_list_widget& w, int row) {
        w.list_widget()->setCurrentRow(row);
        w.list_widget_rename(false);
        return top_level<data_rename_wodget>();
    }
    // Renames the dataset of the row through its dialog.
    void rename(data_list_widget& w, int row, const QString& name) {
        data_rename_wodget* dlg = open_rename(w, row);
        QVERIFY(dlg);
        dlg->line_edit()->setText(name);
        dlg->on_ok_clicked();
    }

private Q_SLOTS:
    void init() {
        private_data_test::init();
        data_root_ = tmp_->path() + "/data";
        QDir().mkpath(data_root_);
    }

    void list_newest_first_and_click_emits_record() {
        data_list_widget empty;
        QCOMPARE(empty.list_widget()->count(), 0);
        // With no rows the context menu stays closed (exec would block).
        QContextMenuEvent ev(QContextMenuEvent::Mouse, QPoint(5, 5));
        QCoreApplication::sendEvent(empty.list_widget()->viewport(), &ev);
        QVERIFY(ev.isAccepted() && !empty.menu()->isVisible());

        make_dataset(data_root_, "older", 2);
        const import_data_info newer = make_dataset(data_root_, "newer", 3);
        data_list_widget w;
        QCOMPARE(w.list_widget()->count(), 2);
        QCOMPARE(w.list_widget()->item(0)->toolTip(), QString("newer"));
        QSignalSpy spy(&w, &data_list_widget::data_list_widget_clicked);
        w.list_widget_item_clicked(w.list_widget()->item(0));
        w.list_widget_item_clicked(nullptr);
        QCOMPARE(spy.count(), 1);
        QCOMPARE(spy.at(0).at(0).value<import_data_info>().id, newer.id);
        QCOMPARE(w.shown_row(), 0);
    }

    void rename_refusals_and_length_limit() {
        make_dataset(data_root_, "alpha", 1);
        make_dataset(data_root_, "beta", 1);
        data_list_widget w;
        data_rename_wodget* dlg = open_rename(w, 0); // "beta"
        QVERIFY(dlg);
        QSignalSpy spy(dlg, &data_rename_wodget::data_naw_name);
        struct refusal {
            QString text;
            QString message;
        };
        const QList<refusal> refusals = {
            {"", "The data name cannot be empty!"},
            {"a/b", "Illegal characters found in the data name! Please modify it."},
            {"alpha", "Dataset name already exists! Please modify it."},
        };
        for (const refusal& r : refusals) {
            dlg->line_edit()->setText(r.text);
            dlg->on_ok_clicked();
            QVERIFY2(msg_box_texts().contains(r.message), qPrintable(r.text));
            QCOMPARE(answer_msg_boxes(), 1);
            QVERIFY(dlg->isVisible());
        }
        QCOMPARE(spy.count(), 0);
        dlg->line_edit()->clear();
        QTest::keyClicks(dlg->line_edit(), QString(31, QChar('n')));
        QCOMPARE(dlg->line_edit()->text().size(), 30);

        // Confirming the unchanged name just closes the dialog.
        QPointer<data_rename_wodget> guard(dlg);
        dlg->line_edit()->setText("beta");
        dlg->on_ok_clicked();
        QCOMPARE(msg_boxes().size(), 0);
        QCOMPARE(spy.count(), 0);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(guard.isNull());
    }

    void rename_moves_directory_and_reloads_only_the_shown_dataset() {
        make_dataset(data_root_, "other", 1);
        make_dataset(data_root_, "shown", 2);
        data_list_widget w;
        QSignalSpy clicks(&w, &data_list_widget::data_list_widget_clicked);
        w.list_widget_item_clicked(w.list_widget()->item(0)); // "shown"
        QCOMPARE(clicks.count(), 1);

        rename(w, 0, "renamed");
        QVERIFY(QDir(data_root_ + "/renamed").exists());
        QVERIFY(!QDir(data_root_ + "/shown").exists());
        QCOMPARE(w.list_widget()->item(0)->text(), QString("renamed"));
        QCOMPARE(clicks.count(), 2);
        const import_data_info rec = clicks.at(1).at(0).value<import_data_info>();
        QCOMPARE(QString::fromStdWString(rec.local_root), data_root_ + "/renamed");
        const std::vector<data_info> items = data_list_db_select(rec, false, false, false);
        QVERIFY(items.size() == 2 && QDir(QString::fromStdWString(items[0].data_dir)).exists());
        QVERIFY(data_import_db_name_exists(L"renamed") && !data_import_db_name_exists(L"shown"));

        // Renaming a dataset that is not shown leaves the browser alone.
        rename(w, 1, "other2");
        QCOMPARE(clicks.count(), 2);
        QVERIFY(QDir(data_root_ + "/other2").exists());

        // A newer dataset moves the shown one down; renaming still follows it.
        make_dataset(data_root_, "newest", 1);
        w.update_data_list();
        QCOMPARE(w.shown_row(), 1);
        rename(w, 0, "newest2");
        QCOMPARE(clicks.count(), 2);
        rename(w, 1, "renamed again");
        QCOMPARE(clicks.count(), 3);
        QCOMPARE(QString::fromStdWString(clicks.at(2).at(0).value<import_data_info>().name),
                 QString("renamed again"));
    }

    // A rename that fails anywhere changes nothing: the directory is gone, a
    // directory of the new name is in the way (never replaced), or the
    // database refuses the new name after the move (the directory goes back).
    void failed_rename_changes_nothing_data() {
        QTest::addColumn<int>("fault");
        QTest::newRow("directory gone") << 0;
        QTest::newRow("new name taken on disk") << 1;
        QTest::newRow("database refuses") << 2;
    }
    void failed_rename_changes_nothing() {
        QFETCH(int, fault);
        make_dataset(data_root_, "before", 1);
        data_list_widget w;
        std::unique_ptr<locked_path> lock;
        if (fault == 0)
            QDir(data_root_ + "/before").removeRecursively();
        if (fault == 1)
            QDir().mkpath(data_root_ + "/after");
        if (fault == 2)
            lock = std::make_unique<locked_path>(tmp_->path() + "/config/config.db");
        if (lock && !lock->ok())
            QSKIP("needs a database file that cannot be written");
        rename(w, 0, "after");
        QCOMPARE(answer_msg_boxes(), 1);
        QCOMPARE(QDir(data_root_ + "/before/item_0000").exists(), fault != 0);
        QCOMPARE(QDir(data_root_ + "/after").exists(), fault == 1);
        QVERIFY(QDir(data_root_ + "/after").isEmpty());
        QCOMPARE(w.list_widget()->item(0)->text(), QString("before"));
        QCOMPARE(QString::fromStdWString(w.datasets()[0].name), QString("before"));
        QCOMPARE(QString::fromStdWString(w.datasets()[0].local_root), data_root_ + "/before");
        QVERIFY(data_import_db_name_exists(L"before") && !data_import_db_name_exists(L"after"));
    }

    // Delete of a dataset whose directory cannot be deleted: it stays
    // registered, and the user is told.
    void delete_that_fails_on_disk_keeps_the_dataset() {
        const import_data_info set = make_dataset(data_root_, "stuck", 2);
        data_list_widget w;
        locked_path lock(data_root_ + "/stuck/item_0001");
        if (!lock.ok())
            QSKIP("needs a directory that cannot be deleted");
        w.list_widget()->setCurrentRow(0);
        w.list_widget_del(false);
        answer_msg_boxes(); // the confirmation
        QCOMPARE(msg_boxes().size(), 1);
        QVERIFY(msg_box_texts().join(' ').contains(data_root_ + "/stuck"));
        answer_msg_boxes();
        QCOMPARE(w.list_widget()->count(), 1);
        QCOMPARE(w.pending_row(), -1);
        QCOMPARE(data_list_db_count(set.id), 2);
        QVERIFY(!data_import_db_select_by_id(set.id).id.empty());
        QVERIFY(QDir(data_root_ + "/stuck/item_0001").exists());
    }

    void remove_keeps_files_delete_removes_them() {
        const import_data_info removed = make_dataset(data_root_, "removed", 3);
        const import_data_info deleted = make_dataset(data_root_, "deleted", 3);
        data_list_widget w;
        QSignalSpy clicks(&w, &data_list_widget::data_list_widget_clicked);

        // Closing the confirmation with its close button cancels.
        w.list_widget()->setCurrentRow(1);
        w.list_widget_del_from_list(false);
        QCOMPARE(w.pending_row(), 1);
        QVERIFY(msg_box_texts().contains("Confirm to delete a dataset from the list?"));
        msg_boxes().first()->on_close_clicked();
        QCOMPARE(w.pending_row(), -1);
        QCOMPARE(w.list_widget()->count(), 2);

        w.list_widget()->setCurrentRow(1); // "removed"
        w.list_widget_del_from_list(false);
        answer_msg_boxes();
        QCOMPARE(w.list_widget()->count(), 1);
        QVERIFY(QDir(data_root_ + "/removed/item_0000").exists());
        QCOMPARE(data_list_db_count(removed.id), 0);
        QCOMPARE(clicks.count(), 1); // the browser reloads the now empty dataset
        QCOMPARE(clicks.at(0).at(0).value<import_data_info>().id, removed.id);

        w.list_widget()->setCurrentRow(0);
        w.list_widget_del(false);
        QVERIFY(msg_box_texts().contains(
            "Confirm deletion of a dataset? The dataset is not recoverable after deletion!"));
        answer_msg_boxes();
        QCOMPARE(w.list_widget()->count(), 0);
        QVERIFY(!QDir(data_root_ + "/deleted").exists());
        QCOMPARE(data_list_db_count(deleted.id), 0);
    }

    void import_button_remembers_the_parent_directory() {
        QDir().mkpath(tmp_->path() + "/fieldwork/set_a");
        QDir().mkpath(tmp_->path() + "/fieldwork/set_b");
        data_list_widget w;
        QSignalSpy starts(&w, &data_list_widget::start_import_local_data);
        QString shown_dir;
        auto choose = [&](const QString& path) {
            QTimer::singleShot(0, [&shown_dir, path] {
                for (QWidget* top : QApplication::topLevelWidgets())
                    if (auto* dlg = qobject_cast<QFileDialog*>(top)) {
                        shown_dir = dlg->directory().absolutePath();
                        dlg->setDirectory(path);
                        QMetaObject::invokeMethod(dlg, "accept");
                    }
            });
            w.on_import_data_btn_clicked_local_data();
        };
        choose(tmp_->path() + "/fieldwork/set_a");
        QCOMPARE(w.last_import_dir(), tmp_->path() + "/fieldwork");
        QCOMPARE(starts.count(), 1);
        QCOMPARE(
            QString::fromStdWString(starts.at(0).at(0).value<std::vector<std::wstring>>().at(0)),
            tmp_->path() + "/fieldwork/set_a");
        choose(tmp_->path() + "/fieldwork/set_b");
        QCOMPARE(shown_dir, tmp_->path() + "/fieldwork");
        QCOMPARE(starts.count(), 2);
    }

    // Without a URI list a drop does nothing; local directories start the
    // import, a network one is refused with a message.
    void dropped_directories() {
        QDir().mkpath(tmp_->path() + "/new1");
        drop_target w;
        QSignalSpy starts(&w, &data_list_widget::start_import_local_data);
        auto drop = [&w](const QMimeData& data) {
            QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, {});
            enter.setAccepted(false);
            w.dragEnterEvent(&enter);
            QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, {});
            w.dropEvent(&drop);
            return enter.isAccepted();
        };
        QMimeData text, uris;
        text.setText("hello");
        uris.setUrls({QUrl::fromLocalFile(tmp_->path() + "/new1"), QUrl("smb://server/share/set")});
        QVERIFY(!drop(text));
        QCOMPARE(starts.count(), 0);
        QVERIFY(drop(uris));
        QVERIFY(msg_box_texts().contains("Only local directories are supported for data import!"));
        QCOMPARE(starts.count(), 1); // with the directory accepted before the refusal
        QCOMPARE(starts.at(0).at(0).value<std::vector<std::wstring>>(),
                 std::vector<std::wstring>{(tmp_->path() + "/new1").toStdWString()});
    }
};

QTEST_MAIN(tst_dataset_list)
#include "tst_dataset_list.moc"
