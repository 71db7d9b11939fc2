// The area-information and processing-parameters panels as far as the main
// window needs them today: the area's name and the two area moduli, and the
// current point. The full panels replace these behind the same names.
#pragma once

#include <QWidget>

class QLabel;
class QLineEdit;

namespace tarvel {
struct NamePipeFile;
}

class QPipeInfo : public QWidget {
    Q_OBJECT

public:
    explicit QPipeInfo(QWidget* parent = nullptr);

    void fill(const tarvel::NamePipeFile& file);
    void clear();
    // The two read-only area moduli, already formatted.
    void setAreaMeans(const QString& resilient, const QString& deformation);
    QString resilientText() const;
    QString deformationText() const;

private:
    QLabel* areaName_;
    QLineEdit* resilient_;
    QLineEdit* deformation_;
};

class QWaveParameter : public QWidget {
    Q_OBJECT

public:
    explicit QWaveParameter(QWidget* parent = nullptr);

    // Shows the current point of the current file.
    void refresh();
    void reset();

private:
    QLabel* currentPoint_;
};
