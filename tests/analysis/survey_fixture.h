#pragma once
// Data items for the leak-survey tests, written in code: a Data.dat holding
// only its header (measurement mode, distance, gas-leak parameters), a
// note.json (name, SPL, currency, unit) and, when asked for, a data_edit.json
// and a grab.jpg. Returns the record as the database row gives it.

#include "store/records.h"
#include "tools/samplegen/sample_gen.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QString>

#include <json/json.h>

#include <cmath>
#include <string>
#include <vector>

namespace survey_fixture {

struct leak_spec {
    std::string dir;
    std::wstring name = L"leak";
    std::string time = "2024-05-06 08:00:00";
    int sign_mode = 2;
    double spl = 60;
    double distance = 1;
    double rect = 1;
    int unit = 0;
    double power_ratio = 0.35;
    double energy_cost = 0.8;
    double gas_cost = 0.0025;
    std::string currency = "CNY";
    std::string edit_json; // data_edit.json as written; empty: none
    QColor picture;        // grab.jpg of this colour; invalid: none
};

// Each value within tol of the one expected.
inline bool near(const std::vector<double>& got, const std::vector<double>& want,
                 double tol = 1e-4) {
    for (size_t i = 0; i < got.size(); ++i)
        if (!(std::abs(got[i] - want.at(i)) <= tol))
            return qWarning("value %zu: %.9g, expected %.9g", i, got[i], want[i]), false;
    return got.size() == want.size();
}

inline std::string compact(const Json::Value& v) {
    Json::StreamWriterBuilder b;
    b["indentation"] = "";
    b["emitUTF8"] = true;
    return Json::writeString(b, v);
}

inline bool write_file(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(bytes) == bytes.size() &&
           f.flush();
}

inline QByteArray jpeg(const QColor& colour, int w = 320, int h = 240) {
    QImage img(w, h, QImage::Format_RGB32);
    img.fill(colour);
    QByteArray bytes;
    QBuffer buf(&bytes);
    buf.open(QIODevice::WriteOnly);
    img.save(&buf, "JPEG", 90);
    return bytes;
}

inline data_info write_leak_item(const QString& root, const leak_spec& s,
                                 const std::string& import_id = "1_1_1") {
    const QString dir = root + "/" + QString::fromStdString(s.dir);
    QDir().mkpath(dir);
    Json::Value h(Json::objectValue);
    h["app_name"] = "TarvoOrnApp";
    h["app_version"] = "1.0.0.54";
    h["datetime"] = s.time;
    h["geometry"]["distance"] = s.distance;
    h["sign_mode"] = s.sign_mode;
    h["gasleak_rect"] = s.rect;
    h["gasleak_power_ratio"] = s.power_ratio;
    h["gasleak_energy_cost"] = s.energy_cost;
    h["gasleak_gas_cost"] = s.gas_cost;
    const std::vector<uint8_t> dat = build_data_dat(compact(h), {}, false);
    write_file(dir + "/Data.dat",
               QByteArray(reinterpret_cast<const char*>(dat.data()), int(dat.size())));
    Json::Value n(Json::objectValue);
    n["name"] = QString::fromStdWString(s.name).toStdString();
    n["spl"] = s.spl;
    n["gasleak_currency"] = s.currency;
    n["gasleak_unite_mode"] = s.unit;
    write_file(dir + "/note.json", QByteArray::fromStdString(compact(n)));
    if (!s.edit_json.empty())
        write_file(dir + "/data_edit.json", QByteArray::fromStdString(s.edit_json));
    if (s.picture.isValid())
        write_file(dir + "/grab.jpg", jpeg(s.picture));

    data_info row; // what the database row holds
    row.data_import_id = import_id;
    row.dir_name = QString::fromStdString(s.dir).toStdWString();
    row.data_name = s.name;
    row.data_dir = dir.toStdWString();
    row.time = s.time;
    row.distance = s.distance;
    row.spl = s.spl;
    return row;
}

} // namespace survey_fixture
