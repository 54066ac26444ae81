// The browser's tool bar (filters per writer type, search) and its tiles.
#include "ui_test_util.h"

#include "store/database.h"
#include "ui/data_tool_bar.h"
#include "ui/preview_item_widget.h"

#include <QCheckBox>
#include <QDir>
#include <QHBoxLayout>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

#include <memory>

using namespace ui_test;

class tst_browser_widgets : public private_data_test {
    Q_OBJECT
private Q_SLOTS:
    void filter_boxes_follow_the_writer_type() {
        data_tool_bar bar;
        QList<QWidget*> filters = {bar.normal_box(),    bar.check_box(),    bar.general_box(),
                                   bar.severe_box(),    bar.critical_box(), bar.favorite_box(),
                                   bar.gen_report_btn()};
        for (QWidget* w : filters)
            QVERIFY(w->isHidden());
        bar.set_app_type(0);
        QCOMPARE(bar.check_box()->text(), QString("Check"));
        QVERIFY(!bar.normal_box()->isHidden() && !bar.check_box()->isHidden());
        QVERIFY(bar.general_box()->isHidden() && bar.critical_box()->isHidden());
        QVERIFY(!bar.favorite_box()->isHidden() && !bar.gen_report_btn()->isHidden());
        bar.set_app_type(3); // unknown writers leave the boxes as they are
        QVERIFY(!bar.normal_box()->isHidden() && bar.general_box()->isHidden());
        bar.set_app_type(2);
        QCOMPARE(bar.check_box()->text(), QString("Attention"));
        for (QWidget* w : filters)
            QVERIFY(!w->isHidden());
        bar.set_app_type(1);
        for (QWidget* w : filters)
            QVERIFY(w->isHidden());
    }

    void every_filter_fits_a_narrow_window() {
        // Inside a window, as in the main window (a top-level bar would be
        // held at its full width by its own layout).
        QWidget window;
        auto* host = new QHBoxLayout(&window);
        host->setContentsMargins(0, 0, 0, 0);
        auto* bar_ptr = new data_tool_bar;
        host->addWidget(bar_ptr);
        data_tool_bar& bar = *bar_ptr;
        bar.set_app_type(2);
        window.resize(2000, 60);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QTRY_VERIFY(!bar.compact());
        const int full = bar.layout()->minimumSize().width();

        // Narrower: compact, and every shown control lies inside the bar
        // without overlapping its neighbour.
        window.resize(bar.minimumSizeHint().width(), 60);
        QTRY_VERIFY(bar.compact());
        QTest::qWait(20);
        QList<QWidget*> row = {bar.select_all_box(), bar.normal_box(), bar.check_box(),
                               bar.general_box(),    bar.severe_box(), bar.critical_box(),
                               bar.favorite_box(),   bar.delete_btn(), bar.remove_btn(),
                               bar.gen_report_btn(), bar.search_edit()};
        for (int i = 0; i < row.size(); ++i) {
            QVERIFY(bar.rect().contains(row[i]->geometry()));
            const int least = row[i]->minimumWidth() > 0 ? row[i]->minimumWidth()
                                                         : row[i]->minimumSizeHint().width();
            QVERIFY2(row[i]->width() >= least, qPrintable(row[i]->objectName()));
            if (i > 0)
                QVERIFY(row[i - 1]->geometry().right() < row[i]->geometry().left());
        }

        // Back to full once there is room again.
        window.resize(full + 200, 60);
        QTRY_VERIFY(!bar.compact());
    }

    void unchecking_levels_keeps_favorite_and_stays_silent() {
        data_tool_bar bar;
        bar.set_app_type(2);
        QSignalSpy spy(&bar, &data_tool_bar::select_filter_state_changed);
        for (QCheckBox* b : {bar.normal_box(), bar.check_box(), bar.general_box(), bar.severe_box(),
                             bar.critical_box(), bar.favorite_box()})
            b->setChecked(true);
        QCOMPARE(spy.count(), 6);
        bar.uncheck_level_filters();
        QCOMPARE(spy.count(), 6);
        const filter_states s = bar.states();
        QVERIFY(!s.normal && !s.check && !s.general && !s.severe && !s.critical);
        QVERIFY(s.favorite);
    }

    void search_over_all_datasets() {
        data_tool_bar bar;
        QSignalSpy spy(&bar, &data_tool_bar::search_result_change);
        bar.search_btn()->click(); // no dataset at all: nothing happens
        QCOMPARE(spy.count(), 0);

        std::vector<item_setup> setups(4);
        setups[1].discharge = 2;
        setups[2].note = "valve leak";
        setups[3].favorite = 1;
        make_dataset(tmp_->path(), "one", 4, "vuvoraro", setups);
        make_dataset(tmp_->path(), "two", 3);
        bar.search_btn()->click();
        QCOMPARE(spy.count(), 1);
        QCOMPARE(bar.search_result().size(), size_t(7));
        QCOMPARE(spy.at(0).at(0).value<std::vector<data_info>*>(), &bar.search_result());

        bar.search_edit()->setText("valve");
        bar.search_btn()->click();
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

    void tile_shows_name_time_picture_and_play_mark() {
        QCOMPARE(tile_time_text("2024-01-29 14:28:35"), QString("2024/01/29 14:28:35"));
        QCOMPARE(tile_time_text("2024-01-29 14:28:35.042"), QString("2024/01/29 14:28:35"));
        QCOMPARE(tile_time_text("abc"), QString("abc"));

        std::vector<item_setup> setups(2);
        setups[1].picture = true;
        setups[1].data_type = 0;
        const import_data_info set = make_dataset(tmp_->path(), "tiles", 2, "TarvoOrnApp", setups);
        std::vector<data_info> items =
            data_list_db_select(set, false, false, false); // newest first
        preview_item_widget t0(&items, 0, nullptr);
        QCOMPARE(t0.check_box()->text(), QString("tiles_1"));
        QCOMPARE(t0.check_box()->toolTip(), QString("tiles_1"));
        QCOMPARE(t0.time_label()->text(), QString("2024/01/01 00:01:07"));
        QVERIFY(!t0.picture()->image().isNull());
        // Decoded small: a tile never shows more than about 160 x 120.
        QVERIFY(t0.picture()->image().width() <= 320);
        QVERIFY(t0.play_label() != nullptr);

        preview_item_widget t1(&items, 1, nullptr);
        QVERIFY(t1.picture()->image().isNull()); // no grab.jpg, no picture in Data.dat
        QVERIFY(t1.play_label() == nullptr);
    }

    // Tiles at the grid's size: a name too long for the tile ends in "…"
    // (whole in the tooltip), and a Chinese name leaves the picture as tall
    // as a Latin one does.
    void tile_names_fit_and_keep_the_picture_height() {
        const import_data_info set = make_dataset(tmp_->path(), "names", 3);
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
