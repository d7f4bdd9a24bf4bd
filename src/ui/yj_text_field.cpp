#include "yj_text_field.h"

#include <QRegularExpression>

#include <charconv>
#include <iterator>

#include "control_accessibility.h"
#include "control_palette.h"

namespace quorvex::ui {

namespace {

// The shortest plain decimal text that reads back as the same number: 37.9f gives
// "37.9", not the "37.900002" of the float widened to double. Never an exponent,
// which the field itself would refuse.
template <typename Number>
QString plainText(Number v) {
    char digits[400];  // the longest double written out in full
    const auto end = std::to_chars(std::begin(digits), std::end(digits), v, std::chars_format::fixed).ptr;
    const QString s = QString::fromLatin1(digits, end - digits);
    return s == u"-0" ? QStringLiteral("0") : s;
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
    m_shownText = text;
    m_userEdited = false;
    setInvalid(false);
}

void YJTextField::setIntegerValue(long long v) { setStringValue(QString::number(v)); }
void YJTextField::setFloatValue(float v) { setStringValue(plainText(v)); }
void YJTextField::setDoubleValue(double v) { setStringValue(plainText(v)); }

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
        // Not a number (or one too large for a float): nothing changes.
        setStringValue(m_shownText);
        return;
    }
    m_value = number;
    m_shownText = text();
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
