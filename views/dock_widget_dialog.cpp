#include "dock_widget_dialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>

CreateDockWidgetDialog::CreateDockWidgetDialog(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Add Dock Widget"));
    objectName_ = new QLineEdit;
    location_ = new QComboBox;
    location_->addItems({QStringLiteral("Top"), QStringLiteral("Left"), QStringLiteral("Right"),
                         QStringLiteral("Bottom"), QStringLiteral("Restore")});
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* form = new QFormLayout(this);
    form->setContentsMargins(0, 0, 0, 0);
    form->addRow(QStringLiteral("Object name:"), objectName_);
    form->addRow(QStringLiteral("Location:"), location_);
    form->addRow(buttons);
}

QString CreateDockWidgetDialog::dockName() const {
    return objectName_->text();
}

QString CreateDockWidgetDialog::location() const {
    return location_->currentText();
}
