// mmx4210: the desktop set-up tool.
#include <QApplication>
#include <QIcon>

#include "ui/qt/desktop_program.h"
#include "ui/qt/splash_window.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("mmx4210"));
    QApplication::setDesktopFileName(QStringLiteral("mmx4210"));
    QIcon icon;
    for (const double scale : {0.16, 0.32, 0.64}) icon.addPixmap(mmx::splashPicture(scale));
    QApplication::setWindowIcon(icon);

    mmx::DesktopProgram program(QCoreApplication::applicationDirPath().toStdString());
    if (!program.Main()) return 0;  // the running copy came forward instead
    return QApplication::exec();
}
