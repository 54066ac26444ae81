// The browser's tool bar (filters per writer type, a narrow window, search)
// and its tiles.
#include "ui_test_util.h"

#include "store/database.h"
#include "ui/data_tool_bar.h"
#include "ui/preview_item_widget.h"

#include <QtTest>
#include <QtWidgets>

#include <memory>

using namespace ui_test;

class tst_browser_widgets : public private_data_test {
    Q_OBJECT
private Q_SLOTS:
    void filter_boxes_follow_the_writer_type() {
        data_tool_bar bar;
        const QList<QWidget*> filters = {
            bar.normal_box(),   bar.check_box(),    bar.general_box(),   bar.severe_box(),
            bar.critical_box(), bar.favorite_box(), bar.gen_report_btn()};
        auto shown = [&] {
            QString s;
            for (QWidget* w : filters)
                s += w->isHidden() ? '-' : '+';
            return s;
        };
        QCOMPARE(shown(), QString("-------"));
        bar.set_app_type(0);
        QCOMPARE(shown(), QString("++---++"));
        QCOMPARE(bar.check_box()->text(), QString("Check"));
        bar.set_app_type(3); // unknown writers leave the boxes as they are
        QCOMPARE(shown(), QString("++---++"));
        bar.set_app_type(2);
        QCOMPARE(shown(), QString("+++++++"));
        QCOMPARE(bar.check_box()->text(), QString("Attention"));
        // A dataset switch clears the levels silently and keeps the favourite.
        QSignalSpy changed(&bar, &data_tool_bar::select_filter_state_changed);
        bar.critical_box()->setChecked(true);
        bar.favorite_box()->setChecked(true);
        bar.uncheck_level_filters();
        QCOMPARE(changed.count(), 2);
        QVERIFY(!bar.states().critical && bar.states().favorite);
        bar.set_app_type(1);
        QCOMPARE(shown(), QString("-------"));
    }

    // Narrower than every filter needs, the bar turns compact: every shown
    // control lies inside it without overlapping its neighbour.
    void every_filter_fits_a_narrow_window() {
        QWidget window; // as in the main window: a top-level bar keeps its full width
        auto* host = new QHBoxLayout(&window);
        host->setContentsMargins(0, 0, 0, 0);
        auto* bar = new data_tool_bar;
        host->addWidget(bar);
        bar->set_app_type(2);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        window.resize(bar->minimumSizeHint().width(), 60);
        QTRY_VERIFY(bar->compact());
        QTest::qWait(20);
        const QList<QWidget*> row = {bar->select_all_box(), bar->normal_box(), bar->check_box(),
                                     bar->general_box(),    bar->severe_box(), bar->critical_box(),
                                     bar->favorite_box(),   bar->delete_btn(), bar->remove_btn(),
                                     bar->gen_report_btn(), bar->search_edit()};
        for (int i = 0; i < row.size(); ++i) {
            QVERIFY(bar->rect().contains(row[i]->geometry()));
            if (i > 0)
                QVERIFY(row[i - 1]->geometry().right() < row[i]->geometry().left());
        }
    }

    void search_over_all_datasets() {
        data_tool_bar bar;
        QSignalSpy spy(&bar, &data_tool_bar::search_result_change);
        bar.search_btn()->click(); // no dataset at all: nothing happens
        QCOMPARE(spy.count(), 0);

        std::vector<item_setup> setups(4);
        setups[1].discharge = 2;
        setups[2].note = "valve leak";
        make_dataset(tmp_->path(), "one", 4, "vuvoraro", setups);
        make_dataset(tmp_->path(), "two", 3);
        bar.search_edit()->setText("valve"); // in the note
        bar.search_btn()->click();
        QCOMPARE(spy.count(), 1);
        QCOMPARE(spy.at(0).at(0).value<std::vector<data_info>*>(), &bar.search_result());
        QCOMPARE(bar.search_result().size(), size_t(1));
        QCOMPARE(QString::fromStdWString(bar.search_result()[0].data_name), QString("one_2"));

        // With the level boxes shown the search filters by defect level.
        bar.search_edit()->clear();
        bar.set_app_type(2);
        bar.general_box()->setChecked(true);
        bar.search_btn()->click();
        QCOMPARE(bar.search_result().size(), size_t(1));
        QCOMPARE(QString::fromStdWString(bar.search_result()[0].data_name), QString("one_1"));

        // Editing finished by losing the focus does not search.
        const int before = spy.count();
        Q_EMIT bar.search_edit()->editingFinished();
        QCOMPARE(spy.count(), before);
    }

    // Tiles at the grid's size: time, picture and play mark; a name too long
    // for the tile ends in "…" (whole in the tooltip), and a Chinese name
    // leaves the picture as tall as a Latin one does.
    void tiles() {
        QCOMPARE(tile_time_text("2024-01-29 14:28:35"), QString("2024/01/29 14:28:35"));
        QCOMPARE(tile_time_text("2024-01-29 14:28:35.042"), QString("2024/01/29 14:28:35"));
        QCOMPARE(tile_time_text("abc"), QString("abc"));
        std::vector<item_setup> setups(3);
        setups[2].picture = true; // the newest, listed first
        setups[2].data_type = 0;
        const import_data_info set = make_dataset(tmp_->path(), "tiles", 3, "TarvoOrnApp", setups);
        std::vector<data_info> items = data_list_db_select(set, false, false, false);
        const QStringList names = {
            "short", "Transformer bay 3 west, phase A, second survey",
            QString::fromUtf8("\u4e3b\u53d8\u538b\u5668 A\u76f8 \u5c40\u90e8\u653e\u7535")};
        for (int i = 0; i < 3; ++i)
            items[size_t(i)].data_name = names[i].toStdWString();
        std::vector<std::unique_ptr<preview_item_widget>> tiles;
        for (int i = 0; i < 3; ++i) {
            tiles.push_back(std::make_unique<preview_item_widget>(&items, i, nullptr));
            tiles.back()->setFixedSize(120, 126); // as the grid gives it
            tiles.back()->show();
        }
        QApplication::processEvents();
        QCOMPARE(tiles[0]->time_label()->text(), QString("2024/01/01 00:02:07"));
        // Decoded small: a tile never shows more than about 160 x 120.
        QVERIFY(!tiles[0]->picture()->image().isNull());
        QVERIFY(tiles[0]->picture()->image().width() <= 320);
        QVERIFY(tiles[0]->play_label() != nullptr);
        QVERIFY(tiles[1]->picture()->image().isNull()); // no grab.jpg, no picture in Data.dat
        QVERIFY(tiles[1]->play_label() == nullptr);
        for (int i = 0; i < 3; ++i) {
            QCheckBox* box = tiles[size_t(i)]->check_box();
            QCOMPARE(box->toolTip(), names[i]);
            QCOMPARE(tiles[size_t(i)]->picture()->height(), tiles[0]->picture()->height());
            QVERIFY(box->geometry().right() < 120);
        }
        QCOMPARE(tiles[0]->check_box()->text(), names[0]);
        const QString shown = tiles[1]->check_box()->text();
        QVERIFY2(shown.endsWith(QChar(0x2026)) && shown.size() < names[1].size(),
                 qPrintable(shown));
        QVERIFY(names[1].startsWith(shown.chopped(1)));
        // A rename from the detail view is elided the same way.
        tiles[0]->set_name_text(names[1]);
        QCOMPARE(tiles[0]->check_box()->text(), shown);
    }
};

QTEST_MAIN(tst_browser_widgets)
#include "tst_browser_widgets.moc"
