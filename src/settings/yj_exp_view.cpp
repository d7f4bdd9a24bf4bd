#include "yj_exp_view.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

#include "arrow_focus.h"
#include "exp_captions.h"
#include "settings_pages.h"
#include "settings_style.h"
#include "yj_exp_vol_view.h"

namespace quorvex::settings {

namespace {
constexpr int kTab = 1, kModule = 2, kBox = 3;

// Box b (1..14) in the three columns: rows of three, then 13 left and 14 right.
std::pair<int, int> boxCell(int b) { return b <= 12 ? std::pair{(b - 1) / 3, (b - 1) % 3} : std::pair{4, b == 13 ? 0 : 2}; }
}  // namespace

YJExpView::YJExpView(QWidget* parent)
    : SettingsOverlay(QStringLiteral("ExpView"), QStringLiteral("EXPRESSION"), parent),
      tabs_(new QButtonGroup(this)),
      modules_(new QButtonGroup(this)),
      boxes_(new QButtonGroup(this)),
      volTab_(makePushButton(QStringLiteral("EXP VOL"), this)),
      volView_(new YJExpVolView(parent)) {
    auto* tabRow = new QHBoxLayout;
    for (int b : {1, 2}) {
        QPushButton* tab = makeChoiceButton(b == 1 ? QStringLiteral("EXP") : QStringLiteral("EXP2"), this);
        tabs_->addButton(tab, b);
        tabRow->addWidget(tab);
    }
    tabRow->addWidget(volTab_);
    body()->addLayout(tabRow);

    auto* moduleGrid = new QGridLayout;
    for (int b = 1; b <= 9; ++b) {
        QPushButton* module = makeChoiceButton(EXPCaption().at(b - 1), this);
        module->setFixedWidth(150);  // the grid keeps its place whatever the boxes hold
        modules_->addButton(module, b);
        moduleGrid->addWidget(module, (b - 1) / 3, (b - 1) % 3);
    }
    body()->addWidget(makeCaption(QStringLiteral("MODULE"), this));
    body()->addLayout(moduleGrid);

    auto* boxGrid = new QGridLayout;
    for (int b = 1; b <= kBoxes; ++b) {
        QPushButton* box = makeChoiceButton(QString(), this);
        QSizePolicy keep = box->sizePolicy();
        keep.setRetainSizeWhenHidden(true);
        box->setSizePolicy(keep);
        box->setFixedWidth(150);
        boxes_->addButton(box, b);
        const auto [row, column] = boxCell(b);
        boxGrid->addWidget(box, row, column);
    }
    body()->addWidget(makeCaption(QStringLiteral("PARAMETER"), this));
    body()->addLayout(boxGrid);
    emptyBoxes();

    // The groups only report presses; what is lit follows the assignment.
    for (QButtonGroup* group : {tabs_, modules_, boxes_}) {
        group->setExclusive(false);
        ui::moveFocusWithArrows(*group);
    }
    connect(tabs_, &QButtonGroup::idClicked, this, [this](int b) {
        emit NeedUpdataMcuUiDataA(kExpPage, static_cast<std::uint32_t>(b));
        ControlImageViewA(kTab, b);
    });
    connect(modules_, &QButtonGroup::idClicked, this, [this](int b) { ControlImageViewA(kModule, b); });
    connect(boxes_, &QButtonGroup::idClicked, this, [this](int b) { ControlImageViewA(kBox, b); });
    connect(volTab_, &QPushButton::clicked, this, [this] {
        emit NeedUpdataMcuUiDataA(kExpPage, 3);
        volView_->openOver(parentWidget());
    });
    connect(volView_, &YJExpVolView::SelfDataChange, this, &YJExpView::ExpVolViewChangeAction);
    showInput();
}

QPushButton* YJExpView::tabButton(int b) const {
    return b == 3 ? volTab_ : qobject_cast<QPushButton*>(tabs_->button(b));
}
QPushButton* YJExpView::moduleButton(int b) const { return qobject_cast<QPushButton*>(modules_->button(b)); }
QPushButton* YJExpView::box(int b) const { return qobject_cast<QPushButton*>(boxes_->button(b)); }

void YJExpView::ControlImageViewA(int a, int b) {
    switch (a) {
        case kTab:
            targets_.chooseInput(b - 1);
            showInput();
            emit SelfDataChange();
            break;
        case kModule:
            if (b < 1 || b > 9) return;
            targets_.chooseModule(static_cast<std::uint32_t>(b - 1));
            showInput();
            emit SelfDataChange();
            break;
        case kBox: {
            const int input = targets_.expselect();
            if (b < 1 || !changeImageBoxA(targets_.module(input), static_cast<std::uint32_t>(b - 1))) {
                showInput();  // a press on an empty box leaves everything as it was
                return;
            }
            targets_.chooseParameter(static_cast<std::uint32_t>(b - 1));
            emit SelfDataChange();
            break;
        }
        default:
            break;
    }
}

bool YJExpView::changeImageBoxA(std::uint32_t module, std::uint32_t parameter) {
    if (!ExpTargets::validTarget(module, parameter)) return false;
    const QStringList& names = expContent(module);
    for (int b = 1; b <= names.size() && b <= kBoxes; ++b) {
        QPushButton* button = box(b);
        button->setText(names.at(b - 1));
        button->setAccessibleName(names.at(b - 1));
        button->setChecked(b == static_cast<int>(parameter) + 1);
        button->show();
    }
    return true;
}

void YJExpView::emptyBoxes() {
    for (QAbstractButton* button : boxes_->buttons()) {
        button->setChecked(false);
        button->hide();
    }
}

// Lights the tab and module of the input being edited and fills the boxes.
void YJExpView::showInput() {
    const int input = targets_.expselect();
    for (int b : {1, 2}) tabs_->button(b)->setChecked(b == input + 1);
    const std::uint32_t module = targets_.module(input);
    for (int b = 1; b <= 9; ++b) modules_->button(b)->setChecked(static_cast<std::uint32_t>(b - 1) == module);
    emptyBoxes();
    changeImageBoxA(module, targets_.parameter(input));
}

void YJExpView::changedModeValue(const ExpTargets::Block& e) {
    targets_.changedModeValue(e);
    showInput();
    if (e[5] != kNoVolumeRange || e[6] != kNoVolumeRange) volView_->changedModeValue({e[5], e[6], e[0]});
}

void YJExpView::ExpVolViewChangeAction() { emit SelfDataChange(); }

ExpTargets::Block YJExpView::EXP_Block() const {
    const ExpVolRange& vol = volView_->VolValue();
    return {vol.on,
            targets_.module(0),
            targets_.parameter(0),
            targets_.module(1),
            targets_.parameter(1),
            vol.minimum,
            vol.maximum};
}

}  // namespace quorvex::settings
