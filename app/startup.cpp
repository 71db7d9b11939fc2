#include "startup.h"

#include "main_window.h"
#include "session/app_settings.h"
#include "size_hints.h"
#include "tarvel_version.h"
#include "translations.h"

#include <QApplication>
#include <QGuiApplication>
#include <QLocale>
#include <QScreen>

#include <cstdio>

namespace {

// The command line as read before the application object exists, so that
// "--help" and "--version" work without a display.
QStringList argumentsOf(int argc, char** argv) {
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    return arguments;
}

} // namespace

int runTarvel(int argc, char** argv) {
    const tarvel::CommandLine line = tarvel::parseCommandLine(argumentsOf(argc, argv));
    if (!line.valid) {
        qWarning("%s", tarvel::kUsage);
        return 1;
    }
    if (line.help || line.version) {
        if (line.help)
            std::fputs(tarvel::kHelp, stdout);
        else
            std::printf("tarvel %s\n", tarvel::kVersion);
        return 0;
    }
    QApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("tarvel"));
    QCoreApplication::setApplicationVersion(QString::fromLatin1(tarvel::kVersion));
    QCoreApplication::addLibraryPath(QStringLiteral("./plugins"));
    // Before any window: every caption is translated as it is made.
    tarvel::setInterfaceLanguage(installTranslations(
        app, tarvel::startupLanguage(*tarvel::openAppSettings(), QLocale::system())));
    setApplicationFont();

    MainWindow window(line.sizeHints);
    // Without a window manager "maximized" means nothing: start at the
    // screen's size so the waves are readable there too.
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        window.setGeometry(screen->availableGeometry());
    window.showMaximized();
    if (!line.openPath.isEmpty())
        window.openPathAtStart(line.openPath);
    return app.exec();
}
