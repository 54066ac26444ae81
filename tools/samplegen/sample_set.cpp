// A whole synthetic data set: one directory per item with Data.dat,
// note.json and grab.jpg.

#include "tools/samplegen/sample_gen.h"

#include "analysis/datafile/data_file.h"
#include "tools/samplegen/sample_json.h"

#include "platform/text.h"

#include <QDateTime>
#include <QTimeZone>

#include <json/json.h>

#include <cerrno>
#include <cmath>
#include <filesystem>
#include <map>
#include <system_error>
#include <tuple>

namespace fs = std::filesystem;

namespace {

const wchar_t* const item_names[] = {L"主变压器 A相",     L"Cable joint", L"阀门 3",
                                     L"Switchgear bay 2", L"储气罐 东",   L"Compressor inlet",
                                     L"O'Neil's valve",   L"电缆终端 B",  L"Busbar room"};
const wchar_t* const item_notes[] = {L"局部放电 复测",     L"",           L"Check again next week",
                                     L"泄漏点在法兰 B 侧", L"plain note", L"压缩空气 leak"};
const char* const writer_names[] = {"TarvoOrnApp", "TarvoSableApp", "vuvoraro"};
const char* const writer_versions[] = {"1.0.0.60", "2.1.3", "3.0.1"};
const char* const currencies[] = {"CNY", "USD", "EUR"};

fs::path to_path(const std::wstring& w) {
    return fs::u8path(wide_to_utf8(w));
}
std::wstring to_wide(const fs::path& p) {
    return utf8_to_wide(p.u8string());
}

QDateTime item_time(const sample_options& o, int i) {
    const QDateTime base(QDate(2024, 5, 6), QTime(8, 0, 0), Qt::UTC);
    return base.addDays(qint64((o.seed - 1) % 365)).addSecs(qint64(i) * 433);
}

// Header and signal of item i (what Data.dat holds).
sample_item describe(const sample_options& o, int i) {
    sample_item it;
    it.app_type = o.writer >= 0 && o.writer <= 2 ? o.writer : i % 3;
    it.app_name = writer_names[it.app_type];
    it.app_version = writer_versions[it.app_type];
    if (it.app_type == 0 && i % 6 == 3)
        it.app_version = "1.0.0.54"; // an older writer without the index tail
    it.has_tail = it.app_type == 2 || (it.app_type == 0 && it.app_version == "1.0.0.60");
    it.time = item_time(o, i).toString("yyyy-MM-dd HH:mm:ss").toStdString();
    it.gas_leak = o.gas_leak || i % 4 == 2;
    it.sign_mode = it.gas_leak ? 2 : 0;
    it.data_type = i % 5 == 4 ? 1 : 0;
    it.distance = 0.5 + (i % 9) * 0.7;
    static const int gains[] = {12, -13, 0, 14, 6};
    it.mic_gain_text = gains[i % 5];
    it.fs = std::max(1000, o.fs);
    it.samples = std::max(1, o.samples);
    it.frames = o.frames;
    it.noise_rms_pa = 0.02;
    if (it.gas_leak) {
        it.hiss_low_hz = 20000;
        it.hiss_high_hz = 50000;
        it.hiss_rms_pa = 0.3 + 0.3 * (i % 5);
    } else {
        it.tone_hz = 40000;
        it.tone_pa = 1.0 + 0.25 * (i % 5);
        it.pd_pa = 3.0;
        it.pd_phase_deg = {45.0, 225.0};
    }
    return it;
}

} // namespace

// Frame k of an item: samples in Pa and its band spectrum (sample_gen.cpp).
void sample_synth_frame(const sample_item& it, uint32_t seed, int k, std::vector<float>& pa,
                        std::vector<float>& spectrum);

