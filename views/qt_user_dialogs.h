// The seam's real implementation: QMessageBox and QFileDialog.
#pragma once

#include "user_dialogs.h"

namespace tarvel {

class QtUserDialogs : public UserDialogs {
public:
    int ask(QWidget* parent, const QString& title, const QString& text, const QStringList& buttons,
            int defaultButton) override;
    bool askYesNo(QWidget* parent, const QString& title, const QString& text) override;
    void notify(QWidget* parent, NoticeIcon icon, const QString& title,
                const QString& text) override;
    QString openFileName(QWidget* parent, const QString& title, const QString& dir,
                         const QString& filter) override;
    QStringList openFileNames(QWidget* parent, const QString& title, const QString& dir,
                              const QString& filter) override;
    QString saveFileName(QWidget* parent, const QString& title, const QString& dir,
                         const QString& filter, bool confirmOverwrite) override;
    bool askNumber(QWidget* parent, const QString& title, const QString& label, int value,
                   int minimum, int maximum, int& number) override;
    QString existingFolder(QWidget* parent, const QString& title, const QString& dir) override;
    std::unique_ptr<Progress> startProgress(QWidget* parent, const QString& label,
                                            int steps) override;
    bool editProjectInfo(QWidget* parent, ProjectInfo& info) override;
    bool editViewOptions(QWidget* parent, ViewOptions& options) override;
    void showSamplingParameters(QWidget* parent, const NamePipeFile& file) override;
    bool chooseDefect(QWidget* parent, QString& type, QString& grade) override;
    bool choosePointsToMerge(QWidget* parent, const NamePipeFile& file,
                             QList<int>& points) override;
    bool editAcceptance(QWidget* parent, AcceptanceCriteria& criteria,
                        const QString& areaFileName) override;
    bool editLab(QWidget* parent, LabProfile& lab) override;
    bool askDockWidget(QWidget* parent, QString& objectName, QString& location) override;
};

} // namespace tarvel
