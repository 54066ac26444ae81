#include "report/survey_export.h"

#include "analysis/datafile/data_file.h"
#include "core/app_log.h"
#include "platform/atomic_file.h"
#include "platform/text.h"
#include "report/csv_writer.h"
#include "report/word_automation.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QDate>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QTemporaryDir>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <thread>

const wchar_t* const survey_template_zh = L":/Halvix/Resources/t_survey.docx";
const wchar_t* const survey_template_en = L":/Halvix/Resources/t_survey_en.docx";

const wchar_t* survey_template_for(int lang_id) {
    return lang_id == 1 ? survey_template_zh : survey_template_en;
}

namespace {

// The exports' words, translated in the context "survey_export".
class survey_export {
    Q_DECLARE_TR_FUNCTIONS(survey_export)
};

std::string u8(const std::wstring& s) {
    return wide_to_utf8(s);
}

std::string u8(const QString& s) {
    return s.toStdString();
}

std::wstring wide(const QString& s) {
    return s.toStdWString();
}

// What the remarks column and the document's closing note say about a leak.
std::string remarks(const survey_leak& l) {
    std::string r;
    auto add = [&r](const QString& t) {
        if (!r.empty())
            r += "; ";
        r += u8(t);
    };
    if (l.distance_substituted)
        add(survey_export::tr("distance 0 m or less: estimated at 0.3 m"));
    if (!l.counted)
        add(survey_export::tr("values that are not finite numbers: left out of the totals"));
    return r;
}

} // namespace

// ---- CSV ------------------------------------------------------------------------

std::string survey_csv_text(const leak_survey& s) {
    csv_table t;
    t.add_row({u8(survey_export::tr("Rank")), u8(survey_export::tr("Name")),
               u8(survey_export::tr("Time")), u8(survey_export::tr("SPL (dB)")),
               u8(survey_export::tr("Distance (m)")), u8(survey_export::tr("Level at 1 m (dB)")),
               u8(survey_export::tr("Leak rate")), u8(survey_export::tr("Rate unit")),
               u8(survey_export::tr("Leak rate (L/min)")), u8(survey_export::tr("Leak level")),
               u8(survey_export::tr("Yearly cost")), u8(survey_export::tr("Currency")),
               u8(survey_export::tr("Energy (kWh/yr)")),
               u8(survey_export::tr("CO2 (kg/yr at %1 kg/kWh)")
                      .arg(QString::fromStdString(csv_number(s.co2_kg_per_kwh, 3)))),
               u8(survey_export::tr("Remarks"))});
    std::vector<const survey_leak*> ranked;
    for (const survey_leak& l : s.leaks)
        ranked.push_back(&l);
    std::stable_sort(ranked.begin(), ranked.end(),
                     [](const survey_leak* a, const survey_leak* b) { return a->rank < b->rank; });
    for (const survey_leak* p : ranked) {
        const survey_leak& l = *p;
        const data_info& d = l.item;
        const int rate_decimals = d.gasleak_unit_mode == 1 ? 3 : 2;
        t.add_row({std::to_string(l.rank), csv_text(u8(survey_item_name(d))), csv_text(d.time),
                   csv_number(d.spl, 1), csv_number(d.distance, 2), csv_number(l.level_1m, 1),
                   csv_number(d.leak_rate, rate_decimals), u8(survey_rate_unit(d)),
                   csv_number(l.rate_lpm, 2), csv_number(d.leak_level, 2),
                   csv_number(d.leak_cost, 2), csv_text(u8(d.gasleak_currency)),
                   l.has_energy ? csv_number(l.energy_kwh, 1) : std::string(),
                   l.has_energy ? csv_number(l.co2_kg, 1) : std::string(), remarks(l)});
    }
    // Totals: the first row carries the leak rate, energy and CO2 with the
    // largest currency's cost; every other currency follows on a row of its
    // own, never added to another.
    const survey_totals& tot = s.totals;
    std::string note = u8(survey_export::tr("%1 leaks counted").arg(tot.counted));
    if (tot.left_out > 0)
        note += "; " + u8(survey_export::tr("%1 left out of the totals").arg(tot.left_out));
    if (s.other_items > 0)
        note += "; " + u8(survey_export::tr("%1 other data items not listed").arg(s.other_items));
    const std::string total = u8(survey_export::tr("Total"));
    const size_t cost_rows = std::max<size_t>(1, tot.costs.size());
    for (size_t i = 0; i < cost_rows; ++i) {
        const bool first = i == 0;
        const bool has_cost = i < tot.costs.size();
        t.add_row(
            {total, std::string(), std::string(), std::string(), std::string(), std::string(),
             std::string(), std::string(), first ? csv_number(tot.rate_lpm, 2) : std::string(),
             std::string(), has_cost ? csv_number(tot.costs[i].cost, 2) : std::string(),
             has_cost ? csv_text(u8(tot.costs[i].currency)) : std::string(),
             first ? csv_number(tot.energy_kwh, 1) : std::string(),
             first ? csv_number(tot.co2_kg, 1) : std::string(), first ? note : std::string()});
    }
    return t.text(true);
}

