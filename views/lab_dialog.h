// "检测单位": the lab that issues the reports, its four signatories and
// its logo, kept for every project in the configuration folder.
#pragma once

#include "data/lab_profile.h"

#include <QDialog>

class QLabel;
class QLineEdit;

class QLabDlg : public QDialog {
    Q_OBJECT

public:
    explicit QLabDlg(const tarvel::LabProfile& lab, QWidget* parent = nullptr);

    // The profile as the dialog holds it; valid once it was accepted.
    tarvel::LabProfile lab() const { return result_; }

public slots:
    // Accepts, or says why a logo that is named cannot be used and stays open.
    void OKClicked();

private:
    void chooseLogo();

    tarvel::LabProfile result_;
    QLineEdit* name_;
    QLineEdit* qualification_;
    QLineEdit* address_;
    QLineEdit* phone_;
    QLineEdit* signatories_[4];
    QLineEdit* logo_;
    QLabel* problem_;
};
