// The CAB panel's "+" and the AMP panel's IMPORT against the virtual pedal: the file
// chosen, the upload with the window turning, the slot renamed, refusals, a pedal that
// does not finish in time and a cancelled upload told in words.
#include "../support/editor_with_pedal.h"
#include "../support/received_frames.h"
#include "amp_mode_controller.h"
#include "cab_mode_controller.h"
#include "file_chooser.h"
#include "g_pop_up_button.h"
#include "slot_import_flow.h"

#include <QAbstractButton>
#include <QPushButton>
#include <QSignalSpy>
#include <QtTest>

using namespace quorvex;
using namespace std::chrono_literals;

namespace {

// Answers every open dialog with one path.
class OnePath : public FileChooser {
public:
    QString path;
    QString saveFile(QWidget*, const QString&, const QString&) override { return {}; }
    QString folder(QWidget*) override { return {}; }
    QStringList openFiles(QWidget*, const QString&, bool) override { return {path}; }
};

}  // namespace

class TestSlotImports : public QObject {
    Q_OBJECT

private:
    testing::EditorWithPedal editor;
    std::shared_ptr<OnePath> chooser = std::make_shared<OnePath>();
    QStringList alerts;

    pedal::VirtualPedal& device() const { return *editor.pedal; }
    CabModeController* cab() const { return static_cast<CabModeController*>(editor.window->panel(Module::Cab)); }
    AmpModeController* amp() const { return static_cast<AmpModeController*>(editor.window->panel(Module::Amp)); }
    static QString fixture(const char* name) { return qEnvironmentVariable("IR_FIXTURES") + "/" + name; }

    // Presses "+" on a CAB list row and waits for the import to end.
    bool plus(int row, bool expectSuccess) {
        QSignalSpy ended(cab()->importFlow(), &SlotImportFlow::importEnded);
        qobject_cast<QAbstractButton*>(cab()->popButtonEffice()->slotButton(row, true))->click();
        return ended.wait(5000) && ended.first().first().toBool() == expectSuccess;
    }

private slots:
    void initTestCase() {
        QVERIFY(editor.start());
        for (SlotImportFlow* flow : {cab()->importFlow(), amp()->importFlow()}) {
            flow->setFileChooser(chooser);
            flow->setAlert([this](QWidget*, QMessageBox::Icon, const QString& text) { alerts << text; });
        }
    }
    void init() { alerts.clear(); }

    // The pedal keeps the 512 values as byte planes, high byte first, then the name's
    // first 11 characters.
    void plusLoadsAWavIntoItsSlot() {
        chooser->path = fixture("stereo16_44k.wav");
        QVERIFY(plus(29, true));  // cabinet 30: user slot 3
        QCOMPARE(cab()->popButtonEffice()->dataArray().at(29), QStringLiteral("stereo16_44k"));
        const pedal::IrSlot slot = device().irSlot(3);
        QVERIFY(slot.present);
        QCOMPARE(QByteArray(reinterpret_cast<const char*>(slot.name.data()), 11), QByteArray("stereo16_44", 11));
        for (int i = 0; i < 512; ++i) {  // the left channel's ramp, (100 i - 15000) × 256, then silence
            const auto value = static_cast<std::uint32_t>(i < 300 ? (100 * i - 15000) * 256 : 0);
            for (int plane = 0; plane < 3; ++plane)
                QCOMPARE(slot.data[static_cast<std::size_t>(plane * 512 + i)], std::uint8_t(value >> (16 - 8 * plane)));
        }
        QVERIFY(alerts.isEmpty());
    }

    void refusedFilesAreToldAndNothingIsSent() {
        chooser->path = fixture("mono16_22k.wav");
        const std::size_t sent = testing::countOf(device(), 225);
        qobject_cast<QAbstractButton*>(cab()->popButtonEffice()->slotButton(30, true))->click();
        QTRY_COMPARE(alerts.size(), 1);
        QVERIFY(alerts.first().contains("22050 Hz"));
        QTest::qWait(300);
        QCOMPARE(testing::countOf(device(), 225), sent);
    }

    // A pedal too slow and a cancelled upload are both told, and neither renames the slot.
    void anUnfinishedUploadIsTold() {
        chooser->path = fixture("mono16_44k.wav");
        const QString before = cab()->popButtonEffice()->dataArray().at(31);
        cab()->importFlow()->setTimeLimit(0ms);
        QVERIFY(plus(31, false));
        cab()->importFlow()->setTimeLimit(10s);
        cab()->importFlow()->importIr(5, [](const QString&) {});  // row 31's slot, as "+" does
        cab()->importFlow()->transfer()->cancel();
        QCOMPARE(alerts, (QStringList{"import IR error?", "Loading was cancelled at Impulse response, part 1 of 4. Load it again: "
                                                          "until then the slot may hold part of it."}));
        QCOMPARE(cab()->popButtonEffice()->dataArray().at(31), before);
    }

    void ampImportOnlyOnAUserSlot() {
        amp()->changedModeValue({1, 1, 50, 50, 50, 50, 50, 50});
        QVERIFY(amp()->ImportAmpBtn()->isHidden());
        amp()->changedModeValue({1, 58, 50, 50, 50, 50, 50, 50});  // user slot 2
        QVERIFY(!amp()->ImportAmpBtn()->isHidden());

        std::vector<std::uint32_t> words(513, 0);  // 512 model words, then their sum as the check word
        for (std::uint32_t i = 0; i < 512; ++i) words[512] += words[i] = 0x01020304u * (i + 1);
        QByteArray bytes(reinterpret_cast<const char*>(words.data()), 513 * 4);
        bytes += "2.0";
        QFile file(editor.dir.filePath("BRIGHT PLEXI.amp"));
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
        file.close();
        chooser->path = file.fileName();
        QSignalSpy ended(amp()->importFlow(), &SlotImportFlow::importEnded);
        amp()->ImportAmpBtn()->click();
        QVERIFY(ended.wait(5000));
        QVERIFY(ended.first().first().toBool());
        QCOMPARE(amp()->popButton()->dataArray().at(57), QStringLiteral("BRIGHT PLEXI"));
        const pedal::AmpSlot slot = device().ampSlot(2);
        QVERIFY(slot.present);
        QCOMPARE(QByteArray(reinterpret_cast<const char*>(slot.name.data()), 12), QByteArray("BRIGHT PLEXI"));
        for (std::size_t i = 0; i < 512; ++i)
            for (std::size_t plane = 0; plane < 4; ++plane)
                QCOMPARE(slot.data[plane * 512 + i], std::uint8_t(words[i] >> (24 - 8 * plane)));
        QVERIFY(alerts.isEmpty());
    }
};

QTEST_MAIN(TestSlotImports)
#include "test_slot_imports.moc"
