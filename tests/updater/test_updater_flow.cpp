// The updater's flow against the virtual pedal and boot loader, with a stand-in window.
#include "updater_app_delegate.h"
#include "updater_harness.h"
#include "updater_texts.h"

#include <QtTest>

#include <optional>

using namespace quorvex;
using namespace quorvex::updater;

namespace {

class FakeWindow : public UpdaterWindowPort {
public:
    void showWindow() override { shown = true; }
    void setMessage(const QString& text) override { message = text; }
    void setOfferVisible(bool visible) override { offer = visible; }
    void setDoneVisible(bool visible) override { done = visible; }
    bool doneVisible() const override { return done; }
    void setProgress(double fraction) override { progress = fraction; }
    void showAlert(const QString& text, std::function<void()> dismissed) override {
        alert = text;
        dismiss = std::move(dismissed);
    }

    bool shown = false, offer = false, done = false;
    double progress = 0.0;
    QString message;
    std::optional<QString> alert;
    std::function<void()> dismiss;
};

enum class Device { None, CurrentPedal, OlderPedal, UnknownMode, BootLoader, FailingBootLoader };

// One run of the updater: the device on the bus, the window and what the flow did.
struct Run {
    explicit Run(Device device, bool withImage = true) {
        if (device == Device::CurrentPedal) {
            pedal = std::make_unique<pedal::VirtualPedal>(bus.dir());
            pedal->start();
        } else if (device != Device::None) {
            pedal::BootLoaderOptions options;
            options.mode = device == Device::OlderPedal ? 'A' : device == Device::UnknownMode ? 'C' : 'B';
            options.eraseFails = device == Device::FailingBootLoader;
            loader = std::make_unique<pedal::VirtualBootLoader>(bus.dir(), options);
            loader->start();
        }
        UpdaterSetup setup;
        const auto bytes = buildFirmwareImage(testing::threeTagImage());
        if (withImage) setup.firmware.path = QString::fromStdString(bus.writeImage(bytes));
        setup.firmware.searched << QStringLiteral("/nowhere");
        setup.launchEditor = [this] { return ++editorStarts, true; };
        setup.quit = [this](int status) { exitStatus = status; };
        setup.timing = testing::fastProbing();
        setup.timeouts = testing::fastTimeouts();
        setup.doneDelay = std::chrono::milliseconds(50);
        delegate = std::make_unique<AppDelegate>(window, std::make_unique<VirtualBusBackend>(bus.dir()), setup);
        delegate->applicationDidFinishLaunching();
    }

    testing::BusFolder bus;
    std::unique_ptr<pedal::VirtualPedal> pedal;
    std::unique_ptr<pedal::VirtualBootLoader> loader;
    FakeWindow window;
    int editorStarts = 0;
    std::optional<int> exitStatus;
    std::unique_ptr<AppDelegate> delegate;
};

}  // namespace

Q_DECLARE_METATYPE(Device)

class TestUpdaterFlow : public QObject {
    Q_OBJECT
private slots:
    // The current firmware starts the editor without a window; No to the update sends nothing.
    void endsWithoutAnAlert() {
        Run current(Device::CurrentPedal);
        QTRY_COMPARE(current.editorStarts, 1);
        QCOMPARE(current.exitStatus, std::optional<int>(0));
        QVERIFY(!current.window.shown);

        Run declined(Device::BootLoader);
        QTRY_VERIFY(declined.window.offer);
        declined.delegate->NoButtonClick();
        QCOMPARE(declined.exitStatus, std::optional<int>(0));
        QTest::qWait(50);
        QCOMPARE(testing::countCommand(*declined.loader, 0xAA), std::size_t(0));
    }

    void alertEndsTheUpdater_data() {
        QTest::addColumn<Device>("device");
        QTest::addColumn<bool>("withImage");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("status");
        QTest::newRow("no pedal") << Device::None << true << noPedalText() << kExitFailed;
        QTest::newRow("older firmware") << Device::OlderPedal << true << firmwareTooLowText() << kExitFailed;
        QTest::newRow("unknown mode") << Device::UnknownMode << true << unknownModeText('C') << kExitUnknownMode;
        QTest::newRow("image missing") << Device::BootLoader << false
                                       << firmwareProblem(FirmwareLocation{{}, {QStringLiteral("/nowhere")}})
                                       << kExitFailed;
        QTest::newRow("update failed") << Device::FailingBootLoader << true
                                       << QStringLiteral("Update fail: please try again. (ErrorErasure reply rrror)")
                                       << kExitFailed;
    }
    void alertEndsTheUpdater() {
        QFETCH(Device, device);
        QFETCH(bool, withImage);
        QFETCH(QString, text);
        QFETCH(int, status);
        Run run(device, withImage);
        const bool updating = device == Device::FailingBootLoader;
        if (updating) {
            QTRY_VERIFY(run.window.offer);
            run.delegate->YesButtonClick();
        }
        QTRY_VERIFY_WITH_TIMEOUT(run.window.alert.has_value(), 10000);
        QCOMPARE(*run.window.alert, text);
        QVERIFY(run.window.shown);
        QVERIFY(!run.exitStatus);
        run.window.dismiss();
        QCOMPARE(run.exitStatus, std::optional<int>(status));
        QCOMPARE(run.editorStarts, 0);
        if (run.loader && !updating) QCOMPARE(testing::countCommand(*run.loader, 0xAA), std::size_t(0));
    }

    void bootLoaderIsUpdatedThenDoneStartsTheEditor() {
        Run run(Device::BootLoader);
        QTRY_VERIFY(run.window.shown);
        QVERIFY(run.window.offer);
        run.delegate->YesButtonClick();
        QCOMPARE(run.window.message, updatingText());
        QVERIFY(!run.window.offer);
        QTRY_COMPARE(run.window.message, successText());
        QCOMPARE(run.window.progress, 1.0);
        QVERIFY(!run.window.done);  // Done comes a moment later
        QTRY_VERIFY(run.window.done);
        QTRY_VERIFY(run.loader->jumped());
        run.delegate->DoneButtonClick();
        QCOMPARE(run.editorStarts, 1);
        QCOMPARE(run.exitStatus, std::optional<int>(0));
    }

    void imageIsFoundInTheDataFolders() {
        testing::BusFolder data;
        qputenv("XDG_DATA_HOME", QByteArray::fromStdString(data.dir()));
        const QString folder = QString::fromStdString(data.dir()) + QStringLiteral("/quorvex/firmware");
        QVERIFY(QDir().mkpath(folder));
        const QString image = folder + QStringLiteral("/tavro_xb777.tr");
        QVERIFY(QFile(image).open(QIODevice::WriteOnly));

        const FirmwareLocation found = locateFirmware({}, QStringLiteral("/opt/quorvex/bin"));
        QCOMPARE(found.path, image);
        QVERIFY(firmwareProblem(found).isEmpty());
        const FirmwareLocation chosen = locateFirmware(QStringLiteral("/no/such.tr"), QString());
        QCOMPARE(chosen.path, QStringLiteral("/no/such.tr"));
        QVERIFY(firmwareProblem(chosen).contains(QStringLiteral("cannot be read")));
    }
};

QTEST_GUILESS_MAIN(TestUpdaterFlow)
#include "test_updater_flow.moc"
