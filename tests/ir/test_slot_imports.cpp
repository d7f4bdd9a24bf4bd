// The CAB panel's "+" and the AMP panel's IMPORT against the virtual pedal: the file
// chosen, the upload with the window turning, the slot renamed, refusals and a pedal
// that does not finish in time told in words.
#include "../support/editor_with_pedal.h"
#include "../support/received_frames.h"
#include "amp_mode_controller.h"
#include "cab_mode_controller.h"
#include "file_chooser.h"
#include "g_pop_up_button.h"
#include "slot_import_flow.h"
#include "virtual_bus_backend.h"

#include <QAbstractButton>
#include <QPushButton>
#include <QSignalSpy>
#include <QtTest>

#include <cstring>

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

    void plusLoadsAWavIntoItsSlot() {
        chooser->path = fixture("stereo16_44k.wav");
        QVERIFY(plus(29, true));  // cabinet 30: user slot 3
        QCOMPARE(cab()->popButtonEffice()->dataArray().at(29), QStringLiteral("stereo16_44k"));
        const pedal::IrSlot slot = device().irSlot(3);
        QVERIFY(slot.present);
        QCOMPARE(QByteArray(reinterpret_cast<const char*>(slot.name.data()), 11), QByteArray("stereo16_44", 11));
        // Sample 0 of the left channel, -15000 × 256, as the three byte planes.
        QCOMPARE(slot.data[0], std::uint8_t(0xC5));
        QCOMPARE(slot.data[512], std::uint8_t(0x68));
        QCOMPARE(slot.data[1024], std::uint8_t(0x00));
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

    void anUploadThatDoesNotFinishInTimeIsTold() {
        chooser->path = fixture("mono16_44k.wav");
        const QString before = cab()->popButtonEffice()->dataArray().at(31);
        cab()->importFlow()->setTimeLimit(0ms);
        QVERIFY(plus(31, false));
        cab()->importFlow()->setTimeLimit(10s);
        QCOMPARE(alerts, QStringList{"import IR error?"});
        QCOMPARE(cab()->popButtonEffice()->dataArray().at(31), before);
    }

    void ampImportOnlyOnAUserSlot() {
        amp()->changedModeValue({1, 1, 50, 50, 50, 50, 50, 50});
        QVERIFY(amp()->ImportAmpBtn()->isHidden());
        amp()->changedModeValue({1, 58, 50, 50, 50, 50, 50, 50});  // user slot 2
        QVERIFY(!amp()->ImportAmpBtn()->isHidden());
        QCOMPARE(amp()->ImportAmpBtn()->accessibleName(), QStringLiteral("IMPORT"));

        std::vector<char> bytes(2048 + 4 + 3, 0);
        bytes[0] = 7, bytes[2048] = 7;
        std::memcpy(bytes.data() + bytes.size() - 3, "2.0", 3);
        QFile file(editor.dir.filePath("BRIGHT PLEXI.amp"));
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(bytes.data(), static_cast<qint64>(bytes.size())) > 0);
        file.close();
        chooser->path = file.fileName();
        QSignalSpy ended(amp()->importFlow(), &SlotImportFlow::importEnded);
        amp()->ImportAmpBtn()->click();
        QVERIFY(ended.wait(5000));
        QVERIFY(ended.first().first().toBool());
        QCOMPARE(amp()->popButton()->dataArray().at(57), QStringLiteral("BRIGHT PLEXI"));
        QVERIFY(device().ampSlot(2).present);
        QCOMPARE(device().ampSlot(2).data[3 * 512], std::uint8_t(7));  // word 0, bits 0..7
        QVERIFY(alerts.isEmpty());
    }
};

QTEST_MAIN(TestSlotImports)
#include "test_slot_imports.moc"
