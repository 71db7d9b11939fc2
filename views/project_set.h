// The project-information form: every field of the project record that the
// reports print, in two rows of forms.
#pragma once

#include "data/project_info.h"

#include <QDialog>
#include <QList>

class QLineEdit;

class ProjectSet : public QDialog {
    Q_OBJECT

public:
    explicit ProjectSet(const tarvel::ProjectInfo& info, QWidget* parent = nullptr);

    // Writes the edited boxes into `info`; a box left as it was shown keeps
    // the field's stored bytes, whatever they are. True when a byte changed.
    bool saveProjectInfo(tarvel::ProjectInfo& info) const;

    // The box of a field, by the field's name ("projectName", "startDate").
    QLineEdit* box(const QString& fieldName) const;

public slots:
    void OKClicked();
    void CancelClicked();

private:
    struct Box {
        QLineEdit* edit;
        QString shown; // the stored text as filled in, to tell an edit from none
        bool date;
    };
    QList<Box> boxes_; // in the order of the field table
};
