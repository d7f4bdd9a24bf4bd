// YJTextField: the number pattern, the colours while typing, what ending an edit does
// with a good and a bad text, and what setting the text from code does.
#include <QSignalSpy>
#include <QtTest>

#include <functional>

#include "yj_text_field.h"

using quorvex::ui::YJTextField;

namespace {

// A field and a second focusable widget in one window, so that focus can leave.
struct Form {
    QWidget window;
    YJTextField* field;
    QLineEdit* other;
    bool active = false;  // focus only really moves in the active window
    Form() : field(new YJTextField(&window)), other(new QLineEdit(&window)) {
        other->move(0, 40);
        window.show();
        window.activateWindow();
        active = QTest::qWaitForWindowActive(&window);
        field->setFocus();
    }
    // What the user does: select everything in the field and type over it.
    void typeOver(const QString& text) {
        field->setFocus();
        field->selectAll();
        QTest::keyClicks(field, text);
        if (text.isEmpty())
            QTest::keyClick(field, Qt::Key_Backspace);
    }
};

}  // namespace

class YJTextFieldTest : public QObject {
    Q_OBJECT
private slots:
    void pattern_data();
    void pattern();
    void goodTextIsAcceptedOnceWhenEditingEnds_data();
    void goodTextIsAcceptedOnceWhenEditingEnds();
    void badTextBringsBackTheShownText_data();
    void badTextBringsBackTheShownText();
    void textFromCodeIsPlainAndChangesNoValue();
};

void YJTextFieldTest::pattern_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("accepted");
    for (const char* good : {"-5", "+3.25", "7", "007", "12.50"})
        QTest::newRow(good) << good << true;
    for (const char* bad : {".5", "5.", "12a", "5e2", "", "+", "--5", "1.2.3", " 7", "7\n", "1,5"})
        QTest::newRow(bad) << bad << false;
    QTest::newRow("other script digits") << QString::fromUtf8("\u0663") << false;
}

void YJTextFieldTest::pattern() {
    QFETCH(QString, text);
    QFETCH(bool, accepted);
    QCOMPARE(YJTextField::isNumberText(text), accepted);
}

void YJTextFieldTest::goodTextIsAcceptedOnceWhenEditingEnds_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<float>("value");
    QTest::addColumn<bool>("byReturn");  // else by the focus leaving
    QTest::newRow("-5, Return") << "-5" << -5.0f << true;
    QTest::newRow("+3.25, Return") << "+3.25" << 3.25f << true;
    QTest::newRow("150, focus leaves") << "150" << 150.0f << false;
}

void YJTextFieldTest::goodTextIsAcceptedOnceWhenEditingEnds() {
    QFETCH(QString, text);
    QFETCH(float, value);
    QFETCH(bool, byReturn);
    Form form;
    QVERIFY(form.active);
    form.field->setValue(50.0f);
    QSignalSpy spy(form.field, &YJTextField::action);
    form.typeOver(text);
    QCOMPARE(form.field->value(), 50.0f);  // nothing applied while typing
    if (byReturn)
        QTest::keyClick(form.field, Qt::Key_Return);
    form.other->setFocus();  // after Return, a second end of editing that adds nothing
    QCOMPARE(form.field->value(), value);
    QCOMPARE(spy.count(), 0);  // announced on the next turn of the event loop
    QTRY_COMPARE(spy.count(), 1);
    QCOMPARE(spy.at(0).at(0).value<YJTextField*>(), form.field);
    QTest::qWait(20);
    QCOMPARE(spy.count(), 1);
}

void YJTextFieldTest::badTextBringsBackTheShownText_data() {
    QTest::addColumn<QString>("shownByOwner");  // empty: the owner leaves the accepted text
    QTest::addColumn<QString>("bad");
    QTest::addColumn<bool>("redWhileTyped");
    QTest::newRow("letter after the owner's text") << "+3" << "12a" << true;
    QTest::newRow("erased") << "+3" << "" << true;
    QTest::newRow("point without digits, accepted text") << "" << "5." << true;
    QTest::newRow("too large for a float") << "-2.5" << QString("1") + QString(50, u'0') << false;
}

// A rejected edit brings back what the field showed before it: the owner's text in its
// own units (a gain in dB) when the owner wrote one since, else the accepted text.
void YJTextFieldTest::badTextBringsBackTheShownText() {
    QFETCH(QString, shownByOwner);
    QFETCH(QString, bad);
    QFETCH(bool, redWhileTyped);
    Form form;
    QVERIFY(form.active);
    YJTextField* f = form.field;
    QSignalSpy spy(f, &YJTextField::action);
    form.typeOver("37.90");
    QTest::keyClick(f, Qt::Key_Return);
    if (!shownByOwner.isEmpty()) f->setStringValue(shownByOwner);

    form.typeOver(bad);
    QCOMPARE(f->showsInvalid(), redWhileTyped);
    QCOMPARE(f->borderColor(), redWhileTyped ? QColor(Qt::red) : QColor(Qt::black));
    QTest::keyClick(f, Qt::Key_Return);
    QCOMPARE(f->text(), shownByOwner.isEmpty() ? QStringLiteral("37.90") : shownByOwner);
    QCOMPARE(f->value(), 37.9f);
    QVERIFY(!f->showsInvalid());
    QCOMPARE(f->textColor(), QColor(Qt::white));
    QTest::qWait(20);
    QCOMPARE(spy.count(), 1);  // the accepted number's edit only
}

void YJTextFieldTest::textFromCodeIsPlainAndChangesNoValue() {
    Form form;
    QVERIFY(form.active);
    YJTextField* f = form.field;
    QSignalSpy spy(f, &YJTextField::action);
    f->setValue(9.0f);
    const QList<std::pair<std::function<void()>, QString>> settings{
        {[f] { f->setStringValue("abc"); }, "abc"},  // even a text that is no number is shown normally
        {[f] { f->setFloatValue(37.9f); }, "37.9"},
        {[f] { f->setFloatValue(1.0e7f); }, "10000000"},  // never an exponent, which the field refuses
        {[f] { f->setDoubleValue(-0.0); }, "0"},
        {[f] { f->setDoubleValue(2.5e9); }, "2500000000"},
    };
    for (const auto& [set, text] : settings) {
        form.typeOver("x");
        QVERIFY(f->showsInvalid());
        set();
        QCOMPARE(f->text(), text);
        QVERIFY(!f->showsInvalid());
    }
    // Text set from code is not an edit: leaving the field sends nothing.
    form.other->setFocus();
    QTest::qWait(20);
    QCOMPARE(spy.count(), 0);
    QCOMPARE(f->value(), 9.0f);
}

QTEST_MAIN(YJTextFieldTest)
#include "test_yj_text_field.moc"
