#include "qt_user_dialogs.h"

#include "acceptance_dialog.h"
#include "device_set.h"
#include "dock_widget_dialog.h"
#include "lab_dialog.h"
#include "project_set.h"
#include "small_dialogs.h"
#include "view_options_dialog.h"

#include <QCoreApplication>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QProgressDialog>
#include <QPushButton>

namespace tarvel {

namespace {

QtUserDialogs qtDialogs;
UserDialogs* installedDialogs = nullptr;

QMessageBox::Icon boxIcon(NoticeIcon icon) {
    switch (icon) {
    case NoticeIcon::Critical:
        return QMessageBox::Critical;
    case NoticeIcon::Information:
        return QMessageBox::Information;
    case NoticeIcon::Warning:
        break;
    }
    return QMessageBox::Warning;
}

} // namespace

UserDialogs& userDialogs() {
    return installedDialogs ? *installedDialogs : qtDialogs;
}

void setUserDialogs(UserDialogs* dialogs) {
    installedDialogs = dialogs;
}

int QtUserDialogs::ask(QWidget* parent, const QString& title, const QString& text,
                       const QStringList& buttons, int defaultButton) {
    QMessageBox box(QMessageBox::Warning, title, text, QMessageBox::NoButton, parent);
    QList<QAbstractButton*> added;
    for (const QString& caption : buttons)
        added.append(box.addButton(caption, QMessageBox::ActionRole));
    if (defaultButton >= 0 && defaultButton < added.size())
        box.setDefaultButton(static_cast<QPushButton*>(added[defaultButton]));
    box.exec();
    return added.indexOf(box.clickedButton());
}

bool QtUserDialogs::askYesNo(QWidget* parent, const QString& title, const QString& text) {
    return QMessageBox::question(parent, title, text, QMessageBox::Yes | QMessageBox::No) ==
           QMessageBox::Yes;
}

void QtUserDialogs::notify(QWidget* parent, NoticeIcon icon, const QString& title,
                           const QString& text) {
    QMessageBox box(boxIcon(icon), title, text, QMessageBox::Ok, parent);
    box.exec();
}

QString QtUserDialogs::openFileName(QWidget* parent, const QString& title, const QString& dir,
                                    const QString& filter) {
    return QFileDialog::getOpenFileName(parent, title, dir, filter);
}

QStringList QtUserDialogs::openFileNames(QWidget* parent, const QString& title, const QString& dir,
                                         const QString& filter) {
    return QFileDialog::getOpenFileNames(parent, title, dir, filter);
}

QString QtUserDialogs::saveFileName(QWidget* parent, const QString& title, const QString& dir,
                                    const QString& filter, bool confirmOverwrite) {
    return QFileDialog::getSaveFileName(parent, title, dir, filter, nullptr,
                                        confirmOverwrite ? QFileDialog::Options()
                                                         : QFileDialog::DontConfirmOverwrite);
}

bool QtUserDialogs::askNumber(QWidget* parent, const QString& title, const QString& label,
                              int value, int minimum, int maximum, int& number) {
    bool ok = false;
    const int chosen = QInputDialog::getInt(parent, title, label, value, minimum, maximum, 1, &ok);
    if (ok)
        number = chosen;
    return ok;
}

QString QtUserDialogs::existingFolder(QWidget* parent, const QString& title, const QString& dir) {
    return QFileDialog::getExistingDirectory(parent, title, dir, QFileDialog::ShowDirsOnly);
}

namespace {

class DialogProgress : public Progress {
public:
    DialogProgress(QWidget* parent, const QString& label, int steps)
        : dialog_(label, QCoreApplication::translate("UserDialogs", "取消"), 0, steps, parent) {
        dialog_.setWindowTitle(QStringLiteral("Tarvel"));
        dialog_.setWindowModality(Qt::WindowModal);
        dialog_.setMinimumDuration(500);
        dialog_.setValue(0);
    }
    bool advance(int done) override {
        dialog_.setValue(done);
        return !dialog_.wasCanceled();
    }

private:
    QProgressDialog dialog_;
};

} // namespace

std::unique_ptr<Progress> QtUserDialogs::startProgress(QWidget* parent, const QString& label,
                                                       int steps) {
    return std::make_unique<DialogProgress>(parent, label, steps);
}

bool QtUserDialogs::editProjectInfo(QWidget* parent, ProjectInfo& info) {
    ProjectSet dialog(info, parent);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    dialog.saveProjectInfo(info);
    return true;
}

bool QtUserDialogs::editViewOptions(QWidget* parent, ViewOptions& options) {
    QParamter dialog(options, parent);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    options = dialog.options();
    return true;
}

void QtUserDialogs::showSamplingParameters(QWidget* parent, const NamePipeFile& file) {
    // Deletes itself when closed.
    auto* dialog = new QDeviceSet(file, parent);
    dialog->show();
}

bool QtUserDialogs::chooseDefect(QWidget* parent, QString& type, QString& grade) {
    QErrorDlg dialog(parent);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    type = dialog.typeText();
    grade = dialog.gradeText();
    return true;
}

bool QtUserDialogs::choosePointsToMerge(QWidget*, const NamePipeFile& file, QList<int>& points) {
    // Modal and without parent, as the merge command has always shown it.
    QMergeDlg dialog(file);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    dialog.selectedPoints(points);
    return !points.isEmpty();
}

bool QtUserDialogs::editAcceptance(QWidget* parent, AcceptanceCriteria& criteria,
                                   const QString& areaFileName) {
    QAcceptanceDlg dialog(criteria, areaFileName, parent);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    criteria = dialog.criteria();
    return true;
}

bool QtUserDialogs::editLab(QWidget* parent, LabProfile& lab) {
    QLabDlg dialog(lab, parent);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    lab = dialog.lab();
    return true;
}

bool QtUserDialogs::askDockWidget(QWidget* parent, QString& objectName, QString& location) {
    CreateDockWidgetDialog dialog(parent);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    objectName = dialog.dockName();
    location = dialog.location();
    return true;
}

} // namespace tarvel
