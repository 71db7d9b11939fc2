#include "startup.h"

#include "main_window.h"
#include "size_hints.h"

#include <QApplication>
#include <QGuiApplication>
#include <QScreen>

int runTarvel(int argc, char** argv) {
    QApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("tarvel"));
    QCoreApplication::addLibraryPath(QStringLiteral("./plugins"));
    setApplicationFont();

    const tarvel::CommandLine line = tarvel::parseCommandLine(app.arguments().mid(1));
    if (!line.valid) {
        qWarning("%s", tarvel::kUsage);
        return 1;
    }
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