int write_survey_csv(const leak_survey& s, const std::wstring& path) {
    const int rc = write_text_file(path, survey_csv_text(s));
    if (rc != 0)
        app_log("write_survey_csv errno:%d %s", rc, u8(path).c_str());
    return rc;
}

// ---- thumbnails -----------------------------------------------------------------

std::string survey_thumbnail(const data_info& d) {
    QImage img;
    QImageReader reader(QString::fromStdWString(d.data_dir + L"/grab.jpg"));
    if (reader.canRead()) {
        // The decoder scales while decoding: a fraction of a full decode.
        const QSize full = reader.size();
        if (full.isValid())
            reader.setScaledSize(
                full.scaled(survey_thumb_width_px, survey_thumb_height_px, Qt::KeepAspectRatio));
        img = reader.read();
    }
    if (img.isNull()) {
        const std::vector<uint8_t> jpeg = read_first_picture(d.data_dir + L"/Data.dat");
        if (!jpeg.empty() && img.loadFromData(jpeg.data(), int(jpeg.size())))
            img = img.scaled(survey_thumb_width_px, survey_thumb_height_px, Qt::KeepAspectRatio,
                             Qt::SmoothTransformation);
    }
    if (img.isNull())
        return std::string();
    QByteArray out;
    QBuffer buffer(&out);
    buffer.open(QIODevice::WriteOnly);
    if (!img.save(&buffer, "JPEG", 85))
        return std::string();
    return std::string(out.constData(), size_t(out.size()));
}

// ---- Word document ------------------------------------------------------------

