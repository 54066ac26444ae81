// The independently written sample data sets, read with our reader and
// compared with what their manifest says a correct reader finds.

#include "analysis/datafile/data_file.h"
#include "platform/text.h"

#include <QtTest>

#include <json/json.h>

#include <cmath>
#include <fstream>
#include <sstream>

namespace {

Json::Value load_manifest() {
    std::ifstream in(HALVIX_SAMPLES_DIR "/basic.manifest.json");
    Json::Value root;
    Json::CharReaderBuilder b;
    std::string errors;
    if (!Json::parseFromStream(b, in, &root, &errors))
        qWarning("manifest: %s", errors.c_str());
    return root;
}

std::wstring item_dir(const Json::Value& item) {
    return utf8_to_wide(std::string(HALVIX_SAMPLES_DIR "/basic/") + item["dir"].asString());
}

bool one_of(const Json::Value& allowed, int value) {
    for (const auto& v : allowed)
        if (v.asInt() == value)
            return true;
    return false;
}

} // namespace

class tst_datafile_samples : public QObject {
    Q_OBJECT
private slots:
    void item_matches_manifest_data() {
        QTest::addColumn<int>("index");
        const Json::Value m = load_manifest();
        QVERIFY(m["items"].isArray());
        for (Json::ArrayIndex i = 0; i < m["items"].size(); ++i)
            QTest::newRow(m["items"][i]["dir"].asCString()) << int(i);
    }
    void item_matches_manifest() {
        QFETCH(int, index);
        const Json::Value item = load_manifest()["items"][Json::ArrayIndex(index)];
        if (item["skip"].asBool())
            QSKIP("item is not a data item");
        const Json::Value& e = item["expected_info"];
        data_info d;
        d.data_dir = item_dir(item);
        QCOMPARE(read_data_item(d), 0);

        QCOMPARE(wide_to_utf8(d.data_name), e["data_name"].asString());
        QCOMPARE(wide_to_utf8(d.data_note), e["data_note"].asString());
        QCOMPARE(d.distance, e["distance"].asDouble());
        QCOMPARE(d.distance_text, e["distance_text"].asString());
        QCOMPARE(d.time, e["time"].asString());
        QCOMPARE(d.app_name, e["app_name"].asString());
        QCOMPARE(d.app_version, e["app_version"].asString());
        QCOMPARE(d.app_type, e["app_type"].asInt());
        QCOMPARE(d.data_type, e["data_type"].asInt());
        QCOMPARE(d.fs, e["fs"].asInt());
        QCOMPARE(d.mic_gain, e["mic_gain"].asInt());
        QCOMPARE(d.mic_sensitivity, e["mic_sensitivity"].asDouble());
        QCOMPARE(d.distance_correct_enable, e["distance_correct_enable"].asBool());
        QCOMPARE(d.spl, e["spl"].asDouble());
        QCOMPARE(d.valid_type, e["valid_type"].asInt());
        QCOMPARE(d.favorite, e["favorite"].asInt());
        QCOMPARE(d.discharge, e["discharge"].asInt());
        QCOMPARE(d.has_tail, e["has_tail"].asBool());
        QCOMPARE(d.freq_range_start, e["freq_range_start"].asInt());
        QCOMPARE(d.freq_range_end, e["freq_range_end"].asInt());
        QCOMPARE(wide_to_utf8(d.device_type), e["device_type"].asString());
        QCOMPARE(d.sound_abs_max, e["sound_abs_max"].asDouble());
        QCOMPARE(d.sign_mode, e["sign_mode"].asInt());
        QCOMPARE(d.fpass1, e["fpass1"].asDouble());
        QCOMPARE(d.fpass2, e["fpass2"].asDouble());
        QCOMPARE(wide_to_utf8(d.gasleak_currency), e["gasleak_currency"].asString());
        QCOMPARE(d.gasleak_rect, e["gasleak_rect"].asDouble());
        QCOMPARE(d.gasleak_unit_mode, e["gasleak_unit_mode"].asInt());
        QCOMPARE(d.gasleak_power_ratio, e["gasleak_power_ratio"].asDouble());
        QCOMPARE(d.gasleak_energy_cost, e["gasleak_energy_cost"].asDouble());
        QCOMPARE(d.gasleak_gas_cost, e["gasleak_gas_cost"].asDouble());
        QCOMPARE(int(d.index_table.size()), item["index_table_len"].asInt());

        const std::wstring dat = item_dir(item) + L"/Data.dat";

        int32_t counted = -1;
        QCOMPARE(count_data_frames(dat, counted), 0);
        QVERIFY2(one_of(item["frame_num"], counted), qPrintable(QString::number(counted)));

        std::vector<signal_frame_ptr> frames;
        int32_t n = 1000;
        bool at_end = false;
        QCOMPARE(read_data_frames(dat, 0, n, frames, d, at_end), 0);
        QVERIFY(at_end);
        QVERIFY(one_of(item["frames_readable"], n));
        const Json::Value& spl = item["frame_spl"];
        const Json::Value& tags = item["frame_tags"];
        QCOMPARE(int(spl.size()), n);
        for (int i = 0; i < n; ++i) {
            const signal_frame& f = *frames[size_t(i)];
            QVERIFY2(std::fabs(f.spl - spl[i].asDouble()) < 1e-4,
                     qPrintable(QString("frame %1: %2").arg(i).arg(f.spl)));
            QCOMPARE(f.spl_corrected, f.spl);
            if (tags.isArray() && tags.size() > Json::ArrayIndex(i))
                QCOMPARE(f.tag, tags[i].asUInt());
            QCOMPARE(f.sample_num, item["signal"]["samples"].asInt());
            QCOMPARE(f.wave_num, f.sample_num);
            QVERIFY(f.picture_len > 0);
            QCOMPARE(int(f.picture.size()), f.picture_len);
            QCOMPARE(f.picture[0], uint8_t(0xff)); // JPEG start marker
            QCOMPARE(f.picture[1], uint8_t(0xd8));
        }
    }

    void first_picture_is_frame_zeros_picture() {
        const Json::Value item = load_manifest()["items"][0];
        const std::wstring dat = item_dir(item) + L"/Data.dat";
        std::vector<signal_frame_ptr> frames;
        data_info d;
        int32_t n = 1;
        bool at_end = false;
        QCOMPARE(read_data_frames(dat, 0, n, frames, d, at_end), 0);
        QCOMPARE(read_first_picture(dat), frames[0]->picture);
        QVERIFY(read_first_picture(item_dir(item) + L"/missing.dat").empty());
    }
};

QTEST_GUILESS_MAIN(tst_datafile_samples)
#include "tst_datafile_samples.moc"
