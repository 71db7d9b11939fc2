#include "edit_widgets.h"

#include <QKeyEvent>

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

void QCustomEdit::commit() {
    if (text() != committed_) {
        committed_ = text();
        emit textUpdate();
    }
}

void QCustomEdit::focusOutEvent(QFocusEvent* event) {
    commit();
    QLineEdit::focusOutEvent(event);
}

void QCustomEdit::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        commit();
        return;
    case Qt::Key_Escape:
        QLineEdit::setText(committed_);
        return;
    default:
        QLineEdit::keyPressEvent(event);
    }
}

QCustomSpinBox::QCustomSpinBox(QWidget* parent) : QSpinBox(parent) {
    notifyParentOnCommit(this, parent);
}

void QCustomSpinBox::focusOutEvent(QFocusEvent* event) {
    emit textUpdate();
    QSpinBox::focusOutEvent(event);
}
