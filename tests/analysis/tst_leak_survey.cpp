// The leak survey: figures and totals against a case worked by hand (L/min
// and CFM items, two currencies), the ranking, bad input, the item files as
// the detail view reads them, and a refresh after an edit.

#include "analysis/survey/leak_survey.h"
#include "survey_fixture.h"

#include <QTemporaryDir>
#include <QtTest>

#include <cmath>
#include <limits>

namespace {

data_info leak(const wchar_t* name, double spl, double distance, double rect, int unit,
               double power_ratio, double energy_cost, double gas_cost, const wchar_t* currency,
               int sign_mode = 2) {
    data_info d;
    d.data_name = name;
    d.data_dir = std::wstring(L"/data/") + name;
    d.sign_mode = sign_mode;
    d.spl = spl;
    d.distance = distance;
    d.gasleak_rect = rect;
    d.gasleak_unit_mode = unit;
    d.gasleak_power_ratio = power_ratio;
    d.gasleak_energy_cost = energy_cost;
    d.gasleak_gas_cost = gas_cost;
    d.gasleak_currency = currency;
    return d;
}

const survey_leak* find(const leak_survey& s, const wchar_t* name) {
    for (const survey_leak& l : s.leaks)
        if (l.item.data_name == name)
            return &l;
    return nullptr;
}

const double k_inf = std::numeric_limits<double>::infinity();
const double k_nan = std::numeric_limits<double>::quiet_NaN();

} // namespace

class tst_leak_survey : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void hand_worked_totals() {
        // Worked out by hand from the estimate's formula:
        //   A 60 dB at 1 m, L/min: 5.291968 L/min, 6966.626 CNY, 16.225 kWh
        //   B 70 dB at 2 m, CFM, factor 1.2: 0.712480 CFM = 20.176363 L/min,
        //     377.600 USD, 88.372 kWh
        //   C 50 dB at 4 m, no power ratio: 9.432774 L/min, 12394.665 CNY
        //   F 60 dB at 0 m (taken as 0.3 m): 1.939100 L/min, 2552.734 CNY, 5.945 kWh
        //   E beyond any finite value; D not a gas leak.
        const std::vector<data_info> items = {leak(L"A", 60, 1, 1, 0, 0.35, 0.8, 0.0025, L"CNY"),
                                              leak(L"B", 70, 2, 1.2, 1, 0.5, 0.1, 0.001, L"USD"),
                                              leak(L"C", 50, 4, 1, 0, 0, 0.8, 0.0025, L"CNY "),
                                              leak(L"D", 60, 1, 1, 0, 0.35, 0.8, 0.0025, L"CNY", 0),
                                              leak(L"E", 1e5, 1, 1, 0, 0.35, 0.8, 0.0025, L"CNY"),
                                              leak(L"F", 60, 0, 1, 0, 0.35, 0.8, 0.0025, L"CNY")};
        const leak_survey s = survey_from_items(items, 0.4);
        QCOMPARE(s.items, 6);
        QCOMPARE(s.other_items, 1);
        QCOMPARE(int(s.leaks.size()), 5);

        const survey_leak* b = find(s, L"B");
        QVERIFY(b);
        QVERIFY(survey_fixture::near(
            {b->item.leak_rate, b->rate_lpm, b->item.leak_cost, b->energy_kwh, b->co2_kg},
            {0.712480, 20.176363, 377.600108, 88.372468, 35.348987}));
        // B's own unit; an item without a name is shown by its directory.
        data_info unnamed;
        unnamed.dir_name = L"20240506_0800";
        QCOMPARE(survey_rate_unit(b->item) + L" " + survey_rate_unit(find(s, L"A")->item) + L" " +
                     survey_item_name(b->item) + L" " + survey_item_name(unnamed),
                 std::wstring(L"CFM L/min B 20240506_0800"));
        // C has no energy figure; F's distance is substituted, F counted, E not.
        QCOMPARE(QVector<bool>({find(s, L"C")->has_energy, find(s, L"F")->distance_substituted,
                                find(s, L"F")->counted, find(s, L"E")->counted}),
                 QVector<bool>({false, true, true, false}));

        const survey_totals& t = s.totals;
        QCOMPARE(QVector<int>({t.counted, t.left_out, t.energy_leaks}), QVector<int>({4, 1, 3}));
        QVERIFY(survey_fixture::near({t.rate_lpm, t.energy_kwh, t.co2_kg},
                                     {36.840205, 110.542923, 44.217169}));
        // Two currencies, never added together; " CNY" is CNY.
        QCOMPARE(int(t.costs.size()), 2);
        QCOMPARE(t.costs[0].currency + L"|" + t.costs[1].currency, std::wstring(L"CNY|USD"));
        QCOMPARE(t.costs[0].leaks, 3);
        QVERIFY(survey_fixture::near({t.costs[0].cost, t.costs[1].cost}, {21914.024739, 377.600108},
                                     1e-3));

