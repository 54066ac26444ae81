#pragma once
// A private data folder with config/ and an open log for one test case.

#include "core/app_globals.h"
#include "core/app_log.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <memory>
#include <string>

class store_fixture {
public:
    store_fixture() : dir_(std::make_unique<QTemporaryDir>()) {
        set_app_data_location(dir_->path().toStdWString());
        QDir(dir_->path()).mkpath("config");
        QDir(dir_->path()).mkpath("log");
        log_open(log_file_path);
    }
    ~store_fixture() { log_close(); }

    QString path(const QString& rel = {}) const {
        return rel.isEmpty() ? dir_->path() : dir_->path() + "/" + rel;
    }
    std::wstring wpath(const QString& rel = {}) const { return path(rel).toStdWString(); }

    // Everything logged so far.
    QString log_text() const {
        log_close();
        QFile f(QString::fromStdWString(log_file_path));
        f.open(QIODevice::ReadOnly);
        const QString text = QString::fromUtf8(f.readAll());
        log_open(log_file_path);
        return text;
    }

private:
    std::unique_ptr<QTemporaryDir> dir_;
};
