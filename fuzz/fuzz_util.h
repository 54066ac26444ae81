#pragma once
// Shared by the fuzz targets: a scratch directory of this process for the
// readers that take a path.

#include <QCoreApplication>
#include <QDir>
#include <QString>

#include <cstdio>
#include <string>

namespace fuzz {

inline const QString& scratch_dir() {
    static const QString dir = [] {
        const QString d = QDir::tempPath() +
                          QStringLiteral("/halvix_fuzz_%1").arg(QCoreApplication::applicationPid());
        QDir().mkpath(d);
        return d;
    }();
    return dir;
}

inline bool write_file(const QString& path, const std::string& bytes) {
    FILE* f = std::fopen(path.toUtf8().constData(), "wb");
    if (!f)
        return false;
    const bool ok = bytes.empty() || std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    return std::fclose(f) == 0 && ok;
}

} // namespace fuzz
