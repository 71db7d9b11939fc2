// Asks for the object name and the place of a further dock widget.
#pragma once

#include <QDialog>

class QComboBox;
class QLineEdit;

class CreateDockWidgetDialog : public QDialog {
    Q_OBJECT

public:
    explicit CreateDockWidgetDialog(QWidget* parent = nullptr);

    // The name the new dock widget gets (and is restored by).
    QString dockName() const;
    // "Top", "Left", "Right", "Bottom" or "Restore".
    QString location() const;

private:
    QLineEdit* objectName_;
    QComboBox* location_;
};
