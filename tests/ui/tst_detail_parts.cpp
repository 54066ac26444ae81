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

    static data_info leak_record() {
        data_info d;
        d.sign_mode = 2;
        d.gasleak_rect = 1.2;
        d.gasleak_power_ratio = 0.35;
        d.gasleak_energy_cost = 0.8;
        d.gasleak_gas_cost = 0.0025;
        d.gasleak_unit_mode = 0;
        d.gasleak_currency = L"EUR";
        return d;
    }
    static void confirm(para_setting_widget* w) {
        QTest::mouseClick(w->findChild<QPushButton*>(QStringLiteral("ok")), Qt::LeftButton);
    }

private Q_SLOTS:
    void initTestCase() { register_meta_types(); }

    void parameter_controls() {
        auto* w = new para_setting_widget(leak_record());
        struct expect {
            QDoubleSpinBox* box;
            double lo, hi;
        } boxes[] = {{w->rect_box(), -10000, 10000},
                     {w->energy_cost_box(), 0, 1000000},
                     {w->gas_cost_box(), 0, 1000000},
                     {w->power_ratio_box(), -1000, 1000}};
        for (const expect& e : boxes) {
            QCOMPARE(e.box->minimum(), e.lo);
            QCOMPARE(e.box->maximum(), e.hi);
            QCOMPARE(e.box->decimals(), 3);
            QCOMPARE(e.box->buttonSymbols(), QAbstractSpinBox::NoButtons);
        }
        QCOMPARE(w->unit_box()->count(), 2);
        QCOMPARE(w->unit_box()->itemText(1), QStringLiteral("CFM"));
        QCOMPARE(w->currency_edit()->text(), QStringLiteral("EUR"));
        w->close();

        data_info none = leak_record();
        none.gasleak_currency.clear();
        w = new para_setting_widget(none);
        QCOMPARE(w->currency_edit()->text(), QStringLiteral("CNY"));
        QSignalSpy ok(w, &para_setting_widget::ok);
        confirm(w); // the default currency shown is not an edit
        QCOMPARE(ok.count(), 0);
    }

    void confirm_emits_only_real_changes() {
        auto* w = new para_setting_widget(leak_record());
        QSignalSpy ok(w, &para_setting_widget::ok);
        confirm(w);
        QCOMPARE(ok.count(), 0);

        w = new para_setting_widget(leak_record());
        QSignalSpy ok2(w, &para_setting_widget::ok);
        w->unit_box()->setCurrentIndex(1);
        confirm(w);
        QCOMPARE(ok2.count(), 1);
        QCOMPARE(ok2.at(0).at(0).value<data_info>().gasleak_unit_mode, 1);

        w = new para_setting_widget(leak_record());
        QSignalSpy ok3(w, &para_setting_widget::ok);
        w->gas_cost_box()->setValue(0.004);
        w->currency_edit()->setText(QStringLiteral("USD"));
        confirm(w);
        QCOMPARE(ok3.count(), 1);
        const data_info d = ok3.at(0).at(0).value<data_info>();
        QCOMPARE(d.gasleak_gas_cost, 0.004);
        QCOMPARE(d.gasleak_currency, std::wstring(L"USD"));
        QCOMPARE(d.gasleak_rect, 1.2);

        // Cancel and the close button emit nothing.
        w = new para_setting_widget(leak_record());
        QSignalSpy ok4(w, &para_setting_widget::ok);
        w->gas_cost_box()->setValue(0.5);
        QTest::mouseClick(w->findChild<QPushButton*>(QStringLiteral("cancle")), Qt::LeftButton);
        QCOMPARE(ok4.count(), 0);
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
