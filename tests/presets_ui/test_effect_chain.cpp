// The effect chain: its order rules without widgets, the row of blocks under mouse,
// drops, keyboard and assistive technology, and the whole editor against a virtual
// pedal (what goes out on the wire, what the pedal's reports do).
#include <QAccessible>
#include <QMimeData>
#include <QSignalSpy>
#include <QtTest>

#include "../support/editor_with_pedal.h"
#include "../support/received_frames.h"
#include "chain_block.h"
#include "effect_chain.h"
#include "effect_chain_view.h"
#include "module_panel.h"
#include "preset_screen_fixture.h"

using namespace quorvex;
using Order = EffectChain::Order;
using Status = EffectChain::Status;
using Chain18 = std::array<std::uint32_t, 18>;

Q_DECLARE_METATYPE(Order)

namespace {

// A reported chain: modules (0..8, or any number to send as is) and on states.
Chain18 report(const std::array<std::uint32_t, 9>& modules, const Status& on) {
    Chain18 v{};
    for (std::size_t p = 0; p < 9; ++p) {
        v[p] = modules[p] + 1;
        v[9 + p] = on[p] ? 0 : 1;
    }
    return v;
}

QAccessible::State accessibleState(QObject* o) { return QAccessible::queryAccessibleInterface(o)->state(); }

}  // namespace

class EffectChainTest : public QObject {
    Q_OBJECT
private slots:
    void dropMovesTheModuleAndSendsOnce_data();
    void dropMovesTheModuleAndSendsOnce();
    void clickOpensSwitchesOnThenToggles();
    void reportedChainsRedraw_data();
    void reportedChainsRedraw();
    void pedalSelectionAndSelectionThroughMoves();
    void blocksAnswerMouseDropsKeysAndAccessibility();
    void againstTheVirtualPedal();
};

void EffectChainTest::dropMovesTheModuleAndSendsOnce_data() {
    QTest::addColumn<int>("source");
    QTest::addColumn<int>("target");
    QTest::addColumn<Order>("order");
    QTest::newRow("7 onto 2") << 7 << 2 << Order{0, 1, 7, 2, 3, 4, 5, 6, 8};
    QTest::newRow("2 onto 7") << 2 << 7 << Order{0, 1, 3, 4, 5, 6, 7, 2, 8};
    QTest::newRow("neighbours swap") << 4 << 5 << Order{0, 1, 2, 3, 5, 4, 6, 7, 8};
    QTest::newRow("last to first") << 8 << 0 << Order{8, 0, 1, 2, 3, 4, 5, 6, 7};
    QTest::newRow("onto itself") << 3 << 3 << Order{0, 1, 2, 3, 4, 5, 6, 7, 8};
}

void EffectChainTest::dropMovesTheModuleAndSendsOnce() {
    QFETCH(int, source);
    QFETCH(int, target);
    QFETCH(Order, order);
    EffectChain chain;
    // Only DELAY (7) and EQ (5) are on: their states must travel with them.
    chain.changedModeValue(report({0, 1, 2, 3, 4, 5, 6, 7, 8}, {0, 0, 0, 0, 0, 1, 0, 1, 0}));
    QSignalSpy sent(&chain, &EffectChain::EffectChainChangeAction);
    chain.DropAction(source, target);
    QCOMPARE(chain.effectChainOrder(), order);
    for (int p = 0; p < 9; ++p) {
        const std::uint32_t m = order[static_cast<std::size_t>(p)];
        QCOMPARE(chain.isOn(p), m == 5 || m == 7);
        QCOMPARE(chain.isSelected(p), m == 0);  // FX's panel stays shown wherever FX goes
    }
    QCOMPARE(sent.size(), source == target ? 0 : 1);
}

void EffectChainTest::clickOpensSwitchesOnThenToggles() {
    EffectChain chain;
    QStringList trace;
    connect(&chain, &EffectChain::moduleSelected, [&](int m) { trace << QString("panel %1").arg(m); });
    connect(&chain, &EffectChain::NineModeOnOffDataChange,
            [&](int m, std::uint8_t s) { trace << QString("module %1 on %2").arg(m).arg(s); });
    connect(&chain, &EffectChain::NeedUpdataMcuUiDataA,
            [&](std::uint32_t a, std::uint32_t b) { trace << QString("page %1 %2").arg(a).arg(b); });
    chain.DropAction(6, 2);  // MOD now at position 2
    chain.click(2);
    QCOMPARE(trace, QStringList({"panel 6", "module 6 on 1", "page 7 0"}));
    QVERIFY(chain.isOn(2) && chain.isSelected(2) && !chain.isSelected(0));
    trace.clear();
    chain.click(2);  // the selected block: only its on state goes out
    QCOMPARE(trace, QStringList({"module 6 on 0"}));
    QVERIFY(!chain.isOn(2));
    chain.changedModeStatus(2, 1);  // AMP reported on: opening it sends no on state
    trace.clear();
    chain.click(3);
    QCOMPARE(trace, QStringList({"panel 2", "page 3 0"}));
}

