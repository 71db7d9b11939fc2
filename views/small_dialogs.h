// The small dialogs: defect entry, wave-merge selection, About, and the
// project-information form used when a project is created.
#pragma once

#include <QDialog>
#include <QList>

class QButtonGroup;
class QLineEdit;
class QListWidget;

namespace tarvel {
struct ProjectInfo;
}

class QErrorDlg : public QDialog {
    Q_OBJECT

public:
    explicit QErrorDlg(QWidget* parent = nullptr);

public slots:
    // Stores the chosen type and severity in the current file, then accepts.
    void OKclicked();
    void Cancelclicked();

private:
    QButtonGroup* types_;
    QButtonGroup* grades_;
};

class QMergeDlg : public QDialog {
    Q_OBJECT

public:
    explicit QMergeDlg(QWidget* parent = nullptr);

    // The list rows of the selected items, in the order they were selected.
    void selectedRows(QList<int>& rows) const;
    QListWidget* list() const { return list_; }

public slots:
    void OkClick();
    void CancelClick();

private:
    QListWidget* list_;
};

class QAboutMain : public QDialog {
    Q_OBJECT

public:
    explicit QAboutMain(QWidget* parent = nullptr);

public slots:
    void AboutOk();
};

// The project information asked for when a project is created. It holds the
// project's name for now; the full form replaces it behind the same name.
class ProjectSet : public QDialog {
    Q_OBJECT

public:
    explicit ProjectSet(const tarvel::ProjectInfo& info, QWidget* parent = nullptr);
    void store(tarvel::ProjectInfo& info) const;

private:
    QLineEdit* projectName_;
};
