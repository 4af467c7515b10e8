// Writes the program's icon as the PNG files of the hicolor icon theme, so
// that the installed icons are made from the same drawing as the window's:
//   quorvel_icon_export FOLDER  ->  FOLDER/<n>x<n>/apps/com.brindlecote.Quorvel.png
#include <QDir>
#include <QGuiApplication>
#include <cstdio>

#include "ui/icons.h"
#include "ui/resources.h"

int main(int argc, char* argv[]) {
    QGuiApplication application(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: quorvel_icon_export FOLDER\n");
        return 2;
    }
    for (int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
        const QString folder = QString("%1/%2x%2/apps").arg(argv[1]).arg(size);
        if (!QDir().mkpath(folder) ||
            !RenderIcon(kMainIcon, size).save(folder + "/com.brindlecote.Quorvel.png", "PNG")) {
            std::fprintf(stderr, "quorvel_icon_export: cannot write %s\n", qPrintable(folder));
            return 1;
        }
    }
    return 0;
}
