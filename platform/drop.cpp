#include "platform/drop.h"

#include <QMimeData>
#include <QUrl>

std::optional<std::string> FirstDroppedPath(const QMimeData& data) {
    for (const QUrl& url : data.urls()) {
        // The path's bytes, percent-decoded by hand: Qt would decode them as
        // UTF-8 and lose every byte of a name that is not.
        if (url.isLocalFile())
            return QByteArray::fromPercentEncoding(url.path(QUrl::FullyEncoded).toLatin1())
                .toStdString();
    }
    return std::nullopt;
}