void EffectChainTest::reportedChainsRedraw_data() {
    QTest::addColumn<bool>("split");
    QTest::addColumn<Chain18>("values");
    QTest::addColumn<Order>("order");
    QTest::addColumn<Status>("on");
    const Status flags{1, 0, 1, 1, 0, 0, 1, 0, 1};
    const Chain18 cabAt3 = report({0, 1, 2, 3, 4, 5, 6, 7, 8}, flags);
    QTest::newRow("CAB at 3, split") << true << cabAt3 << Order{0, 1, 2, 4, 5, 6, 7, 8, 3} << Status{1, 0, 1, 0, 0, 1, 0, 1, 1};
    QTest::newRow("CAB at 3, no split") << false << cabAt3 << Order{0, 1, 2, 3, 4, 5, 6, 7, 8} << flags;
    QTest::newRow("module twice") << false << report({3, 3, 1, 2, 4, 5, 6, 7, 8}, flags) << Order{3, 3, 1, 2, 4, 5, 6, 7, 8} << flags;
    // From an entry that names no module on, the blocks keep what they held.
    Chain18 zeroFirst = cabAt3;
    zeroFirst[0] = 0;
    QTest::newRow("first entry 0") << false << zeroFirst << Order{8, 7, 6, 5, 4, 3, 2, 1, 0} << Status{};
    Chain18 badAt5 = report({8, 7, 6, 5, 4, 3, 2, 1, 0}, flags);
    badAt5[5] = 12;
    QTest::newRow("entry 12 at 5") << false << badAt5 << Order{8, 7, 6, 5, 4, 3, 2, 1, 0} << Status{1, 0, 1, 1, 0, 0, 0, 0, 0};
}

void EffectChainTest::reportedChainsRedraw() {
    QFETCH(bool, split);
    QFETCH(Chain18, values);
    QFETCH(Order, order);
    QFETCH(Status, on);
    PresetScreen s;
    EffectChain& chain = s.root->effectChain();
    chain.changedModeValue(report({8, 7, 6, 5, 4, 3, 2, 1, 0}, {}));
    s.root->UpdataCabStatus(true, !split);
    QCOMPARE(s.root->CabSimThtuStatus(), split);
    s.root->changedModeValue(values);
    QCOMPARE(chain.effectChainOrder(), order);
    QCOMPARE(chain.effectChainStatus(), on);
    QVERIFY(s.hub.calls.empty());
}

void EffectChainTest::pedalSelectionAndSelectionThroughMoves() {
    PresetScreen s;
    QSignalSpy panels(s.root, &RootViewController::moduleSelected);
    s.root->setFiveModeCurrentSelect(4);
    s.root->setFiveModeCurrentSelect(9);  // no such module
    QCOMPARE(panels.size(), 1);
    QCOMPARE(s.root->currentModule(), 4);
    QCOMPARE(s.root->effectChain().currentSelectMode(), 4);
    QVERIFY(s.hub.calls.empty());  // the pedal's choice is not echoed

    // After a move and a click elsewhere, a reported chain keeps the clicked module.
    EffectChain& chain = s.root->effectChain();
    chain.DropAction(4, 0);
    chain.click(6);
    chain.changedModeValue(report({6, 5, 4, 3, 2, 1, 0, 7, 8}, {}));
    QCOMPARE(s.root->currentModule(), 6);
    QCOMPARE(chain.currentSelectMode(), 0);
}

