#include <QApplication>

#include "ui/renamer_app.h"

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    CRenamerApp renamer;
    return renamer.Run();
}
