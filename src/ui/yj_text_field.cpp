#include "yj_text_field.h"

#include <QRegularExpression>

#include "control_accessibility.h"
#include "control_palette.h"

namespace quorvex::ui {

namespace {

// A plain decimal text for a number: "50", "37.5", "-0.25"; never an exponent,
// which the field itself would refuse.
QString plainText(double v, int decimals) {
    QString s = QString::number(v, 'f', decimals);
    if (s.contains(u'.')) {
        while (s.endsWith(u'0'))
            s.chop(1);
        if (s.endsWith(u'.'))
            s.chop(1);
    }
    if (s == u"-0")
        s = QStringLiteral("0");
    return s;
}

}  // namespace

YJTextField::YJTextField(QWidget* parent) : QLineEdit(parent) {
    installControlAccessibility();
    setInvalid(false);
    // textEdited is the user's typing only; code that sets the text doesn't raise it.
    connect(this, &QLineEdit::textEdited, this, &YJTextField::userEdited);
    connect(this, &QLineEdit::editingFinished, this, &YJTextField::editingEnded);
}

bool YJTextField::isNumberText(const QString& text) {
    // ASCII digits only, anchored at the true end of the text: "\d" would let other
    // scripts' digits through and "$" a trailing line break, neither of which the
    // number conversion reads.
    static const QRegularExpression pattern(
        QRegularExpression::anchoredPattern(QStringLiteral(R"((\-|\+)?[0-9]+(\.[0-9]+)?)")));
    return pattern.match(text).hasMatch();
}

void YJTextField::setStringValue(const QString& text) {
    setText(text);
    m_userEdited = false;
    setInvalid(false);
}

void YJTextField::setIntegerValue(long long v) { setStringValue(QString::number(v)); }
void YJTextField::setFloatValue(float v) { setStringValue(plainText(double(v), 6)); }
void YJTextField::setDoubleValue(double v) { setStringValue(plainText(v, 10)); }

QColor YJTextField::textColor() const { return m_invalid ? QColor(Qt::red) : QColor(Qt::white); }
QColor YJTextField::borderColor() const { return m_invalid ? QColor(Qt::red) : QColor(Qt::black); }

void YJTextField::userEdited(const QString& text) {
    m_userEdited = true;
    setInvalid(!isNumberText(text));
}

void YJTextField::editingEnded() {
    // Return and the loss of focus both end editing; only the first one after typing
    // counts, so an accepted edit is announced once.
    if (!m_userEdited)
        return;
    m_userEdited = false;
    bool ok = false;
    const float number = isNumberText(text()) ? text().toFloat(&ok) : 0.0f;
    if (!ok) {
        // Not a number (or one too large for a float): the last accepted number comes back.
        setFloatValue(m_value);
        return;
    }
    m_value = number;
    setInvalid(false);
    QMetaObject::invokeMethod(this, [this] { emit action(this); }, Qt::QueuedConnection);
}

void YJTextField::setInvalid(bool invalid) {
    if (invalid == m_invalid && !styleSheet().isEmpty())
        return;
    m_invalid = invalid;
    setStyleSheet(QStringLiteral("QLineEdit { color: %1; background: %2; border: 1px solid %3;"
                                 " padding: 0 3px; selection-background-color: %4; }")
                      .arg(textColor().name(), palette::stage().name(), borderColor().name(),
                           palette::teal().name()));
}

}  // namespace quorvex::ui
