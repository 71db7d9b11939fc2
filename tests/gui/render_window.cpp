// Renders the main window with a project open to a PNG, off screen, as a
// user would see it on a screen of the given size:
//   render_window PROJECT.Prj OUT.png [WIDTHxHEIGHT] [zoom]
// With "zoom", each wave is shown around its impact.
#include "app/main_window.h"
#include "app/startup.h"

#include <QApplication>
#include <cstdio>

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: render_window PROJECT.Prj OUT.png [WIDTHxHEIGHT] [zoom]\n");
        return 2;
    }
    QApplication app(argc, argv);
    setApplicationFont();
    QSize size(1366, 768);
    if (argc > 3) {
        const QStringList sides = QString::fromLocal8Bit(argv[3]).split(QLatin1Char('x'));
        if (sides.size() == 2)
            size = QSize(sides[0].toInt(), sides[1].toInt());
    }
    MainWindow window;
    window.session().setImpactZoom(argc > 4 && QString::fromLocal8Bit(argv[4]) == "zoom");
    window.resize(size);
    window.show();
    window.openProjectPath(QString::fromLocal8Bit(argv[1]));
    QApplication::processEvents();
    return window.grab().save(QString::fromLocal8Bit(argv[2])) ? 0 : 1;
}
