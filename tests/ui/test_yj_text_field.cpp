// YJTextField: the number pattern, the colours while typing, what ending an edit
// does with a good and a bad text, and what setting the text from code does.
#include <QSignalSpy>
#include <QtTest>

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
        field->setGeometry(10, 10, 120, 26);
        other->setGeometry(10, 50, 120, 26);
        window.resize(200, 100);
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
    }
};

QColor borderPixel(YJTextField* f) { return f->grab().toImage().pixelColor(0, f->height() / 2); }

}  // namespace

class YJTextFieldTest : public QObject {
    Q_OBJECT
private slots:
    void pattern_data();
    void pattern();

    void typingColoursTheField();
    void goodTextIsAcceptedWhenEditingEnds_data();
    void goodTextIsAcceptedWhenEditingEnds();
    void endingByFocusLossAcceptsOnce();
    void badTextFallsBackToLastAcceptedNumber();
    void numberTooLargeForFloatFallsBack();
    void textFromCodeRestoresColoursAndKeepsValue();
    void textFromCodeIsPlainDecimal();
};

void YJTextFieldTest::pattern_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("accepted");
    QTest::newRow("negative") << "-5" << true;
    QTest::newRow("plus with decimals") << "+3.25" << true;
    QTest::newRow("plain") << "7" << true;
    QTest::newRow("leading zeros") << "007" << true;
    QTest::newRow("trailing zero decimals") << "12.50" << true;
    QTest::newRow("no digits before point") << ".5" << false;
    QTest::newRow("no digits after point") << "5." << false;
    QTest::newRow("letter") << "12a" << false;
    QTest::newRow("exponent") << "5e2" << false;
    QTest::newRow("empty") << "" << false;
    QTest::newRow("sign only") << "+" << false;
    QTest::newRow("two signs") << "--5" << false;
    QTest::newRow("two points") << "1.2.3" << false;
    QTest::newRow("leading space") << " 7" << false;
    QTest::newRow("trailing space") << "7 " << false;
    QTest::newRow("trailing line break") << "7\n" << false;
    QTest::newRow("comma") << "1,5" << false;
    QTest::newRow("other script digits") << QString::fromUtf8("\u0663") << false;
}

void YJTextFieldTest::pattern() {
    QFETCH(QString, text);
    QFETCH(bool, accepted);
    QCOMPARE(YJTextField::isNumberText(text), accepted);
}

void YJTextFieldTest::typingColoursTheField() {
    Form form;
    QVERIFY(form.active);
    YJTextField* f = form.field;
    QCOMPARE(f->textColor(), QColor(Qt::white));
    QCOMPARE(f->borderColor(), QColor(Qt::black));
    QCOMPARE(borderPixel(f), QColor(Qt::black));

    form.typeOver("12");
    QVERIFY(!f->showsInvalid());
    QTest::keyClick(f, Qt::Key_A);
    QCOMPARE(f->text(), QString("12a"));
    QVERIFY(f->showsInvalid());
    QCOMPARE(f->textColor(), QColor(Qt::red));
    QCOMPARE(f->borderColor(), QColor(Qt::red));
    QCOMPARE(borderPixel(f), QColor(Qt::red));

    QTest::keyClick(f, Qt::Key_Backspace);  // back to "12"
    QVERIFY(!f->showsInvalid());
    QCOMPARE(borderPixel(f), QColor(Qt::black));
}

void YJTextFieldTest::goodTextIsAcceptedWhenEditingEnds_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<float>("value");
    QTest::newRow("-5") << "-5" << -5.0f;
    QTest::newRow("+3.25") << "+3.25" << 3.25f;
    QTest::newRow("7") << "7" << 7.0f;
    QTest::newRow("150") << "150" << 150.0f;
}

void YJTextFieldTest::goodTextIsAcceptedWhenEditingEnds() {
    QFETCH(QString, text);
    QFETCH(float, value);
    Form form;
    QVERIFY(form.active);
    form.field->setValue(50.0f);
    form.field->setIntegerValue(50);
    QSignalSpy spy(form.field, &YJTextField::action);
    form.typeOver(text);
    QCOMPARE(form.field->value(), 50.0f);  // nothing applied while typing
    QTest::keyClick(form.field, Qt::Key_Return);
    QCOMPARE(form.field->value(), value);
    QCOMPARE(form.field->text(), text);
    QVERIFY(!form.field->showsInvalid());
    QCOMPARE(spy.count(), 0);  // announced on the next turn of the event loop
    QTRY_COMPARE(spy.count(), 1);
    QCOMPARE(spy.at(0).at(0).value<YJTextField*>(), form.field);
}

