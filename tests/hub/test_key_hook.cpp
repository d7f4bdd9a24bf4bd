// The space bar taps the tempo wherever the focus is, except in a real text entry.
#include "app_delegate.h"

#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalSpy>
#include <QTextEdit>
#include <QVBoxLayout>
#include <QtTest>

using namespace quorvex;

class TestKeyHook : public QObject {
    Q_OBJECT

private slots:
    void spaceTapsExceptInTextEntries() {
        AppDelegate hub;
        hub.installKeyHook(qApp);
        QWidget window;
        auto* layout = new QVBoxLayout(&window);
        auto* list = new QListWidget;  // the preset list: an item view, which takes input methods
        list->addItems({QStringLiteral("001A:CLEAN"), QStringLiteral("001B:LEAD")});
        auto* button = new QPushButton(QStringLiteral("SAVE"));
        auto* pick = new QComboBox;
        pick->addItems({QStringLiteral("CRYING 95"), QStringLiteral("AUTO WAH")});
        auto* name = new QLineEdit;
        auto* editable = new QComboBox;
        editable->setEditable(true);
        auto* notes = new QTextEdit;
        for (QWidget* w : {static_cast<QWidget*>(list), static_cast<QWidget*>(button), static_cast<QWidget*>(pick),
                           static_cast<QWidget*>(name), static_cast<QWidget*>(editable), static_cast<QWidget*>(notes)})
            layout->addWidget(w);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QSignalSpy taps(&hub, &AppDelegate::keySpaceClick);

        const struct {
            QWidget* focus;
            int taps;
        } cases[] = {{list, 1}, {button, 1}, {name, 0}, {editable, 0}, {notes, 0}, {pick, 1}};  // pick opens its list: last
        for (const auto& c : cases) {
            taps.clear();
            c.focus->setFocus();
            QTRY_VERIFY(c.focus->hasFocus() || c.focus->isAncestorOf(QApplication::focusWidget()));
            QTest::keyClick(window.windowHandle(), Qt::Key_Space);
            QVERIFY2(taps.size() == c.taps, c.focus->metaObject()->className());
        }
    }
};

QTEST_MAIN(TestKeyHook)
#include "test_key_hook.moc"
