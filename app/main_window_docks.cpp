// Further dock widgets made at run time, and removing them again. No menu
// entry offers these; they stay reachable as slots.
#include "main_window.h"

#include "views/user_dialogs.h"

#include <QAction>
#include <QDockWidget>
#include <QFrame>

using namespace tarvel;

void MainWindow::createDockWidget() {
    QString name;
    QString location;
    if (!dialogs_.askDockWidget(this, name, location))
        return;
    auto* dock = new QDockWidget(this);
    dock->setObjectName(name);
    dock->setWindowTitle(name);
    dock->setWidget(new QFrame);

    const QMap<QString, Qt::DockWidgetArea> areas = {
        {QStringLiteral("Top"), Qt::TopDockWidgetArea},
        {QStringLiteral("Left"), Qt::LeftDockWidgetArea},
        {QStringLiteral("Right"), Qt::RightDockWidgetArea},
        {QStringLiteral("Bottom"), Qt::BottomDockWidgetArea},
    };
    if (areas.contains(location)) {
        addDockWidget(areas.value(location), dock);
    } else if (!restoreDockWidget(dock)) {
        delete dock;
        dialogs_.notify(this, NoticeIcon::Warning, QStringLiteral("Tarvel"),
                        tr("Failed to restore dock widget"));
        return;
    }
    auto* remover = new QAction(name, this);
    remover->setData(QVariant::fromValue<QObject*>(dock));
    extraDocks_.append(remover);
}

void MainWindow::destroyDockWidget(QAction* action) {
    // Only the docks made above may go; the three panels belong to the window.
    if (!extraDocks_.removeOne(action))
        return;
    delete action->data().value<QObject*>();
    delete action;
}
