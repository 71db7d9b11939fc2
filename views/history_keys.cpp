#include "history_keys.h"

#include "edit_widgets.h"

#include <QAction>
#include <QApplication>
#include <QDoubleSpinBox>
#include <QKeyEvent>
#include <QSpinBox>

HistoryKeys::HistoryKeys(QWidget* window, const QList<QAction*>& actions)
    : QObject(window), window_(window), actions_(actions) {
    qApp->installEventFilter(this);
}

HistoryKeys::~HistoryKeys() {
    qApp->removeEventFilter(this);
}

bool HistoryKeys::holdsUnappliedText(const QWidget* widget) {
    if (const auto* edit = qobject_cast<const QCustomEdit*>(widget))
        return edit->hasUncommittedText();
    if (const auto* edit = qobject_cast<const QLineEdit*>(widget))
        return !edit->isReadOnly() && edit->isModified();
    // A box that applies as it is typed holds nothing back.
    const auto* box = qobject_cast<const QAbstractSpinBox*>(widget);
    if (!box || box->keyboardTracking())
        return false;
    if (const auto* spin = qobject_cast<const QSpinBox*>(box))
        return spin->cleanText() != spin->locale().toString(spin->value());
    if (const auto* spin = qobject_cast<const QDoubleSpinBox*>(box))
        return spin->cleanText() != spin->locale().toString(spin->value(), 'f', spin->decimals());
    return false;
}

bool HistoryKeys::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::ShortcutOverride && event->type() != QEvent::KeyPress)
        return false;
    const auto* widget = qobject_cast<QWidget*>(watched);
    if (!widget || widget->window() != window_ || holdsUnappliedText(widget))
        return false;
    auto* key = static_cast<QKeyEvent*>(event);
    const QKeySequence pressed(key->modifiers() | key->key());
    for (const QAction* action : actions_) {
        if (!action->shortcuts().contains(pressed))
            continue;
        // Not claimed by the box, so the window's shortcut takes the key;
        // when that is disabled (nothing to undo) the box does not get it
        // either, or it would take back text it has already applied.
        key->ignore();
        return true;
    }
    return false;
}
