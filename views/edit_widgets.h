// Edit widgets of the panels that commit on focus-out and then tell their
// parent panel (through its changesave() slot).
#pragma once

#include <QLineEdit>
#include <QSpinBox>

class QCustomEdit : public QLineEdit {
    Q_OBJECT

public:
    explicit QCustomEdit(QWidget* parent = nullptr);

    // Text typed and not yet committed (by Enter or by leaving the box).
    bool hasUncommittedText() const { return text() != committed_; }

signals:
    void textUpdate();

public slots:
    // Shows `text` as already committed: it raises no textUpdate().
    void setText(const QString& text);

protected:
    void focusOutEvent(QFocusEvent* event) override;
    // Enter commits as leaving the box does; Esc brings back the committed
    // text.
    void keyPressEvent(QKeyEvent* event) override;

private:
    void commit();

    QString committed_;
};

class QCustomSpinBox : public QSpinBox {
    Q_OBJECT

public:
    explicit QCustomSpinBox(QWidget* parent = nullptr);

signals:
    // Raised on every focus-out, changed or not.
    void textUpdate();

protected:
    void focusOutEvent(QFocusEvent* event) override;
};
