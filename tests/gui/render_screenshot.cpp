// Renders the main window with a synthetic project to a PNG, off screen, as
// a user would see it after picking on the second wave:
//   render_screenshot OUT.png [WAVE_HEIGHT]
#include "app/main_window.h"
#include "app/startup.h"
#include "synthetic_fixture.h"
#include "views/wave.h"
#include "views/wave_list.h"

#include <QApplication>
#include <QPixmap>
#include <QTemporaryDir>
#include <cstdio>
#include <qwt_plot_marker.h>

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: render_screenshot OUT.png [WAVE_HEIGHT]\n");
        return 2;
    }
    QApplication app(argc, argv);
    setApplicationFont();
    QTemporaryDir dir;
    const QString project = tarvel::writeFixtureProject(
        dir.path(), {{QStringLiteral("测区1"), 3, 4, 2048, QStringLiteral("bump:50:150")},
                     {QStringLiteral("测区2"), 2, 3}});
    MainWindow window;
    tarvel::ViewOptions options = window.state().options;
    options.abscissaTime = 1;
    if (argc > 2)
        options.waveHeight = QString::fromLocal8Bit(argv[2]).toInt();
    window.session().setOptions(options);
    window.resize(1400, 900);
    window.show();
    window.openProjectPath(project);
    QWave* second = window.waveList()->waves().value(1);
    if (second)
        second->Pickedselected(QPointF(second->peakMarker()->xValue(), 0));
    QApplication::processEvents();
    const bool saved = window.grab().save(QString::fromLocal8Bit(argv[1]));
    return saved ? 0 : 1;
}
