// Worker tasks driven from the main window: delete and remove of items
// (selected or all, on every page), the local import with its progress
// dialog and finish box.
#include "viewer_fixture.h"

#include "sample_sets.h"

using namespace ui_test;

class tst_mainwindow_tasks : public private_data_test {
    Q_OBJECT
    static bool progress_open() { return top_level<task_progress_widget>() != nullptr; }
    // Confirms the question and waits until the task's dialog has gone.
    static bool confirm_and_wait() {
        if (answer_msg_boxes() != 1)
            return false;
        return QTest::qWaitFor([] { return !progress_open(); }, 20000);
    }
    static int count_dirs(const QString& path) {
        return QDir(path).entryList(QDir::Dirs | QDir::NoDotAndDotDot).size();
    }

private Q_SLOTS:
    void select_all_delete_removes_every_item_on_all_pages() {
        const import_data_info big = make_dataset(tmp_->path(), "big", 230);
        make_dataset(tmp_->path(), "other", 3);
        auto w = start_viewer();
        QVERIFY(click_dataset(*w, row_of(*w, "big")));
        QVERIFY(wait_tiles(*w, 100));

        // Nothing checked: refused.
        w->on_delete_btn_clicked(true);
        QVERIFY(msg_box_texts().contains("Please select the data you want to delete/remove!"));
        answer_msg_boxes();

        w->tool_bar()->select_all_box()->setChecked(true);
        QVERIFY(w->tile(99)->is_checked());
        w->on_delete_btn_clicked(true);
        QVERIFY(msg_box_texts().contains(
            "Confirm deletion of a dataset? The dataset is not recoverable after deletion!"));
        QVERIFY(confirm_and_wait());
        QVERIFY(QTest::qWaitFor([&] { return w->dataset_list()->list_widget()->count() == 1; }));
        QCOMPARE(std::make_tuple(data_list_db_count(big.id), data_import_db_select_by_id(big.id).id,
                                 QDir(tmp_->filePath("big")).exists(),
                                 QDir(tmp_->filePath("other")).exists()),
                 std::make_tuple(0, std::string(), false, true));
        QVERIFY(QTest::qWaitFor([&] { return w->is_ready() && w->item_count() == 0; }));
        w->tool_bar()->select_all_box()->setChecked(false);
    }

    // The worker on the test thread, so the abort lands exactly after the
    // second item; the array it was handed is replaced after each item (as
    // when another dataset is chosen after an abort). It deletes what it was
    // handed, keeps the rest and still finishes.
    void aborted_delete_works_on_its_own_copy_and_keeps_the_rest() {
        const import_data_info set = make_dataset(tmp_->path(), "set", 10);
        const import_data_info other = make_dataset(tmp_->path(), "other", 10);
        std::vector<data_info> items = data_list_db_select(set, false, false, false);
        const std::vector<data_info> others = data_list_db_select(other, false, false, false);
        std::vector<int> selection;
        orn_func_obj worker(100, nullptr);
        QSignalSpy finish(&worker, &orn_func_obj::delete_data_finish);
        int progress = 0;
        connect(&worker, &orn_func_obj::delete_data_progress, &worker, [&](double) {
            items = others; // same size: in place
            if (++progress == 2)
                worker.abort_delete_data();
        });
        worker.abort_delete_data(); // a stale flag from before is cleared on entry
        worker.delete_data(&items, &selection, true);
        QCOMPARE(progress, 2);
        QCOMPARE(finish.count(), 1);
        QCOMPARE(finish.at(0).at(0).toBool(), true);
        QCOMPARE(finish.at(0).at(2).toBool(), false); // the dataset still has items
        QCOMPARE(data_list_db_count(set.id), 8);
        QCOMPARE(count_dirs(tmp_->path() + "/set"), 8);
        QCOMPARE(data_list_db_count(other.id), 10);
        QCOMPARE(count_dirs(tmp_->path() + "/other"), 10);
    }

