#include "startup.h"

#include "main_window.h"
#include "size_hints.h"

#include <QApplication>
#include <QFont>

int runTarvel(int argc, char** argv) {
    QApplication app(argc, argv);
    QCoreApplication::addLibraryPath(QStringLiteral("./plugins"));
    QApplication::setFont(QFont(QStringLiteral("wenquanyi"), 14));

    const tarvel::CommandLine line = tarvel::parseCommandLine(app.arguments().mid(1));
    if (!line.valid) {
        qWarning("%s", tarvel::kUsage);
        return 1;
    }
    MainWindow window(line.sizeHints);
    window.showMaximized();
    if (!line.openPath.isEmpty())
        window.openPathAtStart(line.openPath);
    return app.exec();
}
