#pragma once
#include <QColor>
#include <QLineEdit>

namespace quorvex::ui {

// A numeric text field that keeps its last accepted number. What the user types is
// checked as it is typed (white text on a black border when it is a plain decimal
// number, red text on a red border otherwise) and applied only when editing ends
// and the text is such a number; anything else brings back the text shown before
// the edit, which the owner may have written in its own units since the last
// accepted number. Accessibility comes from QLineEdit.
class YJTextField : public QLineEdit {
    Q_OBJECT
public:
    explicit YJTextField(QWidget* parent = nullptr);

    // Optional sign, digits, optional decimal part with digits: "-5", "+3.25", "7".
    // Not ".5", "5.", "5e2", " 7".
    static bool isNumberText(const QString& text);

    // The last accepted number. setValue() changes it and nothing else.
    float value() const { return m_value; }
    void setValue(float v) { m_value = v; }

    // Texts set from code: each shows the text and restores the normal colours; none
    // of them changes value().
    void setStringValue(const QString& text);
    void setIntegerValue(long long v);
    void setFloatValue(float v);
    void setDoubleValue(double v);

    bool showsInvalid() const { return m_invalid; }
    QColor textColor() const;
    QColor borderColor() const;

signals:
    // Sent on the next turn of the event loop after an edit has been accepted.
    void action(quorvex::ui::YJTextField* sender);

private:
    void userEdited(const QString& text);
    void editingEnded();
    void setInvalid(bool invalid);

    float m_value = 0.0f;
    QString m_shownText;  // set from code or accepted: what a rejected edit brings back
    bool m_invalid = false;
    bool m_userEdited = false;  // typed into since editing last ended
};

}  // namespace quorvex::ui
