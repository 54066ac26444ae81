// halvix-cli fill-template: fills the report templates with sample values and
// pictures through the automation layer, exactly as a report run does.

#include "cli/cli_command.h"

#include "report/report_filler.h"
#include "report/report_sample.h"
#include "report/word_automation.h"

#include <QFileInfo>
#include <QTemporaryDir>

#include <cstdio>

namespace {
const char* usage = "usage: halvix-cli fill-template --general|--leak|--combined "
                    "[--lang en|zh] OUT.docx\n";

std::wstring wide(const QString& s) {
    return s.toStdWString();
}

int fill_one(const report_sample& s, const std::wstring& doc_path, bool page_break) {
    word_item_document item;
    if (word_open_template_copy(doc_path, item) != 0 || !item.selection)
        return -1;
    fill_report_document(item, s.item, s.dataset, s.fields, is_msword);
    word_finish_item(item, page_break);
    return 0;
}

int run(const QStringList& args) {
    QString mode, lang = "en", out;
    for (int i = 0; i < args.size(); ++i) {
        const QString& a = args[i];
        if (a == "--general" || a == "--leak" || a == "--combined")
            mode = a.mid(2);
        else if (a == "--lang" && i + 1 < args.size())
            lang = args[++i];
        else if (!a.startsWith("--") && out.isEmpty())
            out = a;
        else {
            std::fprintf(stderr, "%s", usage);
            return 2;
        }
    }
    if (mode.isEmpty() || out.isEmpty() || (lang != "en" && lang != "zh")) {
        std::fprintf(stderr, "%s", usage);
        return 2;
    }
    const bool chinese = lang == "zh";
    const int lang_id = chinese ? 1 : 0;
    out = QFileInfo(out).absoluteFilePath();

    word_com_initialize();
    if (int rc = reporter_checker()) {
        std::fprintf(stderr, "fill-template: the document engine is not available (%d)\n", rc);
        return 1;
    }
    QTemporaryDir work;
    if (!work.isValid()) {
        std::fprintf(stderr, "fill-template: no temporary directory\n");
        return 1;
    }
    auto sample = [&](int index, bool leak) {
        const std::wstring dir = wide(work.path()) + L"/item" + std::to_wstring(index);
        write_sample_pictures(dir, !leak, index);
        return make_report_sample(dir, leak, chinese, index);
    };

    int rc = 0;
    if (mode != "combined") {
        const report_sample s = sample(0, mode == "leak");
        const std::wstring path = wide(out);
        if (write_template_copy(report_template_for(s.item, lang_id), path) != 0) {
            std::fprintf(stderr, "fill-template: cannot write %s\n", out.toUtf8().constData());
            return 1;
        }
        rc = fill_one(s, path, false);
    } else {
        // Three items, the middle one a gas-leak item, each on its own pages.
        const std::wstring general = wide(work.path()) + L"/t_general.docx";
        const std::wstring leak = wide(work.path()) + L"/t_leak.docx";
        const report_sample probe_general = sample(0, false);
        const report_sample probe_leak = sample(1, true);
        if (write_template_copy(report_template_for(probe_general.item, lang_id), general) ||
            write_template_copy(report_template_for(probe_leak.item, lang_id), leak) ||
            word_start_combined_document(wide(out), true) != 0) {
            std::fprintf(stderr, "fill-template: cannot prepare %s\n", out.toUtf8().constData());
            return 1;
        }
        const report_sample items[] = {probe_general, probe_leak, sample(2, false)};
        for (int i = 0; i < 3 && rc == 0; ++i)
            rc = fill_one(items[i], items[i].item.sign_mode == 2 ? leak : general, i > 0);
        word_finish_combined_document();
    }
    word_com_uninitialize();
    if (rc != 0 || !QFileInfo::exists(out)) {
        std::fprintf(stderr, "fill-template: filling failed\n");
        return 1;
    }
    std::printf("%s\n", out.toUtf8().constData());
    return 0;
}

cli_command_registrar reg({"fill-template",
                           "fill-template --general|--leak|--combined [--lang en|zh] OUT.docx",
                           "fill the report templates with sample values into OUT.docx", run});
} // namespace