namespace {

struct survey_doc {
    dispatch_ptr app;
    dispatch_ptr documents;
    dispatch_ptr document;
    dispatch_ptr selection;
    dispatch_ptr inline_shapes;
};

dispatch_ptr get(const dispatch_ptr& d, const wchar_t* name) {
    variant r;
    AutoWrap(DISPATCH_PROPERTYGET, &r, d, name, 0);
    return r.type == variant::kind::dispatch ? r.d : nullptr;
}

// Its own application instance: the report task's combined document and
// the other shared automation state stay untouched.
bool open_document(const std::wstring& path, survey_doc& doc) {
    word_com_initialize();
    int32_t class_id = 0;
    if (uint32_t hr = docengine::class_id_from_prog_id(L"Word.Application", class_id)) {
        app_log("Word.Application ID fail %u", hr);
        return false;
    }
    if (docengine::create_instance(class_id, doc.app) != docengine::s_ok || !doc.app) {
        app_log("CoCreateInstance %lu", static_cast<unsigned long>(docengine::regdb_e_classnotreg));
        return false;
    }
    doc.documents = get(doc.app, L"Documents");
    variant opened;
    AutoWrap(DISPATCH_METHOD, &opened, doc.documents, L"Open", 1, path);
    if (opened.type != variant::kind::dispatch)
        return false;
    doc.document = opened.d;
    doc.selection = get(doc.app, L"Selection");
    doc.inline_shapes = get(doc.selection, L"InlineShapes");
    return doc.selection != nullptr;
}

void quit(survey_doc& doc) {
    if (doc.app)
        AutoWrap(DISPATCH_METHOD, nullptr, doc.app, L"Quit", 1, static_cast<int32_t>(0));
    doc = survey_doc();
}

struct cursor {
    const dispatch_ptr& sel;
    void top() { word_home_story(sel); }
    void line(int n) {
        word_home_story(sel);
        word_move_down(sel, n);
    }
    void right(int n) { word_move_right_cells(sel, n); }
    void end() { word_end_line(sel); }
    void type(const std::wstring& s) { word_type_text(sel, s); }
};

double correction_of(const data_info& d) {
    return d.gasleak_rect;
}
double power_ratio_of(const data_info& d) {
    return d.gasleak_power_ratio;
}
double energy_cost_of(const data_info& d) {
    return d.gasleak_energy_cost;
}
double gas_cost_of(const data_info& d) {
    return d.gasleak_gas_cost;
}

std::wstring today() {
    return QDate::currentDate().toString(QStringLiteral("yyyy-MM-dd")).toStdWString();
}

// Lines of the survey template (see survey.document.xml.in).
constexpr int line_dataset = 1;
constexpr int line_date = 2;
constexpr int line_items = 3;
constexpr int line_parameters = 5;
constexpr int line_first_leak = 10;

// Makes the thumbnails of every leak into dir, using the spare cores.
// Returns the path of each leak's picture (empty when it has none).
std::vector<std::wstring> make_thumbnails(const std::vector<const survey_leak*>& leaks,
                                          const QString& dir) {
    std::vector<std::wstring> paths(leaks.size());
    const unsigned threads = std::max(1u, std::min(4u, std::thread::hardware_concurrency()));
    auto work = [&](unsigned first) {
        for (size_t i = first; i < leaks.size(); i += threads) {
            const std::string jpeg = survey_thumbnail(leaks[i]->item);
            if (jpeg.empty())
                continue;
            const QString path = dir + QStringLiteral("/p%1.jpg").arg(i);
            // A picture that cannot be written is left out; the document still is.
            if (platform::write_file_replace(path.toStdString(), jpeg) == 0)
                paths[i] = path.toStdWString();
        }
    };
    std::vector<std::thread> pool;
    for (unsigned t = 1; t < threads && t < leaks.size(); ++t)
        pool.emplace_back(work, t);
    work(0);
    for (auto& t : pool)
        t.join();
    return paths;
}

void fill_header(cursor& c, const leak_survey& s, const survey_report_options& o) {
    c.line(line_dataset);
    c.end();
    c.type(o.dataset_name);
    c.line(line_date);
    c.end();
    c.type(o.date.empty() ? today() : o.date);
    c.line(line_items);
    c.end();
    c.type(wide(survey_export::tr("%1 (%2 gas leaks listed, %3 other items not listed)")
                    .arg(s.items)
                    .arg(s.leaks.size())
                    .arg(s.other_items)));

    const std::wstring values[6] = {survey_number(s.co2_kg_per_kwh, 3) + L" kg/kWh",
                                    survey_number(survey_hours_per_year, 0) + L" h",
                                    survey_range_text(s, correction_of, 2),
                                    survey_range_text(s, power_ratio_of, 2) + L" kW/(m\u00b3/min)",
                                    survey_range_text(s, energy_cost_of, 3),
                                    survey_range_text(s, gas_cost_of, 4)};
    for (int row = 0; row < 3; ++row) {
        c.line(line_parameters + row);
        c.right(1);
        c.type(values[row * 2]);
        c.right(2);
        c.type(values[row * 2 + 1]);
    }
}

void fill_totals(cursor& c, const leak_survey& s) {
    const survey_totals& t = s.totals;
    // The caret is in the totals row's first cell ("Total").
    c.right(2);
    c.type(wide(survey_export::tr("Leaks counted: %1").arg(t.counted)));
    c.right(5);
    c.type(survey_number(t.rate_lpm, 1) + L" L/min");
    c.right(2);
    std::wstring costs;
    for (const survey_cost_total& ct : t.costs) {
        if (!costs.empty())
            costs += L"\n";
        costs += survey_cost_text(ct.cost, ct.currency);
    }
    c.type(costs.empty() ? survey_number(0, 1) : costs);
    c.right(1);
    c.type(survey_number(t.energy_kwh, 0));
    c.right(1);
    c.type(survey_number(t.co2_kg, 0));
}

std::wstring closing_note(const leak_survey& s) {
    std::wstring note;
    auto add = [&note](const QString& t) {
        if (!note.empty())
            note += L"\n";
        note += wide(t);
    };
    if (s.totals.left_out > 0)
        add(survey_export::tr(
                "Left out of the totals (values that are not finite numbers): %1 leaks.")
                .arg(s.totals.left_out));
    if (std::any_of(s.leaks.begin(), s.leaks.end(),
                    [](const survey_leak& l) { return l.distance_substituted; }))
        add(survey_export::tr(
            "* Distance of 0 m or less in the item's files: estimated at 0.3 m."));
    add(survey_export::tr(
            "Energy = leak rate (m\u00b3/min) \u00d7 power ratio \u00d7 8760 h; CO\u2082 = "
            "energy \u00d7 %1 kg/kWh. Costs in different currencies are not added "
            "together.")
            .arg(QString::fromStdWString(survey_number(s.co2_kg_per_kwh, 3))));
    return note;
}

} // namespace

