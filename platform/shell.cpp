#include "platform/shell.h"

#include <QDesktopServices>
#include <QUrl>

#include "platform/folder_listing.h"
#include "platform/qt_text.h"

namespace {

ShellHook& Hook() {
    static ShellHook hook;
    return hook;
}

constexpr int kOpened = 42;
constexpr int kFileNotFound = 2;
constexpr int kNoAssociation = 31;

}  // namespace

void SetShellHook(ShellHook hook) { Hook() = std::move(hook); }

int ShellExecute(QWidget*, const std::string& verb, const std::string& path) {
    if (Hook()) return Hook()(verb, path);
    // A missing document fails here: the desktop's opener would only report
    // it in a window of its own.
    if (path.empty() || !PathExists(path)) return kFileNotFound;
    return QDesktopServices::openUrl(QUrl::fromLocalFile(ToQString(path))) ? kOpened
                                                                           : kNoAssociation;
}
