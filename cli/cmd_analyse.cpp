// halvix-cli analyse: runs the detail view's analysis of one data item and
// prints what the analysis worker handed back.

#include "cli/cli_args.h"
#include "cli/cli_command.h"
#include "cli/cli_json_util.h"

#include "analysis/colormap_painter.h"
#include "analysis/data_detail_func_obj.h"
#include "analysis/datafile/data_file.h"
#include "analysis/gas_leak.h"
#include "analysis/stft_fft_handoff.h"

#include <QFileInfo>

#include <cstdio>

namespace {

// What the worker's signals carried.
struct analysis_output {
    bool wave = false;
    int wave_points = 0;
    double wave_r[4] = {};
    bool spectrum = false;
    QVector<QPointF> fft;
    double fft_r[4] = {};
    bool stft = false;
    QImage stft_image;
    double stft_r[4] = {};
    double stft_min = 0, stft_max = 0;
    QImage colour_bar;
    QVector<QPointF> prpd;
    bool spl_set = false;
    double spl = 0;
    std::vector<std::pair<int, QSize>> pictures;
};

void connect_output(data_detail_func_obj& w, analysis_output& o) {
    QObject::connect(&w, &data_detail_func_obj::update_wave,
                     [&o](QVector<QPointF> p, double x0, double x1, double y0, double y1) {
                         o.wave = true;
                         o.wave_points = p.size();
                         o.wave_r[0] = x0, o.wave_r[1] = x1, o.wave_r[2] = y0, o.wave_r[3] = y1;
                     });
    QObject::connect(&w, &data_detail_func_obj::update_wave_fft,
                     [&o](QVector<QPointF> p, double x0, double x1, double y0, double y1) {
                         o.spectrum = true;
                         o.fft = p;
                         o.fft_r[0] = x0, o.fft_r[1] = x1, o.fft_r[2] = y0, o.fft_r[3] = y1;
                     });
    QObject::connect(&w, &data_detail_func_obj::update_stft,
                     [&o](QImage img, int, int, double x0, double x1, double y0, double y1) {
                         o.stft = true;
                         o.stft_image = img;
                         o.stft_r[0] = x0, o.stft_r[1] = x1, o.stft_r[2] = y0, o.stft_r[3] = y1;
                     });
    QObject::connect(&w, &data_detail_func_obj::update_stft_clear, [&o]() {
        o.stft = false;
        o.stft_image = QImage();
    });
    QObject::connect(
        &w, &data_detail_func_obj::update_stft_fft, [&o](unsigned char* buffer, int bw, int bh) {
            auto owned = stft_fft_buffer_take(buffer);
            if (owned)
                o.colour_bar = QImage(owned.get(), bw, bh, bw * 3, QImage::Format_RGB888).copy();
        });
    QObject::connect(&w, &data_detail_func_obj::update_wave_prpd,
                     [&o](QVector<QPointF> p, double, double, double, double) { o.prpd = p; });
    QObject::connect(&w, &data_detail_func_obj::update_pic,
                     [&o](int idx, QImage img, bool) { o.pictures.emplace_back(idx, img.size()); });
    QObject::connect(&w, &data_detail_func_obj::update_spl, [&o](double v) {
        o.spl_set = true;
        o.spl = v;
    });
}

Json::Value points_json(const QVector<QPointF>& p) {
    Json::Value a(Json::arrayValue);
    for (const QPointF& q : p) {
        Json::Value pair(Json::arrayValue);
        pair.append(cli_number(q.x()));
        pair.append(cli_number(q.y()));
        a.append(pair);
    }
    return a;
}

void ranges(Json::Value& v, const double r[4]) {
    v["x0"] = cli_number(r[0]);
    v["x1"] = cli_number(r[1]);
    v["y0"] = cli_number(r[2]);
    v["y1"] = cli_number(r[3]);
}

int run_analyse(const QStringList& args) {
    QString dir, png;
    int start = 0, count = 25, func = 0, rows = 0;
    bool csv = false;
    for (int i = 0; i < args.size(); ++i) {
        const QString& a = args[i];
        auto value = [&](int& out, int min, int max) {
            if (i + 1 >= args.size()) {
                cli_error(cli_tr("%1 needs a value").arg(a));
                return false;
            }
            return cli_parse_int(a, args[++i], out, min, max);
        };
        if (a == "--start") {
            if (!value(start, 0, 1 << 30))
                return 2;
        } else if (a == "--count") {
            if (!value(count, 1, 100000))
                return 2;
        } else if (a == "--func") {
            if (!value(func, 0, 2))
                return 2;
        } else if (a == "--rows") {
            if (!value(rows, 0, 100000))
                return 2;
        } else if (a == "--json") {
            csv = false;
        } else if (a == "--csv") {
            csv = true;
        } else if (a == "--png") {
            if (i + 1 >= args.size()) {
                cli_error(cli_tr("--png needs a file name"));
                return 2;
            }
            png = args[++i];
        } else if (a.startsWith("--") || !dir.isEmpty()) {
            cli_error(cli_tr("unexpected argument %1 (see --help)").arg(a));
            return 2;
        } else {
            dir = a;
        }
    }
    if (dir.isEmpty()) {
        cli_error(cli_tr("usage: halvix-cli analyse ITEM_DIR [--start S] [--count C] "
                         "[--func 0|1|2] [--rows R] [--json|--csv] [--png FILE]"));
        return 2;
    }
    const QString abs = cli_absolute(dir);
    if (!QFileInfo(abs + "/Data.dat").isFile()) {
        cli_error(cli_tr("%1 holds no Data.dat").arg(abs));
        return 1;
    }

    // The record as the detail view fills it from the item's files.
    data_info d;
    d.data_dir = abs.toStdWString();
    d.dir_name = QFileInfo(abs).fileName().toStdWString();
    read_data_item(d);
    d.frame_num = int(d.index_table.size());
    if (d.frame_num == 0) {
        int32_t frames = 0;
        count_data_frames(d.data_dir + L"/Data.dat", frames);
        d.frame_num = frames;
    }
    d.dd_start_frame_idx = start;
    d.frame_read_num = count;
    d.pic_num = 6;

    data_detail_func_obj worker;
    analysis_output o;
    connect_output(worker, o);
    worker.set_stft_view_size(0, rows);
    worker.data_detail_handle_add(d);
    worker.update_data(func);
    const detail_run_info run = worker.last_run();

    if (csv) {
        std::printf("frequency_hz,level_db\n");
        for (const QPointF& p : o.fft)
            std::printf("%.6g,%.6f\n", p.x(), p.y());
    } else {
        Json::Value out(Json::objectValue);
        out["frames_read"] = run.frames_read;
        out["start_used"] = run.start_used;
        if (o.wave) {
            Json::Value w(Json::objectValue);
            w["points"] = o.wave_points;
            ranges(w, o.wave_r);
            out["wave"] = w;
        } else {
            out["wave"] = Json::Value();
        }
        if (o.spectrum) {
            Json::Value s(Json::objectValue);
            ranges(s, o.fft_r);
            s["points"] = points_json(o.fft);
            out["spectrum"] = s;
        } else {
            out["spectrum"] = Json::Value();
        }
        if (o.stft) {
            Json::Value s(Json::objectValue);
            s["columns"] = o.stft_image.width();
            s["rows"] = o.stft_image.height();
            ranges(s, o.stft_r);
            s["min"] = cli_number(run.stft_min);
            s["max"] = cli_number(run.stft_max);
            out["stft"] = s;
        } else {
            out["stft"] = Json::Value();
        }
        out["colorbar_rows"] = o.colour_bar.isNull() ? 0 : o.colour_bar.height();
        Json::Value prpd(Json::objectValue);
        prpd["points"] = points_json(o.prpd);
        out["prpd"] = prpd;
        const double spl = o.spl_set ? o.spl : d.spl;
        out["spl"] = cli_number(spl);
        Json::Value pics(Json::arrayValue);
        for (const auto& p : o.pictures) {
            Json::Value pic(Json::objectValue);
            pic["slot"] = p.first;
            pic["width"] = p.second.width();
            pic["height"] = p.second.height();
            pics.append(pic);
        }
        out["pictures"] = pics;
        if (d.sign_mode == 2) {
            const gas_leak_result g =
                calc_gas_leak(spl, d.distance, d.gasleak_rect, d.gasleak_unit_mode,
                              d.gasleak_power_ratio, d.gasleak_energy_cost, d.gasleak_gas_cost);
            Json::Value leak(Json::objectValue);
            leak["rate"] = cli_number(g.rate);
            leak["level"] = cli_number(g.level);
            leak["cost"] = cli_number(g.cost);
            out["gas_leak"] = leak;
        }
        cli_print_json(out);
    }

    if (!png.isEmpty()) {
        colormap_view view;
        view.image = o.stft_image;
        if (o.stft) {
            view.x0 = o.stft_r[0];
            view.x1 = o.stft_r[1];
            view.y0 = o.stft_r[2];
            view.y1 = o.stft_r[3];
        }
        const QImage img = render_colormap(QSize(800, 480), view, o.colour_bar);
        if (!img.save(png, "PNG")) {
            cli_error(cli_tr("cannot write %1").arg(png));
            return 1;
        }
    }
    if (run.frames_read == 0) {
        cli_error(cli_tr("no frame could be read from %1").arg(abs));
        return 1;
    }
    return 0;
}

const cli_command_registrar registrar({
    "analyse",
    "analyse ITEM_DIR [--start S] [--count C] [--func 0|1|2] [--rows R] [--json|--csv] [--png "
    "FILE]",
    "runs the detail view's analysis of one data item and prints its results",
    run_analyse,
});

} // namespace
