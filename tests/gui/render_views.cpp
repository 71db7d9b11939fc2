// Renders the result list (top and bottom) and the three settings dialogs of
// a project to PNGs, off screen, to look at them:
//   render_views PROJECT.Prj OUTDIR
// writes list-top.png, list-bottom.png, project-set.png, sampling.png,
// options.png, acceptance.png, defect.png, merge.png, map.png and
// disk-change.png (the question before overwriting an area someone else
// changed) into OUTDIR, in the language the program would start in.
#include "app/main_window.h"
#include "app/startup.h"
#include "app/translations.h"
#include "data/area_file.h"
#include "session/app_settings.h"
#include "synthetic_fixture.h"
#include "views/acceptance_dialog.h"
#include "views/device_set.h"
#include "views/project_set.h"
#include "views/small_dialogs.h"
#include "views/view_options_dialog.h"
#include "views/wave_list.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QLocale>
#include <QMessageBox>
#include <QPushButton>
#include <QScrollBar>
#include <QTimer>
#include <cstdio>

namespace {

bool save(QWidget& widget, const QDir& out, const char* name) {
    QApplication::processEvents();
    return widget.grab().save(out.filePath(QString::fromLatin1(name)));
}

// Edits the current area, changes its file as another program would, and
// saves: the question that follows is drawn, then answered "返回".
bool saveDiskChangeQuestion(MainWindow& window, const QDir& out) {
    const int current = window.state().currentFile;
    tarvel::editArea(window, current);
    const std::string path = window.state().current()->path();
    tarvel::NamePipeFile other;
    tarvel::readAreaFile(path, other);
    other.header.ballMass += 1;
    tarvel::writeAreaFile(other, path);
    bool saved = false;
    QTimer::singleShot(200, [&] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            saved = box->grab().save(out.filePath(QStringLiteral("disk-change.png")));
            box->buttons().constLast()->click();
        }
    });
    window.saveProject();
    return saved;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: render_views PROJECT.Prj OUTDIR\n");
        return 2;
    }
    QApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("tarvel"));
    // In the language the program would start in (see translations.h for
    // where the English texts are looked for).
    tarvel::setInterfaceLanguage(installTranslations(
        app, tarvel::startupLanguage(*tarvel::openAppSettings(), QLocale::system())));
    setApplicationFont();
    const QDir out(QString::fromLocal8Bit(argv[2]));
    MainWindow window;
    window.resize(1400, 900);
    window.show();
    if (!window.openProjectPath(QString::fromLocal8Bit(argv[1])))
        return 1;
    window.findChild<QAction*>("PinPuView")->trigger();
    bool saved = save(window, out, "list-top.png");
    QWaveList& list = *window.waveList();
    list.verticalScrollBar()->setValue(list.verticalScrollBar()->maximum());
    list.horizontalScrollBar()->setValue(list.horizontalScrollBar()->maximum());
    saved = save(window, out, "list-bottom.png") && saved;
    window.findChild<QAction*>("PinPuView")->trigger();
    window.findChild<QAction*>("DengZhiView")->trigger();
    saved = save(window, out, "map.png") && saved;

    ProjectSet form(window.state().project, &window);
    form.show();
    saved = save(form, out, "project-set.png") && saved;
    QDeviceSet sampling(*window.state().current(), &window);
    sampling.show();
    saved = save(sampling, out, "sampling.png") && saved;
    QParamter options(window.state().options, &window);
    options.show();
    saved = save(options, out, "options.png") && saved;
    QAcceptanceDlg acceptance(tarvel::AcceptanceCriteria{}, QStringLiteral("area-1.pip"), &window);
    acceptance.show();
    saved = save(acceptance, out, "acceptance.png") && saved;
    QErrorDlg defect(&window);
    defect.show();
    saved = save(defect, out, "defect.png") && saved;
    QMergeDlg merge(*window.state().current());
    merge.show();
    saved = save(merge, out, "merge.png") && saved;
    merge.hide();
    return saveDiskChangeQuestion(window, out) && saved ? 0 : 1;
}
