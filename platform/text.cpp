#include "platform/text.h"

#include <QString>

namespace platform {
std::wstring utf8_to_wide(const std::string& s) {
    if (s.empty())
        return {};
    return QString::fromUtf8(s.data(), static_cast<int>(s.size())).toStdWString();
}

std::string wide_to_utf8(const std::wstring& s) {
    if (s.empty())
        return {};
    const QByteArray b = QString::fromStdWString(s).toUtf8();
    return std::string(b.constData(), static_cast<size_t>(b.size()));
}
} // namespace platform
