// Saving: the save dialog on its own (slots, name field), the SAVE button's flow through
// the hub, and the save-changes prompt with its answers. The flows are run once through
// the real modal loops as well.
#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

#include <functional>

#include "preset_screen_fixture.h"
#include "save_window_controller.h"

using quorvex::SaveWindowController;

namespace {

struct Screen : PresetScreen {
    // The slot made current as the pedal would, then the edited flag set.
    explicit Screen(int slot, const QString& entry, bool edited = true) {
        root->UpdataPresetListIndex(slot, entry);
        root->UpdataCurrentPresetSelect(slot);
        hub.edited = edited;
        hub.calls.clear();
    }
};

QAbstractButton* buttonNamed(QMessageBox& box, const QString& text) {
    for (QAbstractButton* b : box.buttons())
        if (b->text() == text)
            return b;
    return nullptr;
}

// Runs act on the first modal widget of type W once it is up, from inside its modal loop.
template <typename W>
void whenModal(std::function<void(W*)> act) {
    auto* poll = new QTimer;
    poll->setInterval(10);
    QObject::connect(poll, &QTimer::timeout, poll, [poll, act] {
        if (auto* w = qobject_cast<W*>(QApplication::activeModalWidget())) {
            poll->stop();
            poll->deleteLater();
            act(w);
        }
    });
    poll->start();
}

}  // namespace

class SaveWindowTest : public QObject {
    Q_OBJECT
private slots:
    void dialogOffersTheSlotsAndTracksTheChoice();
    void nameFieldKeepsLettersDigitsAndSpacesUpTo15();
    void saveButtonFlows_data();
    void saveButtonFlows();
    void slotWithoutANameOffersAnEmptyOne();
    void realModalSaveDialog();
    void promptAsksAboutTheCurrentSlot();
    void promptAnswers_data();
    void promptAnswers();
    void realModalPrompt();
};

void SaveWindowTest::dialogOffersTheSlotsAndTracksTheChoice() {
    SaveWindowController d;
    QVERIFY(!d.isSave());
    d.setComboBoxindex(4);
    d.setComboBoxindex(300);
    d.setComboBoxindex(-1);
    QCOMPARE(d.indexNumber(), qint64(4));
    QCOMPARE(d.PresetNumber()->currentText(), QString("002B"));
    d.PresetNumber()->setCurrentIndex(299);  // the user's choice
    QCOMPARE(d.indexNumber(), qint64(299));
}

void SaveWindowTest::nameFieldKeepsLettersDigitsAndSpacesUpTo15() {
    SaveWindowController d;
    d.show();
    QVERIFY(QTest::qWaitForWindowExposed(&d));
    QTest::keyClicks(d.PresetName(), "Lead-2! tone and more");
    QCOMPARE(d.PresetName()->text(), QString("Lead2 tone and "));
    d.setComboBoxSelectionName("Clean-1 (copy)");
    QCOMPARE(d.PresetName()->text(), QString("Clean1 copy"));
    d.setComboBoxSelectionName("ABCDEFGHIJKLMNOPQRST");
    QCOMPARE(d.presetNameText(), QString("ABCDEFGHIJKLMNO"));
}

void SaveWindowTest::saveButtonFlows_data() {
    QTest::addColumn<int>("slot");    // chosen in the dialog, -1: as offered
    QTest::addColumn<QString>("name");  // typed over the offered one, empty: as offered
    QTest::addColumn<bool>("save");
    QTest::addColumn<QStringList>("calls");
    QTest::newRow("as offered") << -1 << "" << true
                                << QStringList{"SavePresetChange(4,CRUNCH)", "SetIsChangeGuiData(0)"};
    QTest::newRow("another slot and name")
        << 10 << "Solo boost" << true << QStringList{"SavePresetChange(10,Solo boost)", "SetIsChangeGuiData(0)"};
    QTest::newRow("cancelled") << 20 << "" << false << QStringList{};
}

void SaveWindowTest::saveButtonFlows() {
    QFETCH(int, slot);
    QFETCH(QString, name);
    QFETCH(bool, save);
    QFETCH(QStringList, calls);
    Screen s(4, "002B:CRUNCH");
    QString offered;
    s.root->setSaveWindowRunner([&](SaveWindowController& d) {
        offered = d.PresetNumber()->currentText() + ":" + d.presetNameText();
        if (slot >= 0)
            d.PresetNumber()->setCurrentIndex(slot);
        if (!name.isEmpty()) {
            d.PresetName()->selectAll();
            QTest::keyClicks(d.PresetName(), name);
        }
        save ? d.save() : d.cancel();
    });
    QTest::mouseClick(s.root->saveButton(), Qt::LeftButton);
    QCOMPARE(offered, QString("002B:CRUNCH"));
    QCOMPARE(s.hub.calls, calls);
    QCOMPARE(s.hub.edited, !save);  // a save clears the mark
    QCOMPARE(s.root->selectedCell(), 4);  // saving elsewhere does not switch presets
}

