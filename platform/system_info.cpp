#include "platform/system_info.h"

#include <QCoreApplication>
#include <QLocale>
#include <QStandardPaths>

#include <cerrno>
#include <cstdio>
#include <unistd.h>

namespace platform {

std::wstring common_data_folder() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation).toStdWString();
}

std::wstring documents_folder() {
    return QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation).toStdWString();
}

std::wstring executable_path(int* error) {
    if (error)
        *error = 0;
    if (QCoreApplication::instance()) {
        const QString p = QCoreApplication::applicationFilePath();
        if (!p.isEmpty())
            return p.toStdWString();
    }
    char buf[4096];
    const ssize_t n = ::readlink("/proc/self/exe", buf, sizeof buf - 1);
    if (n <= 0) {
        if (error)
            *error = errno ? errno : ENOENT;
        return {};
    }
    buf[n] = '\0';
    return QString::fromUtf8(buf, static_cast<int>(n)).toStdWString();
}

std::string program_version() {
    return HALVIX_VERSION;
}

unsigned oem_code_page() {
    return 65001;
}

unsigned language_id_for(const QLocale& locale) {
    // Windows language ids, so logs read the same on every platform.
    struct entry {
        QLocale::Country country;
        unsigned id;
    };
    static const entry english[] = {
        {QLocale::UnitedStates, 0x409}, {QLocale::UnitedKingdom, 0x809},
        {QLocale::Australia, 0xc09},    {QLocale::Canada, 0x1009},
        {QLocale::NewZealand, 0x1409},  {QLocale::Ireland, 0x1809},
        {QLocale::SouthAfrica, 0x1c09}, {QLocale::India, 0x4009},
        {QLocale::Singapore, 0x4809},
    };
    static const entry chinese[] = {
        {QLocale::China, 0x804},      {QLocale::Taiwan, 0x404}, {QLocale::HongKong, 0xc04},
        {QLocale::Singapore, 0x1004}, {QLocale::Macau, 0x1404},
    };
    if (locale.language() == QLocale::English) {
        for (const auto& e : english)
            if (e.country == locale.country())
                return e.id;
        return 0x409;
    }
    if (locale.language() == QLocale::Chinese) {
        if (locale.script() == QLocale::TraditionalChineseScript &&
            locale.country() != QLocale::HongKong && locale.country() != QLocale::Macau)
            return 0x404;
        for (const auto& e : chinese)
            if (e.country == locale.country())
                return e.id;
        return 0x804;
    }
    return 0;
}

unsigned ui_language_id() {
    return language_id_for(QLocale::system());
}

double screen_scale_ratio() {
    return 1.0;
}

std::string scale_factor_text(double ratio) {
    if (!(ratio > 1.0))
        return {};
    char text[32];
    std::snprintf(text, sizeof text, "%.2f", ratio);
    return text;
}

std::string apply_screen_scaling() {
    const std::string text = scale_factor_text(screen_scale_ratio());
    if (!text.empty())
        qputenv("QT_SCALE_FACTOR", QByteArray(text.c_str()));
    return text;
}

} // namespace platform
