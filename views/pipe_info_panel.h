// The area-information panel: the current area file's identification, the
// ball and material parameters that enter the moduli, the density fit, the
// acceleration correction, and the two area moduli. A committed box is one
// edit of the session, holding only the fields whose text changed.
#pragma once

#include <QList>
#include <QWidget>

class QComboBox;
class QDateEdit;
class QLineEdit;
class QCustomEdit;

namespace tarvel {
class ProjectSession;
class UserDialogs;
struct FieldRefusal;
struct HeaderField;
struct NamePipeFile;
struct AreaCalibration;
} // namespace tarvel

class QPipeInfo : public QWidget {
    Q_OBJECT

public:
    // A value outside its plausible range is stored only once the user
    // confirms it, asked through `dialogs`.
    QPipeInfo(tarvel::ProjectSession& session, tarvel::UserDialogs& dialogs,
              QWidget* parent = nullptr);

    // Shows the header of `file`; filling marks nothing modified.
    void setPipeInfo(const tarvel::NamePipeFile& file);
    void clearPipeInfo();

    QString resilientText() const;
    QString deformationText() const;
    // The area's acceptance: verdict and representative value.
    QString verdictText() const;
    // The line of the area's peak check against Hertz theory.
    QString calibrationText() const;
    // The box of a header field (by its key), for whoever drives the panel.
    QCustomEdit* fieldEdit(const char* key) const;

public slots:
    // Writes what the user changed into the current file's header.
    void changesave();

private:
    struct FieldEdit {
        const tarvel::HeaderField* field;
        QCustomEdit* edit;
        QString stored; // the text of the value the header holds
    };

    // Why a box's text was refused, in the interface's language.
    static QString refusalText(const tarvel::FieldRefusal& refusal);
    // True when `value` is plausible for `field`, or the user keeps it.
    bool confirmPlausible(const tarvel::HeaderField& field, const QString& text, float value);
    void showCurrentFile();
    void showAreaMeans();
    void showCalibration(const tarvel::AreaCalibration& calibration);
    QCustomEdit* addField(const char* key, class QFormLayout* form);
    QCustomEdit* newFieldEdit(const char* key);
    // The stored date, or the "no date" value when it is not a date.
    void showDate(QDateEdit* edit, const char* text, std::size_t width);

    tarvel::ProjectSession& session_;
    tarvel::UserDialogs& dialogs_;
    QList<FieldEdit> fields_;
    QLineEdit* projectName_;
    QLineEdit* areaName_;
    QComboBox* areaType_;
    QLineEdit* pointTotal_;
    QDateEdit* buildDate_;
    QDateEdit* testDate_;
    QLineEdit* resilient_;
    QLineEdit* deformation_;
    class QLabel* verdict_;
    class QLabel* calibration_;
    QComboBox* fitMode_;
    bool filling_ = false;
};
