// "采样参数": how the instrument recorded an area file. Display only: every
// control is disabled, and the values are taken once, when it opens.
#pragma once

#include <QDialog>

class QComboBox;
class QLineEdit;

namespace tarvel {
struct NamePipeFile;
}

class QDeviceSet : public QDialog {
    Q_OBJECT

public:
    explicit QDeviceSet(const tarvel::NamePipeFile& file, QWidget* parent = nullptr);

    // The level names of the trigger thresholds, in converter counts.
    static QString triggerLevelText(int triggerLevel);

public slots:
    void OkClick();
};
