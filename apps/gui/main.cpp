// mmx4210: the desktop set-up tool. Takes one set-up file to open (the file manager's
// "Open with"), --help and --version.
#include <QApplication>
#include <QCommandLineParser>
#include <QFileInfo>
#include <QIcon>
#include <cstdio>

#include "mmx_version.h"
#include "ui/qt/desktop_program.h"
#include "ui/qt/splash_window.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("mmx4210"));
    QApplication::setApplicationVersion(QLatin1String(mmx::kVersion.data(), mmx::kVersion.size()));
    QApplication::setDesktopFileName(QStringLiteral("mmx4210"));

    QCommandLineParser options;
    options.setApplicationDescription(QStringLiteral("Set-up tool for the MMX4210 message manager."));
    const QCommandLineOption help = options.addHelpOption();
    const QCommandLineOption version = options.addVersionOption();
    options.addPositionalArgument(QStringLiteral("SETUP.cfg"), QStringLiteral("a set-up file to open"),
                                  QStringLiteral("[SETUP.cfg]"));
    // Wrong arguments exit 2, as with the other programs of the tool.
    if (!options.parse(QCoreApplication::arguments()) || options.positionalArguments().size() > 1) {
        std::fprintf(stderr, "mmx4210: %s (try --help)\n",
                     qPrintable(options.errorText().isEmpty() ? QStringLiteral("one set-up file at most")
                                                              : options.errorText()));
        return 2;
    }
    if (options.isSet(help)) options.showHelp(0);
    if (options.isSet(version)) options.showVersion();
    const QStringList files = options.positionalArguments();

    QIcon icon;
    for (const double scale : {0.16, 0.32, 0.64}) icon.addPixmap(mmx::splashPicture(scale));
    QApplication::setWindowIcon(icon);

    mmx::DesktopProgram program(QCoreApplication::applicationDirPath().toStdString());
    if (!files.isEmpty()) program.setFileToOpen(QFileInfo(files.first()).absoluteFilePath().toStdString());
    if (!program.Main()) return 0;  // the running copy came forward (and took the file) instead
    return QApplication::exec();
}