void EffectChainTest::blocksAnswerMouseDropsKeysAndAccessibility() {
    PresetScreen s;
    EffectChainView view(s.root->effectChain(), &s.window);
    view.setGeometry(302, 0, 978, 112);
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&s.window));
    EffectChain& chain = s.root->effectChain();
    ModleView* amp = view.block(2);

    QAccessibleInterface* a = QAccessible::queryAccessibleInterface(amp);
    QCOMPARE(a->role(), QAccessible::Button);
    QCOMPARE(a->text(QAccessible::Name), QString("AMP"));
    QVERIFY(!accessibleState(amp).checked && !accessibleState(amp).selected && accessibleState(view.block(0)).selected);

    QTest::mouseClick(amp, Qt::LeftButton);
    QVERIFY(accessibleState(amp).checked && accessibleState(amp).selected && !accessibleState(view.block(0)).selected);
    QCOMPARE(s.hub.calls, QStringList({"NeedUpdataMcuUiDataA(3,0)"}));

    // Keys on the focused block: Enter toggles the shown module, Ctrl+Right moves it.
    amp->setFocus();
    QTest::keyClick(amp, Qt::Key_Return);
    QVERIFY(!chain.isOn(2));
    QTest::keyClick(amp, Qt::Key_Enter);
    QVERIFY(chain.isOn(2));
    QTest::keyClick(amp, Qt::Key_Right, Qt::ControlModifier);
    QCOMPARE(chain.effectChainOrder()[3], 2u);
    QCOMPARE(view.block(3)->accessibleName(), QString("AMP"));
    QVERIFY(view.block(3)->hasFocus());

    // A drag of block 7 over block 2 lights its border; the drop moves DELAY there.
    std::unique_ptr<QMimeData> mime(view.block(7)->dragData());
    const QPoint mid = view.block(2)->rect().center();
    QDragEnterEvent enter(mid, Qt::MoveAction, mime.get(), Qt::LeftButton, {});
    QApplication::sendEvent(view.block(2), &enter);
    QVERIFY(enter.isAccepted() && view.block(2)->isEnterMode());
    QDropEvent drop(mid, Qt::MoveAction, mime.get(), Qt::LeftButton, {});
    QApplication::sendEvent(view.block(2), &drop);
    QVERIFY(!view.block(2)->isEnterMode());
    QCOMPARE(view.block(2)->accessibleName(), QString("DELAY"));
    QDragEnterEvent self(mid, Qt::MoveAction, mime.get(), Qt::LeftButton, {});
    QApplication::sendEvent(view.block(7), &self);
    QVERIFY(!self.isAccepted());

    // A block dragged from the chain of another editor window is neither taken nor moved.
    EffectChainView otherWindow(chain);
    const Order before = chain.effectChainOrder();
    std::unique_ptr<QMimeData> foreign(otherWindow.block(5)->dragData());
    QDragEnterEvent foreignEnter(mid, Qt::MoveAction, foreign.get(), Qt::LeftButton, {});
    QApplication::sendEvent(view.block(2), &foreignEnter);
    QVERIFY(!foreignEnter.isAccepted());
    QDropEvent foreignDrop(mid, Qt::MoveAction, foreign.get(), Qt::LeftButton, {});
    QApplication::sendEvent(view.block(2), &foreignDrop);
    QVERIFY(chain.effectChainOrder() == before);
}

void EffectChainTest::againstTheVirtualPedal() {
    testing::EditorWithPedal editor;
    QVERIFY(editor.start());
    pedal::VirtualPedal& pedal = *editor.pedal;
    AppDelegate& hub = *editor.hub;
    EditorWindow& window = *editor.window;
    QTRY_VERIFY_WITH_TIMEOUT(!hub.GetIsChangeGuiData(), 3000);
    EffectChain& chain = window.rootViewController()->effectChain();
    const auto frames = [&](std::uint8_t command) { return testing::payloadsOf(pedal, command); };

    // Chains moved on the pedal redraw the row; from the initial order a move sends the
    // new chain once, as on the wire.
    pedal.moveChain(report({8, 7, 6, 5, 4, 3, 2, 1, 0}, {}));
    QTRY_COMPARE(chain.effectChainOrder()[0], 8u);
    pedal.moveChain(report({0, 1, 2, 3, 4, 5, 6, 7, 8}, {1, 0, 1, 0, 0, 0, 0, 1, 0}));
    QTRY_COMPARE(chain.effectChainOrder()[0], 0u);
    QCOMPARE(window.chainView()->block(8)->accessibleName(), QString("REVERB"));
    chain.DropAction(7, 2);
    QTRY_COMPARE(frames(160).size(), std::size_t(1));
    QCOMPARE(frames(160)[0], (std::vector<std::uint8_t>{1, 2, 8, 3, 4, 5, 6, 7, 9, 0, 1, 0, 0, 1, 1, 1, 1, 1}));
    QTest::qWait(400);  // more than a turn of the scheduler's ring
    QCOMPARE(frames(160).size(), std::size_t(1));

    // The pedal's display turns to REVERB: its block and panel, nothing sent back.
    QTest::qWait(400);
    const std::size_t sent = pedal.receivedFrames().size();
    pedal.showModule(Module::Reverb);
    QTRY_COMPARE(window.rootViewController()->currentModule(), 8);
    QVERIFY(window.chainView()->block(8)->isSelectMode());
    QTest::qWait(400);
    QCOMPARE(pedal.receivedFrames().size(), sent);
}

QTEST_MAIN(EffectChainTest)
#include "test_effect_chain.moc"
