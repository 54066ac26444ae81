// The data browser driven through the real main window and its worker
// thread: pages, push paging, the ready flag, filters per writer type,
// search, a small screen and the window's menu.
#include "viewer_fixture.h"

#include "ui/lang_setting_widget.h"

#include <QContextMenuEvent>
#include <QMenu>
#include <QScreen>
#include <QScrollBar>
#include <QWheelEvent>

using namespace ui_test;

class tst_mainwindow_browser : public private_data_test {
    Q_OBJECT
    static void push(TOrnViewer& w, bool forward, int times) {
        for (int i = 0; i < times; ++i)
            w.preview_list_scroll_action(forward ? QAbstractSlider::SliderSingleStepAdd
                                                 : QAbstractSlider::SliderSingleStepSub);
    }
    static void to_bottom(TOrnViewer& w) {
        QScrollBar* bar = w.preview_list()->verticalScrollBar();
        bar->setValue(bar->maximum());
        w.preview_list_scroll_value_change(bar->maximum());
    }

private Q_SLOTS:
    void pages_of_250_and_push_paging() {
        make_dataset(tmp_->path(), "big", 250);
        auto w = start_viewer();
        QVERIFY(click_dataset(*w, 0));
        QCOMPARE(std::make_pair(w->item_count(), w->page_num_max()), std::make_pair(250, 2));
        QVERIFY(wait_tiles(*w, 100) && w->tile(0)->index() == 0);

        // Five pushes past the end change nothing; the sixth turns the page.
        to_bottom(*w);
        push(*w, true, 5);
        QCOMPARE(w->page_index(), 0);
        push(*w, true, 1);
        QCOMPARE(w->page_index(), 1);
        QVERIFY(wait_tiles(*w, 100) && w->tile(0)->index() == 100);

        // Tiles of a later page follow "Select all".
        w->tool_bar()->select_all_box()->setChecked(true);
        to_bottom(*w);
        push(*w, true, 6);
        QCOMPARE(w->page_index(), 2);
        QVERIFY(wait_tiles(*w, 50) && w->tile(49)->index() == 249);
        QVERIFY(w->tile(0)->is_checked() && w->tile(49)->is_checked());
        w->tool_bar()->select_all_box()->setChecked(false);
        QVERIFY(!w->tile(0)->is_checked());
        to_bottom(*w);
        push(*w, true, 12); // no page after the last
        QCOMPARE(w->page_index(), 2);

        // Wheel pushes at the top go back; a push in the middle resets the count.
        QScrollBar* bar = w->preview_list()->verticalScrollBar();
        bar->setValue(0);
        w->preview_list_scroll_value_change(0);
        auto wheel = [&](int dy) {
            QWheelEvent ev(QPointF(10, 10), QPointF(10, 10), QPoint(), QPoint(0, dy), Qt::NoButton,
                           Qt::NoModifier, Qt::NoScrollPhase, false);
            QCoreApplication::sendEvent(w->preview_list()->viewport(), &ev);
        };
        for (int i = 0; i < 5; ++i)
            wheel(120);
        QCOMPARE(w->page_index(), 2);
        wheel(0);
        QCOMPARE(w->page_index(), 2);
        wheel(120);
        QCOMPARE(w->page_index(), 1);
        QVERIFY(wait_tiles(*w, 100));
    }

    void exact_multiple_has_no_empty_page_and_empty_result_shows_background() {
        QCOMPARE((QList<int>{TOrnViewer::last_page_index(0), TOrnViewer::last_page_index(100),
                             TOrnViewer::last_page_index(101), TOrnViewer::last_page_index(200)}),
                 (QList<int>{0, 0, 1, 1}));
        make_dataset(tmp_->path(), "empty", 0);
        auto w = start_viewer();
        QVERIFY(click_dataset(*w, 0));
        QCOMPARE(w->tile_count(), 0);
        QVERIFY(w->preview_list()->styleSheet().contains("preview_list_background"));
    }

    void detail_view_updates_reach_the_shown_tile() {
        make_dataset(tmp_->path(), "set", 120);
        auto w = start_viewer();
        QVERIFY(click_dataset(*w, 0) && wait_tiles(*w, 100));
        w->data_detail_data_time_change(3, "2024-02-03 04:05:06.789");
        w->data_detail_data_time_change(4, "2024-02-03 04:05:06");
        QCOMPARE(w->tile(3)->time_label()->text() + "|" + w->tile(4)->time_label()->text(),
                 QString("2024-02-03 04:05:06|2024-02-03 04:05:06"));
        w->data_detail_data_name_change(5, "ignored: the name comes from the item array");
        QCOMPARE(w->tile(5)->check_box()->text(), QString::fromStdWString(w->items()[5].data_name));
        // An index of another page touches nothing.
        w->data_detail_data_time_change(110, "2024-02-03 04:05:06");
        QVERIFY(w->tile(10)->time_label()->text() != QString("2024-02-03 04:05:06"));

        // A replaced picture is loaded again.
        QVERIFY(w->tile(6)->picture()->image().isNull());
        QImage img(64, 48, QImage::Format_RGB32);
        img.fill(Qt::green);
        QVERIFY(img.save(QString::fromStdWString(w->items()[6].data_dir) + "/grab.jpg"));
        w->data_detail_data_frame_change(6);
        QVERIFY(!w->tile(6)->picture()->image().isNull());
    }

