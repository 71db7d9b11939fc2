// The wave-processing panel: filter, time-axis stretch and marking mode of
// the current point or of every point of the current area. Each commit is
// one edit holding only the fields of the control that changed.
#pragma once

#include <QWidget>

class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QSlider;
class QSpinBox;

namespace tarvel {
class ProjectSession;
class UserDialogs;
struct ProcessingParams;
struct BytePatch;
} // namespace tarvel

class QWaveParameter : public QWidget {
    Q_OBJECT

public:
    QWaveParameter(tarvel::ProjectSession& session, tarvel::UserDialogs& dialogs,
                   QWidget* parent = nullptr);

    // Shows the current point of the current file, "当前测点" chosen; clears
    // the panel when there is none.
    void refresh();
    void reset();

    QSlider* stretchSlider() const { return stretch_; }
    QComboBox* filterCombo() const { return filter_; }
    QSpinBox* lowCutSpin() const { return lowCut_; }
    QSpinBox* highCutSpin() const { return highCut_; }
    QRadioButton* areaScope() const { return areaScope_; }
    QRadioButton* pointScope() const { return pointScope_; }
    QRadioButton* automaticMarking() const { return automatic_; }
    QRadioButton* manualMarking() const { return manual_; }
    QPushButton* defaultsButton() const { return defaults_; }

public slots:
    void defaultClicked();
    void currentIndexChanged(int index);
    void appClick();
    void changesave();

private:
    void fill(const tarvel::ProcessingParams& params);
    void enableCutOffs(int filterIndex);
    // Writes `patches` to the chosen scope as one edit.
    void commit(std::vector<tarvel::BytePatch> patches);
    std::vector<tarvel::BytePatch> filterPatches() const;
    std::vector<tarvel::BytePatch> allPatches() const;

    tarvel::ProjectSession& session_;
    tarvel::UserDialogs& dialogs_;
    QSlider* stretch_;
    QComboBox* filter_;
    QSpinBox* lowCut_;
    QSpinBox* highCut_;
    QRadioButton* areaScope_;
    QRadioButton* pointScope_;
    QPushButton* defaults_;
    QRadioButton* automatic_;
    QRadioButton* manual_;
    // Stored and shown only: they have no effect in the analysis.
    QCheckBox* dcRemoval_;
    QCheckBox* integrate_;
    QCheckBox* polarity_;
    QComboBox* shape_;
    QSpinBox* shapeParam_;
    QSpinBox* rateParam_;
    QDoubleSpinBox* factorParam_;
    QSpinBox* offsetParam_;
    QLineEdit* shapeScale_;
    QPushButton* apply_;
    bool filling_ = false;
};
