// Narrow texts are UTF-8 bytes; these convert them for Qt's widgets.
#pragma once

#include <QString>
#include <string>
#include <string_view>

inline QString ToQString(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

inline std::string FromQString(const QString& text) { return text.toStdString(); }
