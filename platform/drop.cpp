#include "platform/drop.h"

#include <QMimeData>
#include <QUrl>

std::optional<std::string> FirstDroppedPath(const QMimeData& data) {
    for (const QUrl& url : data.urls()) {
        if (url.isLocalFile()) return url.toLocalFile().toStdString();
    }
    return std::nullopt;
}