survey_report_outcome write_survey_report(const leak_survey& s, const std::wstring& path,
                                          const survey_report_options& o,
                                          const std::function<void(double)>& progress,
                                          const std::atomic<uint8_t>* abort) {
    survey_report_outcome out;
    auto step = [&](double v) {
        if (progress)
            progress(v);
    };
    auto aborted = [&] { return abort && abort->load(); };
    QElapsedTimer timer;
    timer.start();

    QTemporaryDir work;
    QFile resource(QString::fromWCharArray(survey_template_for(o.lang_id)));
    if (!work.isValid() || !resource.open(QIODevice::ReadOnly)) {
        out.result = work.isValid() ? ENOENT : EIO;
        app_log("survey_report template %d", out.result);
        return out;
    }
    const QByteArray template_bytes = resource.readAll();
    const std::wstring copy = (work.path() + QStringLiteral("/t_survey.docx")).toStdWString();
    if (const int rc = platform::write_file_replace(
            u8(copy), std::string(template_bytes.constData(), size_t(template_bytes.size())))) {
        out.result = rc;
        app_log("survey_report copy errno:%d", rc);
        return out;
    }

    std::vector<const survey_leak*> ranked;
    for (const survey_leak& l : s.leaks)
        ranked.push_back(&l);
    std::stable_sort(ranked.begin(), ranked.end(),
                     [](const survey_leak* a, const survey_leak* b) { return a->rank < b->rank; });
    const std::vector<std::wstring> thumbs = make_thumbnails(ranked, work.path());
    out.t_pictures = timer.nsecsElapsed() / 1e9;
    step(0.3);

    survey_doc doc;
    if (!open_document(copy, doc)) {
        quit(doc);
        out.result = EIO;
        app_log("survey_report open fail");
        return out;
    }
    cursor c{doc.selection};
    fill_header(c, s, o);

    const int n = int(ranked.size());
    c.line(line_first_leak);
    if (n > 1)
        AutoWrap(DISPATCH_METHOD, nullptr, doc.selection, L"InsertRowsBelow", 1,
                 static_cast<int32_t>(n - 1));
    c.line(line_first_leak);
    if (n == 0) {
        c.right(2);
        c.type(wide(survey_export::tr("No gas-leak items")));
        c.right(10);
    }
    for (int i = 0; i < n; ++i) {
        if (aborted()) {
            out.aborted = true;
            quit(doc);
            return out;
        }
        const survey_leak& l = *ranked[size_t(i)];
        const data_info& d = l.item;
        c.type(std::to_wstring(l.rank));
        c.right(1);
        if (!thumbs[size_t(i)].empty()) {
            word_add_picture(doc.inline_shapes, thumbs[size_t(i)], survey_thumb_width_pt,
                             survey_thumb_height_pt);
            ++out.pictures;
        }
        c.right(1);
        c.type(survey_item_name(d));
        c.right(1);
        c.type(utf8_to_wide(d.time));
        c.right(1);
        c.type(survey_number(d.spl, 1));
        c.right(1);
        c.type(survey_number(d.distance, 1) + (l.distance_substituted ? L" *" : L""));
        c.right(1);
        c.type(survey_number(l.level_1m, 1));
        c.right(1);
        c.type(survey_rate_text(l));
        c.right(1);
        c.type(survey_number(d.leak_level, 2));
        c.right(1);
        c.type(survey_cost_text(d.leak_cost, d.gasleak_currency));
        c.right(1);
        c.type(l.has_energy ? survey_number(l.energy_kwh, 0) : std::wstring(L"\u2014"));
        c.right(1);
        c.type(l.has_energy ? survey_number(l.co2_kg, 0) : std::wstring(L"\u2014"));
        c.right(1); // on to the next row, after the last leak the totals
        ++out.leaks;
        step(0.3 + 0.6 * (i + 1) / n);
    }
    fill_totals(c, s);
    c.line(line_first_leak + std::max(n, 1) + 1);
    c.type(closing_note(s));
    out.t_fill = timer.nsecsElapsed() / 1e9 - out.t_pictures;

    const uint32_t saved = AutoWrap(DISPATCH_METHOD, nullptr, doc.document, L"SaveAs2", 1, path);
    quit(doc);
    out.t_save = timer.nsecsElapsed() / 1e9 - out.t_pictures - out.t_fill;
    if (saved != docengine::s_ok) {
        out.result = EIO;
        app_log("survey_report save fail 0x%08lx %s", static_cast<unsigned long>(saved),
                u8(path).c_str());
        return out;
    }
    step(1.0);
    app_log("survey_report %s %d %.2f", u8(path).c_str(), out.leaks, timer.nsecsElapsed() / 1e9);
    return out;
}
