// Saving: the save dialog on its own (slots, name field, how it ends), the SAVE
// button's flow through the hub, and the save-changes prompt with its three answers.
// The flows are run once through the real modal loops as well.
#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

#include <functional>

#include "fake_preset_hub.h"
#include "root_view_controller.h"
#include "save_window_controller.h"

using quorvex::RootViewController;
using quorvex::SaveWindowController;

namespace {

struct Screen {
    FakePresetHub hub;
    QWidget window;
    RootViewController* root;
    Screen() : root(new RootViewController(hub, &window)) {
        hub.list = root;
        window.resize(1280, 800);
        root->setGeometry(0, 0, 302, 800);
        window.show();
        QStringList entries;
        for (int slot = 0; slot < 300; ++slot)
            entries << QString::asprintf("%03d%c:P%d", slot / 3 + 1, "ABC"[slot % 3], slot);
        root->UpdataPresetListName(entries);
    }
    // The slot made current as the pedal would, then the edited flag set.
    void current(int slot, const QString& entry, bool edited) {
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
void whenModal(std::function<void(W*)> act, bool* seen) {
    auto* poll = new QTimer;
    poll->setInterval(10);
    QObject::connect(poll, &QTimer::timeout, poll, [poll, act, seen] {
        if (auto* w = qobject_cast<W*>(QApplication::activeModalWidget())) {
            poll->stop();
            poll->deleteLater();
            *seen = true;
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
    void dialogEndsOnlyBySaveOrCancel();
    void saveButtonPreselectsCurrentSlotAndName();
    void saveIntoAnotherSlotKeepsTheSelection();
    void cancelSavesNothingAndKeepsTheMark();
    void realModalSaveDialog();
    void promptIsNotShownWithoutEdit();
    void promptTextsAndButtons();
    void promptAnswers_data();
    void promptAnswers();
    void realModalPrompt();
};

void SaveWindowTest::dialogOffersTheSlotsAndTracksTheChoice() {
    SaveWindowController d;
    QCOMPARE(d.PresetNumber()->count(), 300);
    QCOMPARE(d.dataArr().size(), 300);
    QCOMPARE(d.PresetNumber()->itemText(0), QString("001A"));
    QCOMPARE(d.PresetNumber()->itemText(4), QString("002B"));
    QCOMPARE(d.PresetNumber()->itemText(299), QString("100C"));
    QVERIFY(!d.isSave());

    d.setComboBoxindex(4);
    QCOMPARE(d.PresetNumber()->currentText(), QString("002B"));
    QCOMPARE(d.indexNumber(), qint64(4));
    d.setComboBoxindex(300);
    d.setComboBoxindex(-1);
    QCOMPARE(d.indexNumber(), qint64(4));
    QCOMPARE(d.PresetNumber()->currentIndex(), 4);

    // The user choosing an item.
    d.show();
    QVERIFY(QTest::qWaitForWindowExposed(&d));
    d.PresetNumber()->setFocus();
    QTest::keyClick(d.PresetNumber(), Qt::Key_Down);
    QCOMPARE(d.indexNumber(), qint64(5));
    d.PresetNumber()->setCurrentIndex(299);
    QCOMPARE(d.indexNumber(), qint64(299));
}

void SaveWindowTest::nameFieldKeepsLettersDigitsAndSpacesUpTo15() {
    SaveWindowController d;
    d.show();
    QVERIFY(QTest::qWaitForWindowExposed(&d));
    QLineEdit* name = d.PresetName();
    QTest::keyClicks(name, "Lead-2! tone and more");
    QCOMPARE(name->text(), QString("Lead2 tone and "));
    QCOMPARE(d.presetNameText().size(), 15);

    d.setComboBoxSelectionName("Clean-1 (copy)");
    QCOMPARE(name->text(), QString("Clean1 copy"));
    d.setComboBoxSelectionName("ABCDEFGHIJKLMNOPQRST");
    QCOMPARE(name->text(), QString("ABCDEFGHIJKLMNO"));
    d.setComboBoxSelectionName("");
    QCOMPARE(name->text(), QString());
    // Still editable after a name was put in.
    d.setComboBoxSelectionName("ROCK");
    name->setFocus();
    name->end(false);
    QTest::keyClicks(name, " 2!");
    QCOMPARE(name->text(), QString("ROCK 2"));
}

void SaveWindowTest::dialogEndsOnlyBySaveOrCancel() {
    const QList<std::pair<QString, std::function<void(SaveWindowController&)>>> endings{
        {"Save button", [](SaveWindowController& d) { QTest::mouseClick(d.saveButton(), Qt::LeftButton); }},
        {"Cancel button", [](SaveWindowController& d) { QTest::mouseClick(d.cancelButton(), Qt::LeftButton); }},
        {"close button", [](SaveWindowController& d) { d.close(); }},
        {"Escape", [](SaveWindowController& d) { QTest::keyClick(&d, Qt::Key_Escape); }},
        {"Return", [](SaveWindowController& d) { QTest::keyClick(d.PresetName(), Qt::Key_Return); }},
    };
    for (const auto& [what, end] : endings) {
        SaveWindowController d;
        QVERIFY(!(d.windowFlags() & Qt::WindowMinimizeButtonHint));
        QVERIFY(!(d.windowFlags() & Qt::WindowMaximizeButtonHint));
        QTimer::singleShot(0, &d, [&d, &end] { end(d); });
        const int result = d.exec();
        const bool saved = what == "Save button" || what == "Return";
        QVERIFY2(d.isSave() == saved, qPrintable(what));
        QVERIFY2(result == (saved ? QDialog::Accepted : QDialog::Rejected), qPrintable(what));
        QVERIFY(!d.isVisible());
    }
}

void SaveWindowTest::saveButtonPreselectsCurrentSlotAndName() {
    Screen s;
    s.current(4, "002B:CRUNCH", true);
    qint64 index = -1;
    QString shown, name;
    s.root->setSaveWindowRunner([&](SaveWindowController& d) {
        index = d.indexNumber();
        shown = d.PresetNumber()->currentText();
        name = d.presetNameText();
        d.save();
    });
    QTest::mouseClick(s.root->saveButton(), Qt::LeftButton);
    QCOMPARE(index, qint64(4));
    QCOMPARE(shown, QString("002B"));
    QCOMPARE(name, QString("CRUNCH"));
    QCOMPARE(s.hub.trace(), QStringList({"SavePresetChange(4,CRUNCH)", "SetIsChangeGuiData(0)"}));
    QVERIFY(!s.hub.edited);

    // A slot whose name is not loaded yet offers an empty name.
    Screen bare;
    bare.root->UpdataPresetListIndex(7, "003B");
    bare.root->UpdataCurrentPresetSelect(7);
    bare.root->setSaveWindowRunner([&](SaveWindowController& d) { name = d.presetNameText(); });
    bare.root->SaveButtonClick();
    QCOMPARE(name, QString());
}

void SaveWindowTest::saveIntoAnotherSlotKeepsTheSelection() {
    Screen s;
    s.current(4, "002B:CRUNCH", true);
    s.root->setSaveWindowRunner([](SaveWindowController& d) {
        d.PresetNumber()->setCurrentIndex(10);  // as the user picks 004B
        d.PresetName()->clear();
        QTest::keyClicks(d.PresetName(), "Solo boost");
        d.save();
    });
    s.root->SaveButtonClick();
    QCOMPARE(s.hub.trace(), QStringList({"SavePresetChange(10,Solo boost)", "SetIsChangeGuiData(0)"}));
    QCOMPARE(s.root->selectedCell(), 4);
    QVERIFY(!s.hub.edited);
    QCOMPARE(s.hub.count("ChangeCurrentPreset"), 0);
}

void SaveWindowTest::cancelSavesNothingAndKeepsTheMark() {
    Screen s;
    s.current(4, "002B:CRUNCH", true);
    int runs = 0;
    s.root->setSaveWindowRunner([&](SaveWindowController& d) {
        ++runs;
        d.PresetNumber()->setCurrentIndex(20);
        d.cancel();
    });
    s.root->SaveButtonClick();
    QCOMPARE(runs, 1);
    QCOMPARE(s.hub.calls.size(), std::size_t(0));
    QVERIFY(s.hub.edited);
    QCOMPARE(s.root->selectedCell(), 4);
}

void SaveWindowTest::realModalSaveDialog() {
    Screen s;
    s.current(2, "001C:AMBIENT", true);
    bool seen = false;
    bool wasModal = false;
    whenModal<SaveWindowController>(
        [&](SaveWindowController* d) {
            wasModal = d->isModal() && d->isVisible();
            // The name comes up selected, ready to be typed over; add to it instead.
            QTest::keyClick(d->PresetName(), Qt::Key_End);
            QTest::keyClicks(d->PresetName(), " 2");
            QTest::mouseClick(d->saveButton(), Qt::LeftButton);
        },
        &seen);
    s.root->SaveButtonClick();
    QVERIFY(seen);
    QVERIFY(wasModal);
    QCOMPARE(s.hub.trace(), QStringList({"SavePresetChange(2,AMBIENT 2)", "SetIsChangeGuiData(0)"}));
}

void SaveWindowTest::promptIsNotShownWithoutEdit() {
    Screen s;
    s.current(4, "002B:CRUNCH", false);
    int alerts = 0;
    s.root->setAlertRunner([&](QMessageBox&) -> QAbstractButton* {
        ++alerts;
        return nullptr;
    });
    QVERIFY(s.root->runSaveChangesPrompt());
    QCOMPARE(alerts, 0);
    QCOMPARE(s.hub.calls.size(), std::size_t(0));
}

void SaveWindowTest::promptTextsAndButtons() {
    for (const auto& [slot, question] : {std::pair{4, QString("Do you want to save changes to 002B")},
                                         std::pair{0, QString("Do you want to save changes to 001A")},
                                         std::pair{299, QString("Do you want to save changes to 100C")}}) {
        Screen s;
        s.current(slot, QString(), true);
        QString text, informative;
        QStringList buttons;
        QMessageBox::Icon icon = QMessageBox::NoIcon;
        QString defaultButton, escapeButton;
        s.root->setAlertRunner([&](QMessageBox& box) -> QAbstractButton* {
            text = box.text();
            informative = box.informativeText();
            icon = box.icon();
            for (QAbstractButton* b : box.buttons()) buttons << b->text();
            defaultButton = box.defaultButton() ? box.defaultButton()->text() : QString();
            escapeButton = box.escapeButton() ? box.escapeButton()->text() : QString();
            return buttonNamed(box, "Cancel");
        });
        QVERIFY(!s.root->runSaveChangesPrompt());
        QCOMPARE(text, QString("Waring"));
        QCOMPARE(informative, question);
        QCOMPARE(icon, QMessageBox::Warning);
        QCOMPARE(buttons, QStringList({"Save", "Cancel", "Don't Save"}));
        QCOMPARE(defaultButton, QString("Save"));
        QCOMPARE(escapeButton, QString("Cancel"));
    }
}

void SaveWindowTest::promptAnswers_data() {
    QTest::addColumn<QString>("answer");    // button pressed, empty: closed without one
    QTest::addColumn<bool>("dialogSaves");  // for "Save": how the save dialog ends
    QTest::addColumn<bool>("goAhead");
    QTest::addColumn<QStringList>("trace");
    QTest::addColumn<bool>("stillEdited");
    QTest::newRow("Save, saved") << "Save" << true << true
                                 << QStringList{"SavePresetChange(4,CRUNCH)", "SetIsChangeGuiData(0)"} << false;
    QTest::newRow("Save, dialog cancelled") << "Save" << false << false << QStringList{} << true;
    QTest::newRow("Cancel") << "Cancel" << false << false << QStringList{} << true;
    QTest::newRow("Don't Save") << "Don't Save" << false << true
                                << QStringList{"SetIsChangeGuiData(0)", "ChangeCurrentPreset(4)"} << false;
    QTest::newRow("closed") << "" << false << false << QStringList{} << true;
}

void SaveWindowTest::promptAnswers() {
    QFETCH(QString, answer);
    QFETCH(bool, dialogSaves);
    QFETCH(bool, goAhead);
    QFETCH(QStringList, trace);
    QFETCH(bool, stillEdited);
    Screen s;
    s.current(4, "002B:CRUNCH", true);
    int dialogs = 0;
    s.root->setAlertRunner([&](QMessageBox& box) { return buttonNamed(box, answer); });
    s.root->setSaveWindowRunner([&](SaveWindowController& d) {
        ++dialogs;
        if (dialogSaves)
            d.save();
        else
            d.cancel();
    });
    QCOMPARE(s.root->runSaveChangesPrompt(), goAhead);
    QCOMPARE(dialogs, answer == "Save" ? 1 : 0);
    QCOMPARE(s.hub.trace(), trace);
    QCOMPARE(s.hub.edited, stillEdited);
    QCOMPARE(s.root->selectedCell(), 4);
}

void SaveWindowTest::realModalPrompt() {
    Screen s;
    s.current(5, "002C:FUNK", true);
    bool seen = false;
    whenModal<QMessageBox>([](QMessageBox* box) { buttonNamed(*box, "Don't Save")->click(); }, &seen);
    QVERIFY(s.root->runSaveChangesPrompt());
    QVERIFY(seen);
    QCOMPARE(s.hub.trace(), QStringList({"SetIsChangeGuiData(0)", "ChangeCurrentPreset(5)"}));
}

QTEST_MAIN(SaveWindowTest)
#include "test_save_window.moc"
