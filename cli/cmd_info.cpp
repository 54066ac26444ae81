// halvix-cli info: what the program reads from one data item directory.

#include "cli/cli_args.h"
#include "cli/cli_command.h"
#include "cli/cli_json_util.h"

#include "analysis/datafile/data_file.h"
#include "platform/text.h"

#include "store/file_util.h"
#include "store/local_dir_check.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace {

int run_info(const QStringList& args) {
    bool json = false;
    int dir_arg = -1;
    for (int i = 0; i < args.size(); ++i) {
        const QString& a = args[i];
        if (a == "--json")
            json = true;
        else if (!a.startsWith("--") && dir_arg < 0)
            dir_arg = i;
        else {
            cli_error(cli_tr("usage: halvix-cli info ITEM_DIR [--json]"));
            return 2;
        }
    }
    if (dir_arg < 0) {
        cli_error(cli_tr("usage: halvix-cli info ITEM_DIR [--json]"));
        return 2;
    }
    // The directory as given, byte for byte (its name may be no UTF-8).
    const std::wstring abs = cli_absolute_path(cli_native_args()[size_t(dir_arg)]);
    if (!dir_exists(abs)) {
        cli_error(cli_tr("%1 is not a directory").arg(QString::fromStdWString(abs)));
        return 1;
    }
    data_info d;
    d.data_dir = abs;
    d.dir_name = local_root_name(abs);
    const std::wstring dat = d.data_dir + L"/Data.dat";
    const int head = read_data_item(d);
    if (head != 0) {
        // Only regular files are read (a FIFO would wait for a writer).
        const QString why = head == EISDIR || head == EINVAL ? cli_tr("not a regular file")
                            : head > 0 ? QString::fromLocal8Bit(std::strerror(head))
                                       : cli_tr("the header is no JSON object");
        cli_error(cli_tr("cannot read %1 (%2)").arg(QString::fromStdWString(dat), why));
        return 1;
    }
    // Frames in small runs, walked once: a long recording never sits in
    // memory at once, and a file without an index is not walked per run.
    Json::Value spl(Json::arrayValue);
    data_frame_walk walk;
    data_info h;
    if (walk.open(dat, h) == 0) {
        while (!walk.at_end()) {
            std::vector<signal_frame_ptr> frames;
            int32_t n = 32;
            if (walk.next(n, frames) != 0 || n == 0)
                break;
            for (const auto& f : frames)
                spl.append(cli_number(f->spl));
        }
    }
    // The index table counts the frames when there is one (a damaged file
    // may hold fewer whole frames than it lists); else the walk did.
    d.frame_num = d.index_table.empty() ? int32_t(spl.size()) : int32_t(d.index_table.size());

    if (json) {
        Json::Value o = cli_data_info_json(d);
        o["frame_spl"] = spl;
        cli_print_json(o);
        return 0;
    }
    // Every text comes from the item's files: escaped for the terminal.
    const auto line = [](const char* key, const std::string& value) {
        std::printf("%-18s %s\n", key, cli_text(value).c_str());
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
