// Narrow texts are bytes, normally UTF-8; these carry them through Qt and
// back without losing one. A byte that is not part of a valid UTF-8 sequence
// travels as a lone UTF-16 surrogate U+DC80..U+DCFF (shown as a replacement
// mark) and comes back as that byte.
#pragma once

#include <QString>
#include <string>
#include <string_view>

QString ToQString(std::string_view text);
std::string FromQString(const QString& text);
