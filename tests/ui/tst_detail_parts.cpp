// The pieces of the detail dialog that stand alone: the parameter dialog,
// the picture label and the waveform envelope.

#include "store/records.h"
#include "ui/detail/detail_charts.h"
#include "ui/detail/para_setting_widget.h"
#include "ui/detail/previw_label.h"

#include <QComboBox>
#include <QDoubleSpinBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

class tst_detail_parts : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { register_meta_types(); }

    void parameter_dialog_emits_real_changes_only_data() {
        QTest::addColumn<QString>("edit");
        QTest::addColumn<bool>("emits");
        QTest::newRow("nothing") << "" << false;
        QTest::newRow("no currency, default shown") << "no currency" << false;
        QTest::newRow("unit") << "unit" << true;
        QTest::newRow("gas cost and currency") << "gas cost" << true;
        QTest::newRow("negative correction factor") << "rect" << true;
        QTest::newRow("edit, then Cancel") << "cancle" << false;
        QTest::newRow("edit, then close button") << "close" << false;
    }
    void parameter_dialog_emits_real_changes_only() {
        QFETCH(QString, edit);
        QFETCH(bool, emits);
        data_info d;
        d.sign_mode = 2;
        d.gasleak_rect = 1.2;
        d.gasleak_power_ratio = 0.35;
        d.gasleak_energy_cost = 0.8;
        d.gasleak_gas_cost = 0.0025; // more decimals than the box shows
        d.gasleak_currency = edit == "no currency" ? L"" : L"EUR";
        auto* w = new para_setting_widget(d);
        QSignalSpy ok(w, &para_setting_widget::ok);
        QCOMPARE(w->currency_edit()->text(), edit == "no currency" ? "CNY" : "EUR");
        if (edit == "unit")
            w->unit_box()->setCurrentIndex(1);
        if (edit == "rect")
            w->rect_box()->setValue(-9999.5);
        if (edit == "gas cost") {
            w->gas_cost_box()->setValue(0.004);
            w->currency_edit()->setText(QStringLiteral("USD"));
        }
        if (edit == "cancle" || edit == "close")
            w->gas_cost_box()->setValue(0.5);
        const QString button = edit == "cancle" || edit == "close" ? edit : "ok";
        QTest::mouseClick(w->findChild<QPushButton*>(button), Qt::LeftButton);
        QCOMPARE(ok.count(), emits ? 1 : 0);
        if (!emits)
            return;
        const data_info e = ok.at(0).at(0).value<data_info>();
        QCOMPARE(e.gasleak_unit_mode, edit == "unit" ? 1 : 0);
        QCOMPARE(e.gasleak_rect, edit == "rect" ? -9999.5 : 1.2);
        QCOMPARE(e.gasleak_gas_cost, edit == "gas cost" ? 0.004 : 0.0025);
        QCOMPARE(e.gasleak_currency, edit == "gas cost" ? std::wstring(L"USD") : L"EUR");
        QCOMPARE(e.gasleak_power_ratio, 0.35);
    }

    void picture_label_slots_and_buttons() {
        previw_label l;
        QSignalSpy moves(&l, &previw_label::move_frame_offset);
        l.set_frame_position(0, 3);
        QVERIFY(!l.left_button()->isEnabled());
        QVERIFY(l.right_button()->isEnabled());
        QTest::mouseClick(l.right_button(), Qt::LeftButton);
        QCOMPARE(moves.count(), 1);
        QCOMPARE(moves.at(0).at(0).toInt(), 1);
        l.set_frame_position(2, 3);
        QVERIFY(l.left_button()->isEnabled());
        QVERIFY(!l.right_button()->isEnabled());
        l.set_frame_position(0, 0);
        QVERIFY(!l.left_button()->isEnabled() && !l.right_button()->isEnabled());

        QImage a(8, 8, QImage::Format_RGB32), b(8, 8, QImage::Format_RGB32);
        a.fill(Qt::red);
        b.fill(Qt::green);
        l.set_slot_image(0, a);
        l.show_slot(0);
        QCOMPARE(l.preview(), a);
        l.set_slot_image(0, b); // a newer image of the shown slot follows
        QCOMPARE(l.preview(), b);
        l.set_slot_image(6, a); // out of range: ignored
        l.clear();
        QVERIFY(l.preview().isNull() && l.slot_image(0).isNull());
    }

    void envelope_keeps_every_extreme() {
        QVector<QPointF> p;
        for (int i = 0; i < 100000; ++i)
            p.push_back(QPointF(i, (i % 97) - 48.0));
        p[31337].setY(500);
        p[77777].setY(-600);
        const QVector<QPointF> e = envelope_points(p, 1000);
        QVERIFY(e.size() <= 2000);
        double lo = 0, hi = 0;
        for (int i = 0; i < e.size(); ++i) {
            lo = std::min(lo, e[i].y());
            hi = std::max(hi, e[i].y());
            if (i > 0)
                QVERIFY(e[i].x() > e[i - 1].x()); // still in time order
        }
        QCOMPARE(hi, 500.0);
        QCOMPARE(lo, -600.0);
        const QVector<QPointF> small = p.mid(0, 2000);
        QCOMPARE(envelope_points(small, 1000), small);
    }
};

QTEST_MAIN(tst_detail_parts)
#include "tst_detail_parts.moc"
