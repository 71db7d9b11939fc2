#include "edit_widgets.h"

namespace {

// Panels take the commit in their changesave() slot; any parent without one
// is simply not told.
template <typename Widget> void notifyParentOnCommit(Widget* widget, QWidget* parent) {
    if (!parent)
        return;
    QObject::connect(widget, &Widget::textUpdate, parent,
                     [parent] { QMetaObject::invokeMethod(parent, "changesave"); });
}

} // namespace

QCustomEdit::QCustomEdit(QWidget* parent) : QLineEdit(parent) {
    notifyParentOnCommit(this, parent);
}

void QCustomEdit::setText(const QString& text) {
    committed_ = text;
    QLineEdit::setText(text);
}

void QCustomEdit::focusOutEvent(QFocusEvent* event) {
    if (text() != committed_) {
        committed_ = text();
        emit textUpdate();
    }
    QLineEdit::focusOutEvent(event);
}

QCustomSpinBox::QCustomSpinBox(QWidget* parent) : QSpinBox(parent) {
    notifyParentOnCommit(this, parent);
}

void QCustomSpinBox::focusOutEvent(QFocusEvent* event) {
    emit textUpdate();
    QSpinBox::focusOutEvent(event);
}
