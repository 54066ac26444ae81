#include "detail_fixture.h"

#include "analysis/datafile/data_file.h"
#include "core/app_globals.h"
#include "core/app_log.h"
#include "store/database.h"

#include <QDir>

std::string detail_fixture::setup(const sample_options& options) {
    if (!tmp.isValid())
        return "no temporary directory";
    const QString app_dir = tmp.filePath(QStringLiteral("appdata"));
    QDir().mkpath(app_dir + QStringLiteral("/config"));
    set_app_data_location(app_dir.toStdWString());
    // HALVIX_TEST_LOG names a file that receives the program's log lines.
    const QByteArray log_path = qgetenv("HALVIX_TEST_LOG");
    if (!log_path.isEmpty() && !log_enabled())
        log_open(QString::fromLocal8Bit(log_path).toStdWString());
    if (db_init() != 0)
        return "db_init failed";
    const std::wstring root = tmp.filePath(QStringLiteral("set")).toStdWString();
    if (generate_sample_set(root, options, &set) != 0)
        return "generate_sample_set failed";

    const std::string id = make_dataset_id();
    if (data_import_db_insert(root, L"set", "1", id, "TarvoOrnApp") != 0)
        return "data_import_db_insert failed";
    sqlite3* h = db_open();
    if (!h)
        return "db_open failed";
    for (const sample_item& it : set.items) {
        data_info d;
        d.data_import_id = id;
        d.dir_name = it.dir_name;
        d.data_dir = root + L"/" + it.dir_name;
        read_data_item(d);
        d.frame_num = it.frames;
        if (d.data_name.empty())
            d.data_name = it.dir_name;
        if (data_list_db_insert(h, make_insert_row(d)) != 0) {
            db_close(h);
            return "data_list_db_insert failed";
        }
    }
    db_close(h);
    for (const import_data_info& ds : data_import_db_select_all())
        if (ds.id == id)
            dataset = ds;
    items = reload();
    return items.size() == set.items.size() ? std::string() : "rows missing";
}

std::vector<data_info> detail_fixture::reload() const {
    return data_list_db_select(dataset, false, false, false);
}

const sample_item& detail_fixture::generated(const std::wstring& dir_name) const {
    for (const sample_item& it : set.items)
        if (it.dir_name == dir_name)
            return it;
    static const sample_item none;
    return none;
}
