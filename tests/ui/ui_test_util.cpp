#include "ui_test_util.h"

#include "core/app_globals.h"
#include "core/app_log.h"
#include "store/database.h"
#include "ui/kit/t_orn_msg_box.h"

#include <QtTest>
#include <QtWidgets>

namespace ui_test {

void use_private_data_location(const QTemporaryDir& dir) {
    log_close();
    set_app_data_location(dir.path().toStdWString());
    QDir().mkpath(dir.path() + "/config");
    QDir().mkpath(dir.path() + "/log");
    log_open(log_file_path);
    db_init();
}

import_data_info make_dataset(const QString& parent, const QString& name, int n,
                              const std::string& app_name, const std::vector<item_setup>& setups) {
    const QString root = parent + "/" + name;
    QDir().mkpath(root);
    const std::string id = make_dataset_id();
    sqlite3* db = db_open();
    db_begin(db);
    for (int i = 0; i < n; ++i) {
        const item_setup setup = i < static_cast<int>(setups.size()) ? setups[i] : item_setup();
        const QString dir_name = QString("item_%1").arg(i, 4, 10, QChar('0'));
        const QString dir = root + "/" + dir_name;
        QDir().mkpath(dir);
        QFile dat(dir + "/Data.dat");
        dat.open(QIODevice::WriteOnly);
        dat.write("0");
        dat.close();
        if (setup.picture) {
            QImage img(640, 480, QImage::Format_RGB32);
            img.fill(QColor(40, 60 + (i * 7) % 150, 120));
            QPainter p(&img); // some detail, so decoding costs what a real grab costs
            p.setPen(Qt::white);
            p.setFont(QFont("Sans", 60));
            p.drawText(img.rect(), Qt::AlignCenter, QString::number(i));
            p.end();
            img.save(dir + "/grab.jpg", "JPG", 85);
        }
        data_list_insert_row row;
        row.data_import_id = id;
        row.dir_name = dir_name.toStdString();
        row.data_name = (name + "_" + QString::number(i)).toStdString();
        row.data_note = setup.note.toStdString();
        row.distance = 1.0;
        row.time = QDateTime(QDate(2024, 1, 1), QTime(0, 0, 7))
                       .addSecs(60 * i)
                       .toString("yyyy-MM-dd HH:mm:ss")
                       .toStdString();
        row.data_type = setup.data_type;
        row.fs = 192000;
        row.valid_type = setup.valid_type;
        row.discharge = setup.discharge;
        row.favorite = setup.favorite;
        row.frame_num = 25;
        data_list_db_insert(db, row);
    }
    db_commit(db);
    db_close(db);
    data_import_db_insert(root.toStdWString(), name.toStdWString(), "1", id, app_name);
    // Registration times must differ so the list order is defined.
    QTest::qWait(5);
    for (const import_data_info& d : data_import_db_select_all())
        if (d.id == id)
            return d;
    return import_data_info();
}

locked_path::locked_path(const QString& path) : path_(path) {
    const bool dir = QFileInfo(path).isDir();
    // A directory gets a probe file: deleting the directory has to delete it.
    if (dir) {
        QFile probe(path + "/.locked");
        if (!probe.open(QIODevice::WriteOnly))
            return;
        probe.close();
    }
    permissions_ = QFile::permissions(path);
    immutable_ = QProcess::execute("chattr", {"+i", path}) == 0;
    if (!immutable_)
        QFile::setPermissions(path, permissions_ & ~(QFile::WriteOwner | QFile::WriteUser |
                                                     QFile::WriteGroup | QFile::WriteOther));
    if (dir) {
        ok_ = !QFile::remove(path + "/.locked");
    } else {
        QFile f(path);
        ok_ = !f.open(QIODevice::ReadWrite);
    }
}

locked_path::~locked_path() {
    if (immutable_)
        QProcess::execute("chattr", {"-i", path_});
    else if (permissions_)
        QFile::setPermissions(path_, permissions_);
}

void private_data_test::init() {
    tmp_ = std::make_unique<QTemporaryDir>();
    use_private_data_location(*tmp_);
}

void private_data_test::cleanup() {
    close_dialogs();
    tmp_.reset();
}

QList<t_orn_msg_box*> msg_boxes() {
    QList<t_orn_msg_box*> out;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* box = qobject_cast<t_orn_msg_box*>(w))
            if (box->isVisible())
                out.append(box);
    return out;
}

QStringList msg_box_texts() {
    QStringList out;
    for (t_orn_msg_box* box : msg_boxes())
        for (QLabel* l : box->findChildren<QLabel*>())
            if (!l->text().isEmpty())
                out.append(l->text());
    return out;
}

int answer_msg_boxes(bool confirm) {
    int n = 0;
    for (t_orn_msg_box* box : msg_boxes()) {
        if (confirm)
            box->on_ok_clicked();
        else
            box->on_cancle_clicked();
        ++n;
    }
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return n;
}

void close_dialogs() {
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->isVisible() && w->testAttribute(Qt::WA_DeleteOnClose))
            w->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

} // namespace ui_test
