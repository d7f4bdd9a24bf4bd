#include "yj_ctrl_tab_view.h"

#include <QDateTime>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "exp_captions.h"
#include "settings_pages.h"
#include "settings_style.h"

namespace quorvex::settings {

namespace {
constexpr int kCtrlTab = 1, kTapTab = 0;
constexpr std::size_t kMode = 10;
}  // namespace

YJCtrlTabView::YJCtrlTabView(QWidget* parent)
    : SettingsOverlay(QStringLiteral("CtrlTabView"), QStringLiteral("CTRL / TAP"), parent),
      tempoRow_(new QWidget(this)),
      up_(makePushButton(QStringLiteral("+"), tempoRow_)),
      down_(makePushButton(QStringLiteral("-"), tempoRow_)),
      tap_(makePushButton(QStringLiteral("TAP"), tempoRow_)),
      tabData_(makeReadout(QStringLiteral("TEMPO"), tempoRow_)) {
    TabCtrl_Data_[0] = TapTempo::kMinTempo;

    auto* tabRow = new QHBoxLayout;
    // Plain buttons, not a button group, so that Tab reaches both.
    for (const int id : {kCtrlTab, kTapTab}) {
        QPushButton* tab = makeChoiceButton(id == kCtrlTab ? QStringLiteral("CTRL") : QStringLiteral("TAP MODE"), this);
        modeTabs_[static_cast<std::size_t>(id)] = tab;
        connect(tab, &QPushButton::clicked, this, [this, id] { chooseMode(id == kCtrlTab); });
        tabRow->addWidget(tab);
    }
    body()->addLayout(tabRow);

    // Modules 1, 3, 5, 7, 9 down the left column, 2, 4, 6, 8 down the right.
    auto* grid = new QGridLayout;
    // Independent switches, each its own Tab stop: in a button group only one of them
    // would take the keyboard focus.
    for (int k = 1; k <= 9; ++k) {
        QPushButton* module = makeChoiceButton(EXPCaption().at(k - 1), this);
        modules_[static_cast<std::size_t>(k - 1)] = module;
        grid->addWidget(module, (k - 1) / 2, (k - 1) % 2);
        connect(module, &QPushButton::clicked, this, [this, k](bool checked) {
            TabCtrl_Data_[static_cast<std::size_t>(k)] = checked ? 1 : 0;
            emit NeedUpdataMcuUiDataA(kCtrlPage, 1);
            emit SelfDataChange();
        });
    }
    body()->addWidget(makeCaption(QStringLiteral("CTRL SWITCHES"), this));
    body()->addLayout(grid);

    up_->setAccessibleName(QStringLiteral("TEMPO UP"));
    down_->setAccessibleName(QStringLiteral("TEMPO DOWN"));
    auto* tempo = new QHBoxLayout(tempoRow_);
    tempo->setContentsMargins(0, 0, 0, 0);
    tempo->addWidget(makeCaption(QStringLiteral("TEMPO"), tempoRow_));
    tempo->addWidget(down_);
    tempo->addWidget(tabData_);
    tempo->addWidget(up_);
    tempo->addWidget(tap_, 1);
    body()->addWidget(tempoRow_);

    connect(up_, &QPushButton::clicked, this, [this] { setTempo(TapTempo::up(TabCtrl_Data_[0])); });
    connect(down_, &QPushButton::clicked, this, [this] { setTempo(TapTempo::down(TabCtrl_Data_[0])); });
    connect(tap_, &QPushButton::clicked, this, &YJCtrlTabView::keySpaceClick);
    // The space key taps already; a focused TAP button would take the same press twice.
    tap_->setFocusPolicy(Qt::NoFocus);
    tap_->setMinimumWidth(120);
    setMinimumWidth(380);
    redraw();
}

QPushButton* YJCtrlTabView::modeTab(bool ctrl) const {
    return modeTabs_[static_cast<std::size_t>(ctrl ? kCtrlTab : kTapTab)];
}
QPushButton* YJCtrlTabView::moduleButton(int k) const { return modules_[static_cast<std::size_t>(k - 1)]; }

void YJCtrlTabView::chooseMode(bool ctrl) {
    TabCtrl_Data_[kMode] = ctrl ? 1 : 0;
    redraw();
    emit SelfDataChange();
    emit NeedUpdataMcuUiDataA(ctrl ? kCtrlPage : 0, 0);
}

void YJCtrlTabView::setTempo(std::uint32_t tempo) {
    TabCtrl_Data_[0] = tempo;
    tabData_->setText(QString::number(tempo));
    emit SelfDataChange();
}

void YJCtrlTabView::keySpaceClick() { tapAt(double(QDateTime::currentMSecsSinceEpoch())); }

void YJCtrlTabView::tapAt(double nowMs) {
    if (const auto tempo = tapTempo_.tap(nowMs)) setTempo(*tempo);
}

void YJCtrlTabView::changedModeValue(const Block& values) {
    // The mode shown changes only by the tabs and by presets.
    std::copy_n(values.begin(), kMode, TabCtrl_Data_.begin());
    redraw();
}

void YJCtrlTabView::PresetchangedModeValue(Block values) {
    values[0] = TabCtrl_Data_[0];
    TabCtrl_Data_[kMode] = values[kMode];
    changedModeValue(values);
}

// In CTRL mode the memberships can be chosen; in TAP mode the tempo.
void YJCtrlTabView::redraw() {
    isCtrlMode_ = TabCtrl_Data_[kMode] == 1;
    modeTab(true)->setChecked(isCtrlMode_);
    modeTab(false)->setChecked(!isCtrlMode_);
    for (int k = 1; k <= 9; ++k) {
        QPushButton* module = moduleButton(k);
        module->setEnabled(isCtrlMode_);
        module->setChecked(isCtrlMode_ && TabCtrl_Data_[static_cast<std::size_t>(k)] != 0);
    }
    tempoRow_->setVisible(!isCtrlMode_);
    tabData_->setText(QString::number(TabCtrl_Data_[0]));
    adjustSize();  // the tempo row comes and goes with the mode
}

}  // namespace quorvex::settings
