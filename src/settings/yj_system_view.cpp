#include "yj_system_view.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QPushButton>
#include <QStackedWidget>
#include <QVBoxLayout>

#include <algorithm>

#include "arrow_focus.h"
#include "grid_step.h"
#include "hy_slider.h"
#include "level_texts.h"
#include "settings_pages.h"
#include "two_way_switch.h"
#include "yj_fs_mode_view.h"
#include "yj_reset_view.h"

namespace quorvex::settings {

namespace {

constexpr std::uint32_t kEqPage = 18;
// Second byte of the focus message per sub-page of the system page.
constexpr std::uint32_t kLevelFocus = 1, kUsbFocus = 3, kCabFocus = 4, kFsModeFocus = 5, kResetFocus = 6;
constexpr std::uint32_t kMaxAmount = 100;
constexpr long kFrequencyStep = 10;  // Hz per arrow key on a global EQ frequency

const char* const kTabNames[] = {"USB AUDIO", "CAB SIM", "RESET", "GLOBAL EQ"};
const char* const kBandNames[] = {"LOW", "MID", "HIGH"};

// One page of the tab stack, its controls one under another.
std::pair<QWidget*, QVBoxLayout*> newPage(QWidget* stack) {
    auto* page = new QWidget(stack);
    auto* layout = new QVBoxLayout(page);
    layout->setContentsMargins(0, 0, 0, 0);
    return {page, layout};
}

}  // namespace

YJSystemView::YJSystemView(QWidget* parent)
    : SettingsOverlay(QStringLiteral("SystemView"), QStringLiteral("SYSTEM"), parent),
      tabs_(new QButtonGroup(this)),
      pages_(new QStackedWidget(this)),
      emptyPage_(new QWidget(pages_)),
      fsModeButton_(makePushButton(QStringLiteral("FS MODE"), this)),
      resetButton_(makePushButton(QStringLiteral("FACTORY RESET"), this)),
      fsView_(new YJFsModeView(parent)),
      resetView_(new YJResetView(parent)) {
    // Two rows of two tabs, like the pedal's menu.
    auto* tabGrid = new QGridLayout;
    for (int tab = kUsbAudio; tab <= kGlobalEq; ++tab) {
        QPushButton* button = makeChoiceButton(QString::fromLatin1(kTabNames[tab - 1]), this);
        tabs_->addButton(button, tab);
        tabGrid->addWidget(button, (tab - 1) / 2, (tab - 1) % 2);
    }
    // The group only reports presses and the chosen tab is lit by hand, so that no key
    // but Space or Enter chooses one: the arrows only walk the tabs, FACTORY RESET included.
    tabs_->setExclusive(false);
    ui::moveFocusWithArrows(*tabs_);
    connect(tabs_, &QButtonGroup::idClicked, this, &YJSystemView::refreshModuleView);
    body()->addLayout(tabGrid);

    levelRows_.emplace_back(QStringLiteral("LEVEL"), this);
    body()->addWidget(levelRows_[0].row);

    usbPage_ = buildUsbPage();
    cabPage_ = buildCabPage();
    eqPage_ = buildEqPage();
    for (QWidget* page : {emptyPage_, usbPage_, cabPage_, eqPage_}) pages_->addWidget(page);
    body()->addWidget(pages_);

    for (int n = 1; n <= 4; ++n)
        connect(pPoint(n), &TwoWaySwitch::pressed, this, [this, n](int position) { switchPressed(n, position); });
    for (int n = 0; n < static_cast<int>(levelRows_.size()); ++n) {
        connect(pSlider(n), &ui::HYSlider::action, this, &YJSystemView::ModleViewAction);
        connect(pSlider(n), &ui::ValueSlider::stepRequested, this, [this, n](int steps) { stepLevelRow(n, steps); });
    }
    for (int i = 0; i < static_cast<int>(eqRows_.size()); ++i) {
        connect(hySlider(i), &ui::HYSlider::action, this, &YJSystemView::ELB_EQModleViewAction);
        connect(hySlider(i), &ui::ValueSlider::stepRequested, this, [this, i](int steps) { stepEqRow(i, steps); });
    }

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(fsModeButton_);
    buttons->addWidget(resetButton_);
    buttons->addStretch(1);
    body()->addLayout(buttons);
    connect(fsModeButton_, &QPushButton::clicked, this, [this] { openOverlay(fsView_, kFsModeFocus); });
    connect(resetButton_, &QPushButton::clicked, this, [this] { openOverlay(resetView_, kResetFocus); });
    connect(resetView_, &YJResetView::SelfDataChange, this, &YJSystemView::ResetChangeAction);
    setMinimumWidth(520);
}

QWidget* YJSystemView::buildUsbPage() {
    auto [page, layout] = newPage(pages_);
    points_[0] = new TwoWaySwitch(QStringLiteral("USB SIGNAL"), QStringLiteral("DRY"), QStringLiteral("WET"), page);
    points_[1] = new TwoWaySwitch(QStringLiteral("USB MONITOR"), QStringLiteral("OFF"), QStringLiteral("ON"), page);
    levelRows_.emplace_back(QStringLiteral("USB REC LEVEL"), page);
    levelRows_.emplace_back(QStringLiteral("USB PLAY LEVEL"), page);
    layout->addWidget(points_[0]);
    layout->addWidget(points_[1]);
    layout->addWidget(levelRows_[1].row);
    layout->addWidget(levelRows_[2].row);
    return page;
}

QWidget* YJSystemView::buildCabPage() {
    auto [page, layout] = newPage(pages_);
    points_[2] = new TwoWaySwitch(QStringLiteral("CAB SIM L"), QStringLiteral("ON"), QStringLiteral("OFF"), page);
    points_[3] = new TwoWaySwitch(QStringLiteral("CAB SIM R"), QStringLiteral("ON"), QStringLiteral("OFF"), page);
    layout->addWidget(points_[2]);
    layout->addWidget(points_[3]);
    layout->addStretch(1);
    return page;
}

QWidget* YJSystemView::buildEqPage() {
    auto [page, layout] = newPage(pages_);
    for (int band = 0; band < GlobalEq::kBands; ++band) {
        const QString name = QString::fromLatin1(kBandNames[band]);
        eqRows_.emplace_back(name + QStringLiteral(" FREQ"), page);
        eqRows_.emplace_back(name + QStringLiteral(" GAIN"), page);
    }
    for (std::size_t i = 0; i < eqRows_.size(); ++i) {
        eqRows_[i].slider->setTagValue(100 + static_cast<std::int32_t>(i));
        layout->addWidget(eqRows_[i].row);
    }
    return page;
}

QPushButton* YJSystemView::tabButton(int tab) const { return qobject_cast<QPushButton*>(tabs_->button(tab)); }

void YJSystemView::userInit() {
    refreshModuleView(kUsbAudio);
    // Placeholders until the pedal's first report.
    for (const auto& row : levelRows_) {
        row.slider->setFloatValue(0.5);
        row.readout->setText(QStringLiteral("50"));
    }
    for (const auto& row : eqRows_) {
        row.slider->setFloatValue(0.5);
        row.readout->setText(QStringLiteral("50"));
    }
}

void YJSystemView::refreshModuleView(int tab) {
    if (tab < kUsbAudio || tab > kGlobalEq) return;
    for (QAbstractButton* button : tabs_->buttons()) button->setChecked(tabs_->id(button) == tab);
    switch (tab) {
        case kUsbAudio:
            pages_->setCurrentWidget(usbPage_);
            emit NeedUpdataMcuUiDataA(kSystemPage, kUsbFocus);
            break;
        case kCabSim:
            pages_->setCurrentWidget(cabPage_);
            emit NeedUpdataMcuUiDataA(kSystemPage, kCabFocus);
            break;
        case kReset:
            pages_->setCurrentWidget(emptyPage_);
            resetView_->openOver(parentWidget());
            emit NeedUpdataMcuUiDataA(kSystemPage, kResetFocus);
            break;
        default:
            pages_->setCurrentWidget(eqPage_);
            emit NeedUpdataMcuUiDataA(kEqPage, 0);
            break;
    }
}

void YJSystemView::ModleViewAction(ui::HYSlider* sender) {
    if (sender == pSlider(0))
        setLevelRow(0, levelIndex(sender->floatValue()));
    else
        setLevelRow(sender == pSlider(1) ? 1 : 2,
                    static_cast<std::uint32_t>(std::clamp(sender->floatValue(), 0.0, 1.0) * kMaxAmount));
}

void YJSystemView::setLevelRow(int n, std::uint32_t value) {
    SystemData_[static_cast<std::size_t>(n == 0 ? 0 : n + 2)] = value;
    pTextFieldVale(n)->setText(n == 0 ? levelText(value) : QString::number(value));
    emit NeedUpdataMcuUiDataA(kSystemPage, n == 0 ? kLevelFocus : kUsbFocus);
    emit SelfDataChange();
}

void YJSystemView::stepLevelRow(int n, int steps) {
    const std::uint32_t top = n == 0 ? kLevelSteps : kMaxAmount;
    const std::uint32_t value = SystemData_[static_cast<std::size_t>(n == 0 ? 0 : n + 2)];
    const std::uint32_t stepped = ui::steppedOnGrid(value, steps, 0, top);
    if (stepped == value) return;
    pSlider(n)->setFloatValue(double(stepped) / top);
    setLevelRow(n, stepped);
}

void YJSystemView::switchPressed(int point, int position) {
    const bool usb = point <= 2;
    pPoint(point)->setPosition(position);
    // The USB switches read 0 on the left, the CAB SIM switches 1 (on) on the left.
    const std::uint32_t value = usb ? std::uint32_t(position == TwoWaySwitch::kRight)
                                    : std::uint32_t(position == TwoWaySwitch::kLeft);
    SystemData_[static_cast<std::size_t>(usb ? point : point + 2)] = value;
    emit NeedUpdataMcuUiDataA(kSystemPage, usb ? kUsbFocus : kCabFocus);
    emit SelfDataChange();
}

void YJSystemView::ELB_EQModleViewAction(ui::HYSlider* sender) {
    const int index = sender->tagValue() - 100;
    if (index < 0 || index >= 6) return;
    const int band = index / 2;
    if (index % 2 == 0)
        eq_.setFrequency(band, GlobalEq::frequencyAt(sender->floatValue()));
    else
        eq_.setGain(band, GlobalEq::gainAt(sender->floatValue()));
    eqBandEdited(band);
}

// Frequencies step by 10 Hz, gains by one step (1 dB).
void YJSystemView::stepEqRow(int index, int steps) {
    const int band = index / 2;
    if (index % 2 == 0) {
        const std::uint32_t hz = eq_.shownFrequency(band);
        const std::uint32_t stepped =
            ui::steppedOnGrid(hz, steps, GlobalEq::kMinFrequency, GlobalEq::kMaxFrequency, kFrequencyStep);
        if (stepped == hz) return;
        eq_.setFrequency(band, stepped);
    } else {
        const auto gain = static_cast<std::uint32_t>(eq_.shownGain(band));
        const std::uint32_t stepped = ui::steppedOnGrid(gain, steps, 0, GlobalEq::kMaxGain);
        if (stepped == gain) return;
        eq_.setGain(band, static_cast<std::int32_t>(stepped));
    }
    eqBandEdited(band);
}

void YJSystemView::eqBandEdited(int band) {
    showEqBand(band);
    emit NeedUpdataMcuUiDataA(kEqPage, 0);
    emit SelfDataChange();
}

void YJSystemView::showEqBand(int band) {
    const auto freq = static_cast<std::size_t>(2 * band);
    eqRows_[freq].slider->setFloatValue(eq_.frequencyPosition(band));
    eqRows_[freq].readout->setText(frequencyText(eq_.shownFrequency(band)));
    eqRows_[freq + 1].slider->setFloatValue(eq_.gainPosition(band));
    eqRows_[freq + 1].readout->setText(returnAccordingValue(eq_.shownGain(band)));
}

void YJSystemView::changedModeValue(const SystemBlock& values) {
    SystemData_ = values;
    // Values outside a control's range show at its end; the block keeps them as sent.
    pSlider(0)->setFloatValue(double(std::min(values[0], kLevelSteps)) / kLevelSteps);
    pTextFieldVale(0)->setText(levelText(values[0]));
    for (int n = 1; n <= 2; ++n) {
        const std::uint32_t amount = std::min(values[static_cast<std::size_t>(n) + 2], kMaxAmount);
        pSlider(n)->setFloatValue(double(amount) / kMaxAmount);
        pTextFieldVale(n)->setText(QString::number(amount));
        pPoint(n)->setPosition(values[static_cast<std::size_t>(n)] != 0 ? TwoWaySwitch::kRight : TwoWaySwitch::kLeft);
        pPoint(n + 2)->setPosition(values[static_cast<std::size_t>(n) + 4] == 1 ? TwoWaySwitch::kLeft
                                                                                 : TwoWaySwitch::kRight);
    }
    resetView_->changedModeValue(values[7]);
}

void YJSystemView::changed_Glbi_EQ_ModeValue(const GlobalEq::Block& bytes) {
    eq_.setFromWire(bytes);
    for (int band = 0; band < GlobalEq::kBands; ++band) showEqBand(band);
}

void YJSystemView::ResetChangeAction() {
    SystemData_[7] = resetView_->ResetStatus();
    emit SelfDataChange();
}

void YJSystemView::openOverlay(SettingsOverlay* overlay, std::uint32_t page) {
    overlay->openOver(parentWidget());
    emit NeedUpdataMcuUiDataA(kSystemPage, page);
}

}  // namespace quorvex::settings