    void click_while_a_page_loads_is_ignored() {
        make_dataset(tmp_->path(), "first", 30);
        make_dataset(tmp_->path(), "second", 10);
        auto w = start_viewer();
        QListWidget* list = w->dataset_list()->list_widget();
        w->dataset_list()->list_widget_item_clicked(list->item(row_of(*w, "first")));
        QVERIFY(!w->is_ready());
        w->dataset_list()->list_widget_item_clicked(list->item(row_of(*w, "second")));
        QVERIFY(wait_tiles(*w, 30));
        QCOMPARE(w->item_count(), 30);
    }

    void writer_types_switch_filters() {
        std::vector<item_setup> orn(4), vuv(5), sable(12);
        orn[0].valid_type = orn[1].favorite = vuv[2].favorite = 1;
        vuv[0].discharge = vuv[1].discharge = 3;
        for (int i : {1, 4, 7, 10})
            sable[size_t(i)].favorite = 1;
        make_dataset(tmp_->path(), "orn", 4, "TarvoOrnApp", orn);
        make_dataset(tmp_->path(), "vuv", 5, "vuvoraro", vuv);
        make_dataset(tmp_->path(), "sable", 12, "TarvoSableApp", sable);
        auto w = start_viewer();
        data_tool_bar* bar = w->tool_bar();
        QVERIFY(click_dataset(*w, row_of(*w, "orn")));
        bar->check_box()->setChecked(true); // re-reads the dataset with the filter
        QVERIFY(wait_tiles(*w, 1));
        bar->favorite_box()->setChecked(true);
        QVERIFY(wait_tiles(*w, 2));

        QVERIFY(click_dataset(*w, row_of(*w, "vuv")));
        QVERIFY(!bar->check_box()->isChecked() && bar->favorite_box()->isChecked());
        QCOMPARE(w->item_count(), 1);
        bar->severe_box()->setChecked(true);
        QVERIFY(wait_tiles(*w, 3));

        // "Favorite" is still checked but hidden for this writer: it can be
        // neither seen nor cleared, so it must not filter (nor a search).
        QVERIFY(click_dataset(*w, row_of(*w, "sable")));
        QVERIFY(bar->normal_box()->isHidden() && bar->gen_report_btn()->isHidden());
        QVERIFY(bar->favorite_box()->isHidden() && bar->favorite_box()->isChecked());
        QVERIFY(wait_tiles(*w, 12));
        w->tool_bar()->search_btn()->click();
        QVERIFY(QTest::qWaitFor([&] { return w->in_search_mode() && w->is_ready(); }));
        QCOMPARE(w->item_count(), 4 + 5 + 12);
        QCOMPARE(w->dataset_list()->list_widget()->currentRow(), -1);
        // A dataset click ends the search; shown again, the box filters again.
        QVERIFY(click_dataset(*w, row_of(*w, "orn")));
        QVERIFY(!w->in_search_mode());
        QCOMPARE(w->item_count(), 1);
    }

    // The test screen (800 x 600 offscreen) is narrower than the tool bar
    // with every filter: the window still never outgrows it, maximised or
    // not, and a window that would run off is centred on it.
    void window_never_outgrows_a_small_screen() {
        make_dataset(tmp_->path(), "vuv", 3, "vuvoraro");
        auto w = start_viewer();
        QVERIFY(w->screen());
        const QRect avail = w->screen()->availableGeometry();
        QVERIFY(click_dataset(*w, 0) && !w->tool_bar()->critical_box()->isHidden());
        if (avail.width() >= w->tool_bar()->minimumSizeHint().width() + 260)
            QSKIP("the screen is wide enough for the whole tool bar");
        QTest::qWait(50);
        QVERIFY2(avail.contains(w->frameGeometry()),
                 qPrintable(QString("%1 px wide").arg(w->frameGeometry().width())));

        w->showNormal();
        w->setGeometry(QRect(avail.topLeft() + QPoint(60, 40), avail.size() * 3 / 2));
        QTRY_VERIFY(avail.contains(w->frameGeometry()));
        QVERIFY(qAbs(w->frameGeometry().center().x() - avail.center().x()) <= 1);
        // Every box can still be reached: the bar scrolls sideways.
        const QWidget* strip = w->tool_bar()->parentWidget()->parentWidget();
        QVERIFY(strip && strip->width() < w->tool_bar()->width());
    }

    void window_menu_and_its_language_change_that_ends_the_program() {
        auto w = start_viewer();
        // The window's only menu, opened at the cursor.
        QStringList actions;
        QTimer::singleShot(0, [&actions] {
            if (auto* menu = top_level<QMenu>()) {
                for (QAction* a : menu->actions())
                    if (!a->isSeparator())
                        actions << a->text();
                menu->close();
            }
        });
        QContextMenuEvent menu_event(QContextMenuEvent::Mouse, QPoint(400, 300));
        QCoreApplication::sendEvent(w.get(), &menu_event);
        QCOMPARE(actions,
                 (QStringList{"Import from device", "Device search", "Time synchronization",
                              "Data save path", "Language setting"}));

        // The dialog's own steps are checked with it; its final signal ends the program.
        w->lang_action_triggered(false);
        auto* dlg = top_level<lang_setting_widget>();
        QVERIFY(dlg && w->isVisible());
        Q_EMIT dlg->lang_change();
        QVERIFY(!w->isVisible());
    }
};

QTEST_MAIN(tst_mainwindow_browser)
#include "tst_mainwindow_browser.moc"