int generate_sample_set(const std::wstring& out_dir, const sample_options& o, sample_set* out) {
    std::error_code ec;
    const fs::path root = to_path(out_dir);
    fs::create_directories(root, ec);
    if (ec)
        return ec.value();
    const int items = std::max(0, o.items);
    const int frames = std::max(0, o.frames);
    const int distinct = o.distinct_data_files > 0 ? o.distinct_data_files : items;
    sample_set set;
    set.root = out_dir;
    std::map<std::tuple<int, int, int, bool>, std::vector<uint8_t>> pictures;
    auto picture = [&](int i, int k, bool spot) -> const std::vector<uint8_t>& {
        const auto key = std::make_tuple(i % 6, i % 20, k, spot);
        auto f = pictures.find(key);
        if (f != pictures.end())
            return f->second;
        const int w = o.picture_width, h = o.picture_height;
        const int sx = int(w * (0.3 + 0.1 * (i % 5))), sy = int(h * (0.35 + 0.08 * (i % 4)));
        return pictures[key] =
                   make_sample_picture(w, h, o.seed * 1000u + uint32_t(i % 6), k, spot, sx, sy);
    };

    std::vector<uint8_t> grab0;
    for (int i = 0; i < items; ++i) {
        const int src = i % distinct; // the item whose Data.dat this one carries
        sample_item it = describe(o, src);
        const QDateTime own_time = item_time(o, i);
        it.dir_name = own_time.toString("yyyyMMdd_HHmmss").toStdWString();
        const fs::path dir = root / to_path(it.dir_name);
        fs::create_directories(dir, ec);
        if (ec)
            return ec.value();

        // Signal and Data.dat (or a link to the source item's file).
        it.frame_spl.clear();
        std::vector<std::vector<uint8_t>> payloads;
        // The camera's converter: counts times this factor are Pa, so the
        // analysis finds the generated pressure again.
        const int sensitivity = src % 2 ? 40 : 50;
        it.pa_per_count = it.app_type == 0 ? be_pa_per_count(sensitivity) : le_pa_per_unit;
        const uint32_t sig_seed = o.seed * 7919u + uint32_t(src);
        if (i != src)
            it.frame_spl = set.items[size_t(src)].frame_spl;
        for (int k = 0; k < frames && i == src; ++k) {
            std::vector<float> pa, spectrum;
            sample_synth_frame(it, sig_seed, k, pa, spectrum);
            float mx = spectrum[0];
            for (float v : spectrum)
                mx = v > mx ? v : mx;
            const float spl = 20.0f * std::log10(mx) + 94.0f;
            it.frame_spl.push_back(spl);
            sample_frame_content c;
            c.spectrum = spectrum;
            c.spl = spl;
            c.picture = picture(src, k, true);
            if (it.app_type == 0) {
                c.tag = 0x54410000u + uint32_t(k);
                c.counts.resize(pa.size());
                for (size_t j = 0; j < pa.size(); ++j) {
                    const long v = std::lround(pa[j] / it.pa_per_count);
                    c.counts[j] = int16_t(std::max(-32768L, std::min(32767L, v)));
                }
                c.wave_pa = pa;
                if (o.raw_pictures)
                    c.raw_picture = picture(src, k, false);
                payloads.push_back(encode_frame_be(c, true));
            } else {
                c.tag = 0x4c450000u + uint32_t(k);
                // These writers store samples in units of 125/3 Pa.
                c.wave_pa.resize(pa.size());
                for (size_t j = 0; j < pa.size(); ++j)
                    c.wave_pa[j] = float(pa[j] / le_pa_per_unit);
                payloads.push_back(encode_frame_le(c));
            }
        }
        const fs::path dat = dir / "Data.dat";
        if (i == src) {
            Json::Value h(Json::objectValue);
            h["datetime"] = it.time;
            h["geometry"]["distance"] = it.distance;
            h["data_type"] = it.data_type;
            h["distanceCorrectEnable"] = false;
            Json::Value& bf = h["beamforming"];
            bf["daq"] = it.fs;
            bf["micSensitivity"] = sensitivity;
            bf["micGain"] = std::to_string(it.mic_gain_text);
            bf["fpass1"] = 2000.0;
            bf["fpass2"] = it.fs / 2.0;
            h["app_name"] = it.app_name;
            h["app_version"] = it.app_version;
            h["device_type"] = it.app_type == 0 ? "ORN-40" : it.app_type == 1 ? "SBL-10" : "VUVO-7";
            h["sign_mode"] = it.sign_mode;
            if (it.gas_leak) {
                h["freqRangeStart"] = 20000;
                h["freqRangeEnd"] = 80000;
                h["gasleak_rect"] = 1.2;
                h["gasleak_power_ratio"] = 0.35;
                h["gasleak_energy_cost"] = 0.8;
                h["gasleak_gas_cost"] = 0.0025;
            } else if (src % 7 != 5) { // some headers rely on the defaults
                h["freqRangeStart"] = 5000;
                h["freqRangeEnd"] = it.fs / 2;
            }
            std::string header = sample_compact_json(h);
            header.pop_back();
            const auto bytes = build_data_dat(header, payloads, it.has_tail, &it.index_table);
            if (!it.has_tail)
                it.index_table.clear();
            if (int r = write_bytes(to_wide(dat), bytes))
                return r;
        } else {
            it.index_table = set.items[size_t(src)].index_table;
            fs::remove(dat, ec);
            fs::create_hard_link(root / to_path(set.items[size_t(src)].dir_name) / "Data.dat", dat,
                                 ec);
            if (ec) {
                ec.clear();
                fs::copy_file(root / to_path(set.items[size_t(src)].dir_name) / "Data.dat", dat,
                              ec);
                if (ec)
                    return ec.value();
            }
        }

        // note.json: names, notes, level, favourite; some keys left out.
        it.name = item_names[i % 9];
        if (i >= 9)
            it.name += L" (" + std::to_wstring(i / 9 + 1) + L")";
        it.note = item_notes[i % 6];
        it.discharge = i % 5;
        it.favorite = i % 3 == 1 ? 1 : 0;
        it.valid_type = i % 4 == 3 ? 1 : 0;
        Json::Value note(Json::objectValue);
        if (i % 11 == 10)
            it.name.clear(); // listed under its directory name
        else
            note["name"] = wide_to_utf8(it.name);
        note["note"] = wide_to_utf8(it.note);
        note["data_valid_type"] = it.valid_type;
        note["favorite"] = it.favorite;
        note["discharge"] = it.discharge;
        it.note_has_spl = i % 2 == 0 && !it.frame_spl.empty();
        if (it.note_has_spl) {
            it.note_spl = std::round(it.frame_spl[0] * 100.0) / 100.0;
            note["spl"] = it.note_spl;
        }
        if (it.gas_leak) {
            note["gasleak_currency"] = currencies[i % 3];
            note["gasleak_unite_mode"] = i % 2;
        }
        if (int r = write_text(to_wide(dir / "note.json"), sample_compact_json(note)))
            return r;
        if (o.grab && frames > 0) {
            if (int r = write_bytes(to_wide(dir / "grab.jpg"), picture(src, 0, true)))
                return r;
        }
        set.items.push_back(std::move(it));
    }
    if (out)
        *out = std::move(set);
    return 0;
}
