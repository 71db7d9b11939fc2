// "选项": the wave height and the grid and ordinate of the wave views. The
// options without a control are handed back as they came, each 0 or 1.
#pragma once

#include "data/view_options.h"

#include <QDialog>

class QCheckBox;
class QLineEdit;

class QParamter : public QDialog {
    Q_OBJECT

public:
    static constexpr int kMinimumHeight = 50;
    static constexpr int kMaximumHeight = 500;
    // Shown instead of a stored height out of range.
    static constexpr int kFallbackHeight = 120;

    explicit QParamter(const tarvel::ViewOptions& options, QWidget* parent = nullptr);

    // The options as confirmed; valid once the dialog was accepted.
    const tarvel::ViewOptions& options() const { return options_; }

    QLineEdit* heightBox() const { return height_; }
    QCheckBox* gridBox() const { return grid_; }
    QCheckBox* ordinateBox() const { return ordinate_; }

    // A height out of range becomes the fallback, as the dialog shows it.
    static void normaliseHeight(tarvel::ViewOptions& options);

public slots:
    void OKClicked();
    void CancelClicked();

private:
    tarvel::ViewOptions options_;
    QLineEdit* height_;
    QCheckBox* grid_;
    QCheckBox* ordinate_;
};