    // A search result spans datasets: a delete searches again, and removing
    // the last items of one must drop it from the dataset list, or it would
    // show an empty page and its Delete would take the directory that Remove
    // promised to keep.
    void deletes_in_search_mode_search_again_and_drop_emptied_datasets() {
        const import_data_info s1 = make_dataset(tmp_->path(), "s1", 2);
        make_dataset(tmp_->path(), "s2", 4);
        auto w = start_viewer();
        w->tool_bar()->search_btn()->click();
        QVERIFY(wait_tiles(*w, 6));
        int s2_tile = 0;
        while (w->tile(s2_tile)->data().data_import_id == s1.id)
            ++s2_tile;
        w->tile(s2_tile)->set_checked(true);
        const QString dir = QString::fromStdWString(w->tile(s2_tile)->data().data_dir);
        w->on_delete_btn_clicked(true);
        QVERIFY(confirm_and_wait());
        QVERIFY(QTest::qWaitFor([&] { return w->tile_count() == 5 && w->item_count() == 5; }));
        QVERIFY(w->in_search_mode());
        QVERIFY(!QDir(dir).exists());

        for (int row = 0; row < w->tile_count(); ++row)
            w->tile(row)->set_checked(w->tile(row)->data().data_import_id == s1.id);
        w->on_delete_btn_clicked(false);
        QVERIFY(confirm_and_wait());
        QVERIFY(QTest::qWaitFor([&] { return w->tile_count() == 3 && w->is_ready(); }));
        QCOMPARE(std::make_tuple(w->in_search_mode(), w->dataset_list()->list_widget()->count(),
                                 row_of(*w, "s2"), count_dirs(tmp_->filePath("s1"))),
                 std::make_tuple(true, 1, 0, 2));
    }

    // An item whose directory cannot be deleted stays listed, and the user is
    // told; the others go.
    void item_whose_directory_stays_keeps_its_row_and_says_so() {
        const import_data_info set = make_dataset(tmp_->path(), "set", 3);
        std::vector<data_info> items = data_list_db_select(set, false, false, false);
        const QString stuck = QString::fromStdWString(items[1].data_dir);
        locked_path lock(stuck);
        if (!lock.ok())
            QSKIP("needs a directory that cannot be deleted (chattr or chmod)");
        std::vector<int> all;
        orn_func_obj worker(100, nullptr);
        QSignalSpy finish(&worker, &orn_func_obj::delete_data_finish);
        worker.delete_data(&items, &all, true);
        QCOMPARE(finish.count(), 1);
        QCOMPARE(std::make_tuple(finish[0][0].toBool(), finish[0][1].value<std::string>().empty(),
                                 finish[0][2].toBool()),
                 std::make_tuple(false, false, false));
        const std::vector<data_info> left = data_list_db_select(set, false, false, false);
        QCOMPARE(left.size(), size_t(1));
        QCOMPARE(QString::fromStdWString(left[0].data_dir), stuck);
        QCOMPARE(std::make_pair(QDir(stuck).exists(), count_dirs(tmp_->filePath("set"))),
                 std::make_pair(true, 1));
    }

    void local_import_from_the_gui() {
        const QString root = tmp_->path() + "/field_set";
        QCOMPARE(generate_sample_set(root.toStdWString(), small_set(6, 2)), 0);
        auto w = start_viewer();
        QCOMPARE(w->dataset_list()->list_widget()->count(), 0);
        w->start_import_local_data({root.toStdWString()});
        QVERIFY(progress_open());
        QVERIFY(QTest::qWaitFor([] { return !msg_boxes().isEmpty(); }, 20000));
        QVERIFY(!progress_open());
        QVERIFY(msg_box_texts().contains("Local data import completed!"));
        answer_msg_boxes();
        QCOMPARE(w->dataset_list()->list_widget()->count(), 1);
        QVERIFY(click_dataset(*w, 0));
        QVERIFY(wait_tiles(*w, 6));
        // Tiles show the pictures of the generated items.
        QVERIFY(!w->tile(0)->picture()->image().isNull());
        // A tile opens the detail view of its item.
        w->tile(1)->open_detail();
        QWidget* detail = top_level<data_detail_widget>();
        QVERIFY(detail && detail->windowModality() == Qt::ApplicationModal);
        close_dialogs(); // before the analysis worker ends with the window
    }
};

QTEST_MAIN(tst_mainwindow_tasks)
#include "tst_mainwindow_tasks.moc"