void SaveWindowTest::slotWithoutANameOffersAnEmptyOne() {
    Screen s(7, "003B");
    QString offered = "?";
    s.root->setSaveWindowRunner([&](SaveWindowController& d) { offered = d.presetNameText(); });
    s.root->SaveButtonClick();
    QCOMPARE(offered, QString());
}

void SaveWindowTest::realModalSaveDialog() {
    Screen s(2, "001C:AMBIENT");
    bool wasModal = false;
    whenModal<SaveWindowController>([&](SaveWindowController* d) {
        wasModal = d->isModal() && d->isVisible();
        // The name comes up selected, ready to be typed over; add to it instead.
        QTest::keyClick(d->PresetName(), Qt::Key_End);
        QTest::keyClicks(d->PresetName(), " 2");
        QTest::keyClick(d->PresetName(), Qt::Key_Return);
    });
    s.root->SaveButtonClick();
    QVERIFY(wasModal);
    QCOMPARE(s.hub.calls, QStringList({"SavePresetChange(2,AMBIENT 2)", "SetIsChangeGuiData(0)"}));
}

void SaveWindowTest::promptAsksAboutTheCurrentSlot() {
    Screen s(299, "100C:X");
    QStringList seen;
    s.root->setAlertRunner([&](QMessageBox& box) -> QAbstractButton* {
        seen << (box.icon() == QMessageBox::Warning ? "warning" : "no warning") << box.text() << box.informativeText() << box.defaultButton()->text() << box.escapeButton()->text();
        for (QAbstractButton* b : box.buttons()) seen << b->text();
        return buttonNamed(box, "Cancel");
    });
    QVERIFY(!s.root->runSaveChangesPrompt());
    QCOMPARE(seen, QStringList({"warning", "Waring", "Do you want to save changes to 100C", "Save", "Cancel", "Save",
                                "Cancel", "Don't Save"}));
}

void SaveWindowTest::promptAnswers_data() {
    QTest::addColumn<bool>("edited");
    QTest::addColumn<QString>("answer");    // button pressed, empty: closed without one
    QTest::addColumn<bool>("dialogSaves");  // for "Save": how the save dialog ends
    QTest::addColumn<bool>("goAhead");
    QTest::addColumn<QStringList>("calls");
    const QStringList saved{"SavePresetChange(4,CRUNCH)", "SetIsChangeGuiData(0)"};
    QTest::newRow("not edited: no prompt") << false << "" << false << true << QStringList{};
    QTest::newRow("Save, saved") << true << "Save" << true << true << saved;
    QTest::newRow("Save, dialog cancelled") << true << "Save" << false << false << QStringList{};
    QTest::newRow("Cancel") << true << "Cancel" << false << false << QStringList{};
    QTest::newRow("Don't Save") << true << "Don't Save" << false << true
                                << QStringList{"SetIsChangeGuiData(0)", "ChangeCurrentPreset(4)"};
    QTest::newRow("closed") << true << "" << false << false << QStringList{};
}

void SaveWindowTest::promptAnswers() {
    QFETCH(bool, edited);
    QFETCH(QString, answer);
    QFETCH(bool, dialogSaves);
    QFETCH(bool, goAhead);
    QFETCH(QStringList, calls);
    Screen s(4, "002B:CRUNCH", edited);
    int alerts = 0;
    s.root->setAlertRunner([&](QMessageBox& box) {
        ++alerts;
        return buttonNamed(box, answer);
    });
    s.root->setSaveWindowRunner([&](SaveWindowController& d) { dialogSaves ? d.save() : d.cancel(); });
    QCOMPARE(s.root->runSaveChangesPrompt(), goAhead);
    QCOMPARE(alerts, edited ? 1 : 0);
    QCOMPARE(s.hub.calls, calls);
    QCOMPARE(s.hub.edited, edited && !goAhead);
    QCOMPARE(s.root->selectedCell(), 4);
}

void SaveWindowTest::realModalPrompt() {
    Screen s(5, "002C:FUNK");
    whenModal<QMessageBox>([](QMessageBox* box) { buttonNamed(*box, "Don't Save")->click(); });
    QVERIFY(s.root->runSaveChangesPrompt());
    QCOMPARE(s.hub.calls, QStringList({"SetIsChangeGuiData(0)", "ChangeCurrentPreset(5)"}));
}

QTEST_MAIN(SaveWindowTest)
#include "test_save_window.moc"
