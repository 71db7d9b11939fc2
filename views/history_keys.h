// Undo and redo of the edit history from the keyboard wherever the focus is
// in the window: a text box would otherwise take Ctrl+Z for its own typing
// even after its text was applied.
#pragma once

#include <QList>
#include <QObject>

class QAction;
class QWidget;

class HistoryKeys : public QObject {
    Q_OBJECT

public:
    // Lets the shortcuts of `actions` through from the boxes of `window`;
    // installs itself on the application while it lives.
    HistoryKeys(QWidget* window, const QList<QAction*>& actions);
    ~HistoryKeys() override;

    // A box holding typed text that is not applied yet keeps Ctrl+Z for it.
    static bool holdsUnappliedText(const QWidget* widget);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* window_;
    QList<QAction*> actions_;
};