        // Ranked by yearly cost; the leak without a finite cost comes last.
        QStringList order;
        for (const survey_leak& l : s.leaks)
            order << QString::fromStdWString(l.item.data_name) + QString::number(l.rank);
        QCOMPARE(order.join(' '), QString("C1 A2 F3 B4 E5"));
    }

    void ranking_data() {
        QTest::addColumn<QVector<double>>("costs");
        QTest::addColumn<QVector<double>>("spls"); // the tie-breaker through the rate
        QTest::addColumn<QString>("order");        // leak indices, rank 1 first
        // Highest cost first (hand_worked_totals ranks plain costs), negative
        // ones after zero, numbers that are not finite last in their order.
        QTest::newRow("negative and not finite")
            << QVector<double>{k_nan, 5, k_inf, -k_inf, 7, -1, 0} << QVector<double>(7, 60)
            << "4 1 6 5 0 2 3";
        QTest::newRow("equal cost: larger leak rate first")
            << QVector<double>{0, 0, 0} << QVector<double>{50, 70, 60} << "1 2 0";
    }
    void ranking() {
        QFETCH(QVector<double>, costs);
        QFETCH(QVector<double>, spls);
        QFETCH(QString, order);
        leak_survey s;
        for (int i = 0; i < costs.size(); ++i) {
            // The cost follows from the gas price alone (no energy term).
            data_info d = leak(L"x", spls[i], 1, 1, 0, 0, 0, 0, L"CNY");
            survey_leak l = evaluate_survey_leak(d, 0.4);
            l.item.leak_cost = costs[i];
            l.source = i;
            s.leaks.push_back(l);
        }
        rank_survey(s, true);
        QStringList got;
        for (const survey_leak& l : s.leaks)
            got << QString::number(l.source);
        QCOMPARE(got.join(' '), order);
        for (size_t i = 0; i < s.leaks.size(); ++i)
            QCOMPARE(s.leaks[i].rank, int(i) + 1);
    }

    void bad_input_data() {
        QTest::addColumn<double>("spl");
        QTest::addColumn<double>("distance");
        QTest::addColumn<double>("power_ratio");
        QTest::addColumn<QString>("currency");
        QTest::addColumn<bool>("counted");
        QTest::addColumn<bool>("energy");
        QTest::addColumn<bool>("substituted");
        QTest::newRow("zero distance") << 60.0 << 0.0 << 0.35 << "CNY" << true << true << true;
        QTest::newRow("negative distance") << 60.0 << -2.0 << 0.35 << "CNY" << true << true << true;
        QTest::newRow("no power ratio") << 60.0 << 1.0 << 0.0 << "CNY" << true << false << false;
        // Its cost is no number either: no energy figure, left out of the totals.
        QTest::newRow("power ratio not a number")
            << 60.0 << 1.0 << k_nan << "CNY" << false << false << false;
        QTest::newRow("infinite power ratio")
            << 60.0 << 1.0 << k_inf << "CNY" << false << true << false;
        QTest::newRow("level not a number")
            << k_nan << 1.0 << 0.35 << "CNY" << false << true << false;
        QTest::newRow("infinite distance")
            << 60.0 << k_inf << 0.35 << "CNY" << false << true << false;
        QTest::newRow("empty currency") << 60.0 << 1.0 << 0.35 << "" << true << true << false;
    }
    void bad_input() {
        QFETCH(double, spl);
        QFETCH(double, distance);
        QFETCH(double, power_ratio);
        QFETCH(QString, currency);
        QFETCH(bool, counted);
        QFETCH(bool, energy);
        QFETCH(bool, substituted);
        const std::wstring cur = currency.toStdWString();
        const std::vector<data_info> items = {
            leak(L"bad", spl, distance, 1, 0, power_ratio, 0.8, 0.0025, cur.c_str()),
            leak(L"good", 60, 1, 1, 0, 0.35, 0.8, 0.0025, L"CNY")};
        const leak_survey s = survey_from_items(items, 0.4);
        const survey_leak* bad = find(s, L"bad");
        QCOMPARE(bad->counted, counted);
        QCOMPARE(bad->has_energy, energy);
        QCOMPARE(bad->distance_substituted, substituted);
        // Totals hold only finite numbers and count what they leave out.
        const survey_totals& t = s.totals;
        QCOMPARE(t.counted + t.left_out, 2);
        QCOMPARE(t.left_out, counted ? 0 : 1);
        QVERIFY(std::isfinite(t.rate_lpm) && std::isfinite(t.energy_kwh) &&
                std::isfinite(t.co2_kg));
        int in_costs = 0;
        for (const survey_cost_total& c : t.costs) {
            QVERIFY(std::isfinite(c.cost));
            in_costs += c.leaks;
        }
        QCOMPARE(in_costs, t.counted);
        if (counted && cur.empty())
            QCOMPARE(int(t.costs.size()), 2); // "" is a currency of its own
        // What the table shows for numbers that are not finite.
        QVERIFY(!survey_rate_text(*bad).empty());
        if (!counted && !std::isfinite(bad->item.leak_cost))
            QCOMPARE(survey_cost_text(bad->item.leak_cost, bad->item.gasleak_currency),
                     std::wstring(L"\u2014"));
    }

    void parameter_ranges() {
        const std::vector<data_info> items = {leak(L"a", 60, 1, 1.2, 0, 0.35, 0.8, 0, L"CNY"),
                                              leak(L"b", 60, 1, 0.8, 0, 0.35, 0.8, 0, L"CNY"),
                                              leak(L"c", 1e5, 1, 9, 0, 0.35, 0.8, 0, L"CNY")};
        const leak_survey s = survey_from_items(items, 0.4);
        auto rect = [](const data_info& d) { return d.gasleak_rect; };
        auto ratio = [](const data_info& d) { return d.gasleak_power_ratio; };
        // The leak left out of the totals does not widen the range.
        QCOMPARE(QString::fromStdWString(survey_range_text(s, rect, 2)),
                 QString("0.80 \u2013 1.20"));
        QCOMPARE(QString::fromStdWString(survey_range_text(s, ratio, 2)), QString("0.35"));
        QCOMPARE(QString::fromStdWString(survey_range_text(leak_survey(), rect, 2)),
                 QString("\u2014"));
    }

    // The measurement mode is read from the header without parsing all of
    // it; every form a JSON writer may give it must still be told right.
    void header_forms_data() {
        QTest::addColumn<QByteArray>("header");
        QTest::addColumn<bool>("leak");
        QTest::newRow("plain") << QByteArray("{\"sign_mode\":2}") << true;
        QTest::newRow("blanks") << QByteArray("{ \"sign_mode\" :\n 2 , \"x\":1}") << true;
        QTest::newRow("last member") << QByteArray("{\"a\":[1,2],\"sign_mode\":2}") << true;
        QTest::newRow("other mode") << QByteArray("{\"sign_mode\":0}") << false;
        QTest::newRow("mode 12") << QByteArray("{\"sign_mode\":12}") << false;
        QTest::newRow("absent") << QByteArray("{\"app_name\":\"x\"}") << false;
        QTest::newRow("nested only") << QByteArray("{\"geometry\":{\"sign_mode\":2}}") << false;
        QTest::newRow("nested and top level")
            << QByteArray("{\"geometry\":{\"sign_mode\":0},\"sign_mode\":2}") << true;
        QTest::newRow("integral real") << QByteArray("{\"sign_mode\":2.0}") << true;
        QTest::newRow("escaped key") << QByteArray("{\"sign\\u005fmode\":2}") << true;
        QTest::newRow("inside a text") << QByteArray("{\"note\":\"\\\"sign_mode\\\":2\"}") << false;
        QTest::newRow("text value") << QByteArray("{\"sign_mode\":\"2\"}") << false;
        QTest::newRow("not JSON") << QByteArray("{\"sign_mode\":2") << false;
        QTest::newRow("no Data.dat") << QByteArray() << false;
    }
    void header_forms() {
        QFETCH(QByteArray, header);
        QFETCH(bool, leak);
        QTemporaryDir tmp;
        QDir().mkpath(tmp.filePath("i"));
        const std::vector<uint8_t> dat = build_data_dat(header.toStdString(), {}, false);
        QVERIFY(header.isNull() ||
                survey_fixture::write_file(
                    tmp.filePath("i/Data.dat"),
                    QByteArray(reinterpret_cast<const char*>(dat.data()), int(dat.size()))));
        data_info row;
        row.data_dir = tmp.filePath("i").toStdWString();
        row.sign_mode = 2; // what a row says does not count
        const leak_survey s = build_leak_survey({row}, 0.4);
        QCOMPARE(int(s.leaks.size()), leak ? 1 : 0);
        QCOMPARE(s.other_items, leak ? 0 : 1);
    }

    void refresh_after_an_edit() {
        QTemporaryDir tmp;
        using namespace survey_fixture;
        leak_spec a, b;
        a.dir = "a";
        a.name = L"a";
        a.spl = 70;
        b.dir = "b";
        b.name = L"b";
        b.spl = 60;
        const std::vector<data_info> rows = {write_leak_item(tmp.path(), a),
                                             write_leak_item(tmp.path(), b)};
        leak_survey s = build_leak_survey(rows, 0.4);
        QCOMPARE(s.leaks[0].item.data_name, std::wstring(L"a"));
        const double before = s.totals.rate_lpm;

        // An Apply stores b at 4 m: 20 dB more at 1 m, now the costlier leak.
        QVERIFY(write_file(tmp.path() + "/b/data_edit.json",
                           "{\"distance\":4.0,\"data_name\":\"b2\",\"gasleak_power_ratio\":0.0}"));
        QVERIFY(refresh_survey_leak(s, rows[1].data_dir));
        QVERIFY(!refresh_survey_leak(s, L"/elsewhere"));
        QCOMPARE(s.leaks[1].item.data_name, std::wstring(L"b2")); // places kept
        QCOMPARE(s.leaks[1].level_1m, 80.0);
        QCOMPARE(s.leaks[1].rank, 1);
        QCOMPARE(s.leaks[0].rank, 2);
        QVERIFY(!s.leaks[1].has_energy);
        QVERIFY(s.totals.rate_lpm > before);
        QCOMPARE(s.totals.energy_leaks, 1);
    }
};

QTEST_GUILESS_MAIN(tst_leak_survey)
#include "tst_leak_survey.moc"
