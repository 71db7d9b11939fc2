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
    // Sizes are laid out in device-independent pixels and scaled to the
    // screen, fractional factors (1.5) included; icons come at 2x too.
    QCoreApplication::setAttribute(Qt::AA_EnableHighDpiScaling);
    QCoreApplication::setAttribute(Qt::AA_UseHighDpiPixmaps);
    QGuiApplication::setHighDpiScaleFactorRoundingPolicy(
        Qt::HighDpiScaleFactorRoundingPolicy::PassThrough);
    QApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("tarvel"));
    QCoreApplication::setApplicationVersion(QString::fromLatin1(tarvel::kVersion));
    QCoreApplication::addLibraryPath(QStringLiteral("./plugins"));
    const std::unique_ptr<QSettings> settings = tarvel::openAppSettings();
    // Before any window: every caption is translated as it is made.
    tarvel::setInterfaceLanguage(
        installTranslations(app, tarvel::startupLanguage(*settings, QLocale::system())));
    setApplicationFont();

    MainWindow window(line.sizeHints);
    if (window.rememberIn(settings.get())) {
        window.show();
    } else {
        // Without a window manager "maximized" means nothing: start at the
        // screen's size so the waves are readable there too.
        if (const QScreen* screen = QGuiApplication::primaryScreen())
            window.setGeometry(screen->availableGeometry());
        window.showMaximized();
    }
    // Read again without the options Qt took for itself ("-platform
    // offscreen"), whose values are no paths.
    const QString openPath = tarvel::parseCommandLine(app.arguments().mid(1)).openPath;
    if (!openPath.isEmpty())
        window.openPathAtStart(openPath);
    return app.exec();
}