void YJTextFieldTest::endingByFocusLossAcceptsOnce() {
    Form form;
    QVERIFY(form.active);
    QSignalSpy spy(form.field, &YJTextField::action);
    form.typeOver("42");
    QTest::keyClick(form.field, Qt::Key_Return);
    form.other->setFocus();  // editing ends a second time: nothing new
    QTRY_COMPARE(spy.count(), 1);
    QTest::qWait(20);
    QCOMPARE(spy.count(), 1);

    form.typeOver("-7.5");
    form.other->setFocus();  // editing ends by the focus leaving alone
    QCOMPARE(form.field->value(), -7.5f);
    QTRY_COMPARE(spy.count(), 2);
}

void YJTextFieldTest::badTextFallsBackToLastAcceptedNumber() {
    Form form;
    QVERIFY(form.active);
    YJTextField* f = form.field;
    QSignalSpy spy(f, &YJTextField::action);
    f->setValue(50.0f);
    // The owner later shows another number (from a slider, say) without accepting it.
    f->setIntegerValue(80);

    for (const char* bad : {"12a", "5e2", ".5", "5.", ""}) {
        form.typeOver(QString::fromLatin1(bad));
        if (*bad == '\0')
            QTest::keyClick(f, Qt::Key_Backspace);  // the user erased everything
        QVERIFY2(f->showsInvalid(), bad);
        QTest::keyClick(f, Qt::Key_Return);
        QCOMPARE(f->text(), QString("50"));
        QCOMPARE(f->value(), 50.0f);
        QVERIFY(!f->showsInvalid());
        QCOMPARE(borderPixel(f), QColor(Qt::black));
    }
    form.typeOver("12a");
    form.other->setFocus();  // ending by focus loss falls back the same way
    QCOMPARE(f->text(), QString("50"));
    QTest::qWait(20);
    QCOMPARE(spy.count(), 0);
}

void YJTextFieldTest::numberTooLargeForFloatFallsBack() {
    Form form;
    QVERIFY(form.active);
    QSignalSpy spy(form.field, &YJTextField::action);
    form.field->setValue(12.0f);
    form.typeOver(QString("1") + QString(50, u'0'));
    QVERIFY(!form.field->showsInvalid());  // it looks like a number while typing
    QTest::keyClick(form.field, Qt::Key_Return);
    QCOMPARE(form.field->text(), QString("12"));
    QCOMPARE(form.field->value(), 12.0f);
    QTest::qWait(20);
    QCOMPARE(spy.count(), 0);
}

void YJTextFieldTest::textFromCodeRestoresColoursAndKeepsValue() {
    Form form;
    QVERIFY(form.active);
    YJTextField* f = form.field;
    QSignalSpy spy(f, &YJTextField::action);
    f->setValue(9.0f);
    const auto redden = [&] {
        form.typeOver("x");
        QVERIFY(f->showsInvalid());
    };
    redden();
    f->setStringValue("abc");  // even a text that is no number is shown normally
    QVERIFY(!f->showsInvalid());
    QCOMPARE(borderPixel(f), QColor(Qt::black));
    redden();
    f->setIntegerValue(3);
    QVERIFY(!f->showsInvalid());
    redden();
    f->setFloatValue(2.5f);
    QVERIFY(!f->showsInvalid());
    redden();
    f->setDoubleValue(1.25);
    QVERIFY(!f->showsInvalid());
    QCOMPARE(f->text(), QString("1.25"));
    QCOMPARE(f->value(), 9.0f);

    // Text set from code is not an edit: leaving the field sends nothing.
    form.other->setFocus();
    QTest::qWait(20);
    QCOMPARE(spy.count(), 0);
    QCOMPARE(f->value(), 9.0f);
}

void YJTextFieldTest::textFromCodeIsPlainDecimal() {
    YJTextField f;
    f.setIntegerValue(-3);
    QCOMPARE(f.text(), QString("-3"));
    f.setFloatValue(50.0f);
    QCOMPARE(f.text(), QString("50"));
    f.setFloatValue(37.5f);
    QCOMPARE(f.text(), QString("37.5"));
    f.setDoubleValue(0.1);
    QCOMPARE(f.text(), QString("0.1"));
    f.setDoubleValue(-0.0);
    QCOMPARE(f.text(), QString("0"));
    // Large numbers never come out in exponent form, which the field would then refuse.
    f.setFloatValue(1.0e7f);
    QCOMPARE(f.text(), QString("10000000"));
    f.setDoubleValue(2.5e9);
    QCOMPARE(f.text(), QString("2500000000"));
    QVERIFY(YJTextField::isNumberText(f.text()));
}

QTEST_MAIN(YJTextFieldTest)
#include "test_yj_text_field.moc"
