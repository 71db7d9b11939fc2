// "验收标准": the required moduli and the guarantee rate of the project, and
// optionally of the current area alone.
#pragma once

#include "data/acceptance_file.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;

class QAcceptanceDlg : public QDialog {
    Q_OBJECT

public:
    // `areaFileName` names the current area; empty when there is none.
    QAcceptanceDlg(const tarvel::AcceptanceCriteria& criteria, const QString& areaFileName,
                   QWidget* parent = nullptr);

    // The criteria as the dialog holds them; valid once it was accepted.
    tarvel::AcceptanceCriteria criteria() const { return result_; }

public slots:
    // Checks every box (empty: nothing required; else a positive number)
    // and accepts, or says what is wrong and stays open.
    void OKClicked();

private:
    tarvel::AcceptanceCriteria result_;
    QString areaFileName_;
    QLineEdit* deformation_;
    QLineEdit* resilient_;
    QComboBox* rate_;
    QCheckBox* ownArea_;
    QLineEdit* areaDeformation_;
    QLineEdit* areaResilient_;
    QLabel* problem_;
};
