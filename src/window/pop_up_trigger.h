#pragma once
#include <QString>
#include <QWidget>

namespace quorvex {

// A read-out that opens something when clicked: the preset header opens the preset
// list, the volume read-out opens the volume pop-up. It shows a text, takes the
// keyboard focus, and is worked by the pointer (left button) or by Return and Enter.
// Assistive technology sees a drop-down button whose value is the text.
class PopUpTrigger : public QWidget {
    Q_OBJECT
public:
    explicit PopUpTrigger(QWidget* parent = nullptr);

    QString text() const { return m_text; }
    void setText(const QString& text);

    // Whatever the trigger opens is showing.
    virtual bool isOpen() const = 0;

    // Acts as a click does.
    void trigger();

    bool isHovered() const { return m_hovered; }

signals:
    void clicked();

protected:
    // Runs on every click before clicked() goes out.
    virtual void onTriggered() {}

    void mousePressEvent(QMouseEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void enterEvent(QEnterEvent* e) override;
    void leaveEvent(QEvent* e) override;
    void focusInEvent(QFocusEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;

    // The recessed display both triggers draw on: dark face, an edge that lights up
    // while open, under the pointer or focused.
    void paintDisplayFrame(class QPainter& p) const;

private:
    QString m_text;
    bool m_hovered = false;
};

}  // namespace quorvex
