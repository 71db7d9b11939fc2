// The small dialogs: defect entry, wave-merge selection and About.
#pragma once

#include <QDialog>
#include <QList>

class QButtonGroup;
class QListWidget;

namespace tarvel {
struct NamePipeFile;
}

class QErrorDlg : public QDialog {
    Q_OBJECT

public:
    explicit QErrorDlg(QWidget* parent = nullptr);

    QString typeText() const;
    QString gradeText() const;

public slots:
    void OKclicked();
    void Cancelclicked();

private:
    QButtonGroup* types_;
    QButtonGroup* grades_;
};

class QMergeDlg : public QDialog {
    Q_OBJECT

public:
    // Lists the points of `file` that may be merged: shown and not merged.
    explicit QMergeDlg(const tarvel::NamePipeFile& file, QWidget* parent = nullptr);

    // The points of the selected rows, in the order they were selected.
    void selectedPoints(QList<int>& points) const;
    QListWidget* list() const { return list_; }

public slots:
    void OkClick();
    void CancelClick();

private:
    QListWidget* list_;
    QList<int> rowPoints_;
};

class QAboutMain : public QDialog {
    Q_OBJECT

public:
    explicit QAboutMain(QWidget* parent = nullptr);

public slots:
    void AboutOk();
};
