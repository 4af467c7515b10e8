#include "platform/qt_text.h"

#include "engine/text_utils.h"

namespace {

constexpr char16_t kEscapedByteBase = 0xDC00;

void AppendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

}  // namespace

QString ToQString(std::string_view text) {
    QString result;
    result.reserve(static_cast<qsizetype>(text.size()));
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t length = CharacterLength(text, at);
        const auto byte = static_cast<unsigned char>(text[at]);
        if (length == 1 && byte >= 0x80) {
            result += QChar(static_cast<char16_t>(kEscapedByteBase + byte));
        } else {
            result += QString::fromUtf8(text.data() + at, static_cast<qsizetype>(length));
        }
        at += length;
    }
    return result;
}

std::string FromQString(const QString& text) {
    std::string result;
    result.reserve(static_cast<std::size_t>(text.size()));
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t unit = text[i].unicode();
        if (QChar::isHighSurrogate(unit) && i + 1 < text.size() &&
            QChar::isLowSurrogate(text[i + 1].unicode())) {
            AppendUtf8(result, QChar::surrogateToUcs4(unit, text[i + 1].unicode()));
            ++i;
        } else if (unit >= kEscapedByteBase + 0x80 && unit <= kEscapedByteBase + 0xFF) {
            result += static_cast<char>(unit - kEscapedByteBase);
        } else if (QChar::isSurrogate(unit)) {
            AppendUtf8(result, 0xFFFD);
        } else {
            AppendUtf8(result, unit);
        }
    }
    return result;
}
