#include "startup.h"

#include "main_window.h"
#include "size_hints.h"

#include <QApplication>
#include <QFont>

void setApplicationFont() {
    const QString family = QStringLiteral("wenquanyi");
    QFont::insertSubstitution(family, QStringLiteral("WenQuanYi Zen Hei"));
    QApplication::setFont(QFont(family, 14));
}

int runTarvel(int argc, char** argv) {
    QApplication app(argc, argv);
    QCoreApplication::addLibraryPath(QStringLiteral("./plugins"));
    setApplicationFont();

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
