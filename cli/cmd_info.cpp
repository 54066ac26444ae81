// halvix-cli info: what the program reads from one data item directory.

#include "cli/cli_command.h"
#include "cli/cli_json_util.h"

#include "analysis/datafile/data_file.h"
#include "platform/text.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include <cstdio>

namespace {

QString tr_cli(const char* text) {
    return QCoreApplication::translate("halvix_cli", text);
}

int run_info(const QStringList& args) {
    bool json = false;
    QString dir;
    for (const QString& a : args) {
        if (a == "--json")
            json = true;
        else if (!a.startsWith("--") && dir.isEmpty())
            dir = a;
        else {
            cli_error(tr_cli("usage: halvix-cli info ITEM_DIR [--json]"));
            return 2;
        }
    }
    if (dir.isEmpty()) {
        cli_error(tr_cli("usage: halvix-cli info ITEM_DIR [--json]"));
        return 2;
    }
    const QString abs = QDir::cleanPath(QDir::current().absoluteFilePath(dir));
    if (!QFileInfo(abs).isDir()) {
        cli_error(tr_cli("%1 is not a directory").arg(abs));
        return 1;
    }
    data_info d;
    d.data_dir = abs.toStdWString();
    d.dir_name = QFileInfo(abs).fileName().toStdWString();
    const std::wstring dat = d.data_dir + L"/Data.dat";
    const int head = read_data_item(d);
    if (head != 0) {
        cli_error(tr_cli("cannot read %1 (error %2)").arg(QString::fromStdWString(dat)).arg(head));
        return 1;
    }
    if (!d.index_table.empty()) {
        d.frame_num = int32_t(d.index_table.size());
    } else {
        int32_t count = 0;
        count_data_frames(dat, count);
        d.frame_num = count;
    }
    // Frames in small runs: a long recording never sits in memory at once.
    Json::Value spl(Json::arrayValue);
    for (int32_t start = 0;;) {
        std::vector<signal_frame_ptr> frames;
        data_info h;
        int32_t n = 32;
        bool at_end = false;
        if (read_data_frames(dat, start, n, frames, h, at_end) != 0 || n == 0)
            break;
        for (const auto& f : frames)
            spl.append(cli_number(f->spl));
        start += n;
        if (at_end)
            break;
    }

    if (json) {
        Json::Value o = cli_data_info_json(d);
        o["frame_spl"] = spl;
        cli_print_json(o);
        return 0;
    }
    const auto line = [](const char* key, const std::string& value) {
        std::printf("%-18s %s\n", key, value.c_str());
    };
    line("name", wide_to_utf8(d.data_name));
    line("note", wide_to_utf8(d.data_note));
    line("time", d.time);
    line("writer", d.app_name + " " + d.app_version + " (type " + std::to_string(d.app_type) + ")");
    line("device", wide_to_utf8(d.device_type));
    line("distance", cli_num(d.distance) + " m");
    line("sample rate", std::to_string(d.fs) + " Hz");
    line("band",
         std::to_string(d.freq_range_start) + "-" + std::to_string(d.freq_range_end) + " Hz");
    line("level / favorite", std::to_string(d.discharge) + " / " + std::to_string(d.favorite));
    line("spl", cli_num(d.spl) + " dB");
    line("sign mode", std::to_string(d.sign_mode));
    line("index tail", d.has_tail ? "yes" : "no");
    line("frames", std::to_string(d.frame_num));
    std::string levels;
    for (const auto& v : spl)
        levels +=
            (levels.empty() ? "" : " ") +
            (v.isNull() ? std::string("-") : QString::number(v.asDouble(), 'f', 2).toStdString());
    line("frame spl (dB)", levels);
    return 0;
}

const cli_command_registrar registrar({"info", "info ITEM_DIR [--json]",
                                       "show what is read from one data item directory", run_info});

} // namespace
