#include "root_view_controller.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLinearGradient>
#include <QListView>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>

#include "cab_lamp.h"
#include "down_menu_view.h"
#include "exp_captions.h"
#include "g_slider.h"
#include "grid_step.h"
#include "preset_list_model.h"
#include "preset_screen_style.h"
#include "preset_slots.h"
#include "preset_volume_popup.h"
#include "rest_of_click.h"
#include "save_window_controller.h"

namespace quorvex {

namespace {

constexpr int kListWidth = 266;
constexpr int kListBorder = 2;
constexpr int kListRowsShown = 12;
constexpr int kOverlayMargin = 8;

QLabel* caption(const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setFont(preset_style::captionFont());
    return label;
}

// Judged by position: a press that a child ignores reaches its parents as well, and
// must still count as a press where the pointer was.
bool isWithin(const QPointF& globalPos, const QWidget* area) {
    return area != nullptr && area->isVisible() &&
           QRectF(area->mapToGlobal(QPointF(0, 0)), QSizeF(area->size())).contains(globalPos);
}

// "Do you want to save changes to 002B": one format per letter.
QString saveChangesQuestion(int slot) {
    const int bank = slot / 3 + 1;
    switch (slot % 3) {
        case 0:
            return QString::asprintf("Do you want to save changes to %03dA", bank);
        case 1:
            return QString::asprintf("Do you want to save changes to %03dB", bank);
        default:
            return QString::asprintf("Do you want to save changes to %03dC", bank);
    }
}

}  // namespace

RootViewController::RootViewController(PresetHubPort& hub, QWidget* parent)
    : QWidget(parent),
      m_hub(hub),
      m_saveWindowRunner([](SaveWindowController& dialog) { dialog.exec(); }),
      m_alertRunner([](QMessageBox& alert) {
          alert.exec();
          return alert.clickedButton();
      }) {
    setObjectName("RootViewController");
    setStyleSheet(QStringLiteral("QLabel { color: %1; background: transparent; }")
                      .arg(preset_style::hex(preset_style::dimText())));

    buildList();
    buildStatus();
    buildChain();

    showEntry(m_model->entry(0));
    m_presetNameHY->setState(downMenuView::kClosed);
    setFiveModeCurrentSelect(0);
}

RootViewController::~RootViewController() {
    if (m_watchingClicks)
        qApp->removeEventFilter(this);
    // The overlays may have moved to the top-level widget; they go with this screen.
    delete m_popView.data();
    delete m_scrollView.data();
}

void RootViewController::buildList() {
    m_model = new PresetListModel([this] { return m_hub.GetIsChangeGuiData(); }, this);

    m_scrollView = new QFrame(this);
    m_scrollView->setObjectName("scrollView");
    m_scrollView->setAccessibleName("Presets");
    m_scrollView->setStyleSheet(QStringLiteral("#scrollView { background: black; border: %1px solid %2; }")
                                    .arg(kListBorder)
                                    .arg(preset_style::hex(preset_style::teal())));

    m_tableView = new QListView(m_scrollView);
    m_tableView->setObjectName("tableView");
    m_tableView->setAccessibleName("Preset list");
    m_tableView->setModel(m_model);
    m_tableView->setItemDelegate(new TvTabelCellView(m_tableView));
    m_tableView->setSelectionMode(QAbstractItemView::NoSelection);
    m_tableView->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_tableView->setUniformItemSizes(true);
    m_tableView->setFrameShape(QFrame::NoFrame);
    m_tableView->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_tableView->setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
    m_tableView->setMouseTracking(true);
    m_tableView->viewport()->setAttribute(Qt::WA_Hover);
    m_tableView->setStyleSheet(
        QStringLiteral("QListView { background: black; border: none; outline: none; }"
                       "QScrollBar:vertical { background: black; width: 8px; margin: 2px; }"
                       "QScrollBar::handle:vertical { background: %1; border-radius: 3px; min-height: 30px; }"
                       "QScrollBar::add-line:vertical, QScrollBar::sub-line:vertical { height: 0; }"
                       "QScrollBar::add-page:vertical, QScrollBar::sub-page:vertical { background: none; }")
            .arg(preset_style::hex(preset_style::teal().darker(150))));
    m_tableView->installEventFilter(this);

    auto* frame = new QVBoxLayout(m_scrollView);
    frame->setContentsMargins(kListBorder, kListBorder, kListBorder, kListBorder);
    frame->addWidget(m_tableView);

    connect(m_tableView, &QListView::clicked, this, [this](const QModelIndex& index) {
        if (index.isValid())
            tableViewShouldSelectRow(index.row());
    });
    m_scrollView->hide();
}

void RootViewController::buildStatus() {
    // Header and list opener.
    m_presetNameHY = new downMenuView(this);
    m_presetNameHY->setFixedSize(kListWidth, 46);
    m_presetNameHY->setToolTip("Presets: click to open the list");
    connect(m_presetNameHY, &downMenuView::composeToolDownMenuOpenState, this,
            &RootViewController::composeToolDownMenuOpenState);

    // The current preset, large, like the pedal's own display.
    m_presetName = new QLabel(this);
    m_presetName->setObjectName("presetName");
    m_presetName->setAccessibleDescription("Current preset");
    m_presetName->setFont(preset_style::font(28, QFont::Bold));
    m_presetName->setMinimumWidth(230);
    m_presetName->setAlignment(Qt::AlignVCenter | Qt::AlignLeft);
    m_presetName->setStyleSheet(QStringLiteral("#presetName { color: %1; background: %2; border: 1px solid %3;"
                                               " border-radius: 8px; padding: 0 16px; }")
                                    .arg(preset_style::hex(preset_style::teal()),
                                         preset_style::hex(preset_style::display()),
                                         preset_style::hex(preset_style::edge())));

    const auto actionButton = [this](const char* name, const QString& text, const QString& tip, int width) {
        auto* button = new QPushButton(text, this);
        button->setObjectName(name);
        button->setToolTip(tip);
        button->setCursor(Qt::PointingHandCursor);
        button->setFixedSize(width, 46);
        button->setStyleSheet(
            QStringLiteral("#%4 { color: %1; background: transparent; border: 2px solid %1; border-radius: 8px;"
                           " font-size: 16px; font-weight: 800; letter-spacing: 2px; }"
                           "#%4:hover { background: %2; }"
                           "#%4:pressed { background: %1; color: black; }"
                           "#%4:focus { border-color: %3; }")
                .arg(preset_style::hex(preset_style::teal()), preset_style::hex(QColor(0x10, 0x2a, 0x26)),
                     preset_style::hex(preset_style::text()), QString::fromLatin1(name)));
        return button;
    };
    m_saveButton = actionButton("saveButton", "SAVE", "Save the current sound into a preset slot", 100);
    connect(m_saveButton, &QPushButton::clicked, this, &RootViewController::SaveButtonClick);
    m_importButton = actionButton("importButton", "IMPORT", "Load preset files (.kiro) into the pedal", 120);
    connect(m_importButton, &QPushButton::clicked, this, &RootViewController::ImportButtonClick);
    m_exportButton = actionButton("exportButton", "EXPORT", "Save presets from the pedal as preset files (.kiro)", 120);
    connect(m_exportButton, &QPushButton::clicked, this, &RootViewController::ExportButtonClick);
    m_backupButton = actionButton("backupButton", "BACKUP", "Back up the whole pedal into a file, or restore it", 120);
    connect(m_backupButton, &QPushButton::clicked, this, &RootViewController::backupButtonClick);
    m_systemButton = actionButton("systemButton", "SYSTEM", "Output level, USB audio, cabinet simulation, global EQ, reset", 120);
    connect(m_systemButton, &QPushButton::clicked, this, &RootViewController::SystemButtonClick);
    m_ctrlTabButton = actionButton("ctrlTabButton", "CTRL/TAP", "What the CTRL footswitch switches, and the tap tempo", 120);
    connect(m_ctrlTabButton, &QPushButton::clicked, this, &RootViewController::CtrlTabButtonClick);
    m_expButton = actionButton("expButton", "EXP", "What the expression pedals control", 120);
    connect(m_expButton, &QPushButton::clicked, this, &RootViewController::ExpButtonClick);

    // Preset volume and its pop-up.
    m_presetVolue = new PresetVolumeReadout(this);
    m_presetVolue->setFixedSize(78, 46);
    m_presetVolue->setText("0");
    connect(m_presetVolue, &PresetVolumeReadout::clicked, this, [this] {
        if (isPresetVolumePopupShown())
            hidePresetVolumePopup();
        else
            showPresetVolumePopup();
    });

    m_popView = new PresetVolumePopup(this);
    m_popView->hide();
    connect(m_popView->slider(), &ui::GSlider::action, this, [this](ui::GSlider* slider) {
        // The hub shows the value in the read-out and sends it; the slider stays where the
        // pointer put it, or the knob would jump back to the whole number on every step.
        const QScopedValueRollback dragging(m_volumeDragged, true);
        m_hub.PresetVolChange(slider->floatValue());
    });
    connect(m_popView->slider(), &ui::ValueSlider::stepRequested, this, [this](int steps) {
        const std::uint32_t volume = ui::steppedOnGrid(static_cast<std::uint32_t>(m_presetVolume), steps, 0, 100);
        if (volume != static_cast<std::uint32_t>(m_presetVolume)) m_hub.PresetVolChange(volume / 100.0);
    });
    connect(m_popView, &PresetVolumePopup::closeRequested, this, [this] {
        hidePresetVolumePopup();
        m_presetVolue->setFocus();
    });

    // EXP and EXP2 assignment summary.
    auto* expPanel = new QFrame(this);
    expPanel->setObjectName("expPanel");
    expPanel->setStyleSheet(
        QStringLiteral("#expPanel { background: %1; border: 1px solid %2; border-radius: 8px; }")
            .arg(preset_style::hex(preset_style::display()), preset_style::hex(preset_style::edge())));
    auto makeExpLabel = [expPanel](const char* name, const QString& text, const QColor& colour, const char* what) {
        auto* label = new QLabel(text, expPanel);
        label->setObjectName(name);
        label->setAccessibleDescription(what);
        label->setFont(preset_style::font(14, QFont::Bold));
        label->setMinimumWidth(110);
        label->setStyleSheet(QStringLiteral("color: %1;").arg(preset_style::hex(colour)));
        return label;
    };
    m_expMode = makeExpLabel("ExpMode", "EXP:", preset_style::teal(), "EXP pedal module");
    m_expParameter = makeExpLabel("ExpParameter", QString(), preset_style::text(), "EXP pedal parameter");
    m_exp2Mode = makeExpLabel("Exp2Mode", "EXP2:", preset_style::teal(), "EXP2 pedal module");
    m_exp2Parameter = makeExpLabel("Exp2Parameter", QString(), preset_style::text(), "EXP2 pedal parameter");
    auto* expGrid = new QGridLayout(expPanel);
    expPanel->setFixedHeight(46);
    expGrid->setContentsMargins(14, 4, 14, 4);
    expGrid->setHorizontalSpacing(12);
    expGrid->setVerticalSpacing(2);
    expGrid->addWidget(m_expMode, 0, 0);
    expGrid->addWidget(m_expParameter, 0, 1);
    expGrid->addWidget(m_exp2Mode, 1, 0);
    expGrid->addWidget(m_exp2Parameter, 1, 1);

    // CAB lamps.
    m_cabL = new CabLamp("CAB L", this);
    m_cabL->setObjectName("Cab_L");
    m_cabR = new CabLamp("CAB R", this);
    m_cabR->setObjectName("Cab_R");

    auto column = [](QWidget* top, QWidget* bottom) {
        auto* c = new QVBoxLayout;
        c->setSpacing(4);
        c->addWidget(top);
        c->addWidget(bottom);
        return c;
    };

    auto* actions = new QHBoxLayout;
    actions->setSpacing(18);
    actions->addLayout(column(caption(" ", this), m_saveButton));
    actions->addLayout(column(caption("VOLUME", this), m_presetVolue));
    actions->addStretch(1);

    auto* cabs = new QHBoxLayout;
    cabs->setSpacing(4);
    cabs->addWidget(m_cabL);
    cabs->addWidget(m_cabR);

    m_presetName->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    m_presetName->setFixedHeight(62);
    m_presetName->installEventFilter(this);

    // Down the side of the window, each group at the left; the spare height goes below.
    auto* side = new QVBoxLayout(this);
    side->setContentsMargins(18, 12, 18, 12);
    side->setSpacing(16);
    const auto addGroup = [side](QLayout* group) {
        side->addLayout(group);
        side->setAlignment(group, Qt::AlignLeft);
    };
    addGroup(column(caption("PRESET", this), m_presetNameHY));
    side->addWidget(m_presetName);
    addGroup(actions);
    auto* files = new QHBoxLayout;
    files->setSpacing(12);
    files->addWidget(m_importButton);
    files->addWidget(m_exportButton);
    files->addWidget(m_backupButton);
    addGroup(files);
    auto* globals = new QHBoxLayout;
    globals->setSpacing(12);
    globals->addWidget(m_systemButton);
    globals->addWidget(m_ctrlTabButton);
    globals->addWidget(m_expButton);
    addGroup(globals);
    addGroup(column(caption("EXPRESSION", this), expPanel));
    addGroup(cabs);
    side->addStretch(1);

    setTabOrder(m_presetNameHY, m_saveButton);
    setTabOrder(m_saveButton, m_presetVolue);
    setTabOrder(m_presetVolue, m_importButton);
    setTabOrder(m_importButton, m_exportButton);
    setTabOrder(m_exportButton, m_backupButton);
    setTabOrder(m_backupButton, m_systemButton);
    setTabOrder(m_systemButton, m_ctrlTabButton);
    setTabOrder(m_ctrlTabButton, m_expButton);
}

void RootViewController::buildChain() {
    m_effectChain = new EffectChain(this);
    connect(m_effectChain, &EffectChain::moduleSelected, this, &RootViewController::moduleSelected);
    connect(m_effectChain, &EffectChain::NeedUpdataMcuUiDataA, this,
            [this](std::uint32_t a, std::uint32_t b) { m_hub.NeedUpdataMcuUiDataA(a, b); });
}

QSize RootViewController::sizeHint() const { return {302, 560}; }

// The name display keeps the whole entry in view: the type shrinks for long names.
void RootViewController::fitPresetNameFont() {
    constexpr int kLargest = 28;
    constexpr int kSmallest = 14;
    const int room = m_presetName->contentsRect().width() - 2 * 16 - 4;
    int size = kLargest;
    for (; size > kSmallest; --size) {
        if (QFontMetrics(preset_style::font(size, QFont::Bold)).horizontalAdvance(m_presetName->text()) <= room)
            break;
    }
    m_presetName->setFont(preset_style::font(size, QFont::Bold));
}

// Hub calls

void RootViewController::UpdataPresetListName(const QStringList& entries) {
    m_model->setEntries(entries);
    // The header and the name display follow the new text of the current slot.
    showEntry(m_model->entry(selectedCell()));
}

void RootViewController::UpdataPresetListIndex(int slot, const QString& entry) {
    if (!isValidSlot(slot))
        return;
    m_model->setEntry(slot, entry);
    // The header names the current preset: saving into another slot renames that
    // slot's row only.
    if (slot == selectedCell())
        showEntry(entry);
    reloadData();
}

void RootViewController::UpdataCurrentPresetSelect(int slot) {
    if (!isValidSlot(slot))
        return;
    m_model->setSelectedCell(slot);
    reloadData();
    const QModelIndex index = m_model->index(slot);
    m_tableView->setCurrentIndex(index);
    m_tableView->scrollTo(index, QAbstractItemView::PositionAtCenter);
    m_hub.SetIsChangeGuiData(false);
    showEntry(m_model->entry(slot));
}

int RootViewController::selectedCell() const { return m_model->selectedCell(); }

void RootViewController::reloadData() {
    m_model->reload();
    m_tableView->viewport()->update();
}

void RootViewController::changedModeValue(const std::array<std::uint32_t, 18>& chain) {
    m_effectChain->changedModeValue(chain);
}

void RootViewController::changedModeStatus(int module, std::int8_t status) {
    m_effectChain->changedModeStatus(module, status);
}

void RootViewController::setFiveModeCurrentSelect(int module) { m_effectChain->setFiveModeCurrentSelect(module); }

void RootViewController::setPresetVolume(int volume) {
    m_presetVolume = volume;
    m_presetVolue->setText(QString::number(volume));
    // The slider keeps its place for values it cannot show, and while it is dragged.
    if (!m_volumeDragged)
        m_popView->slider()->setFloatValue(volume / 100.0);
}

// The EXP volume has its own display on the expression screen; this one has none.
void RootViewController::UpdataExpVol(std::int8_t) {}

void RootViewController::UpdataExpStatus(std::uint16_t expModule, std::uint16_t expParameter, std::uint16_t exp2Module,
                                         std::uint16_t exp2Parameter) {
    // A number outside the caption tables leaves its label as it was.
    const auto show = [](QLabel* modeLabel, QLabel* parameterLabel, const QString& pedal, unsigned module,
                         unsigned parameter) {
        if (const auto moduleCaption = expModuleCaption(module))
            modeLabel->setText(pedal + QLatin1Char(':') + *moduleCaption);
        if (const auto parameterCaption = expParameterCaption(module, parameter))
            parameterLabel->setText(*parameterCaption);
    };
    show(m_expMode, m_expParameter, QStringLiteral("EXP"), expModule, expParameter);
    show(m_exp2Mode, m_exp2Parameter, QStringLiteral("EXP2"), exp2Module, exp2Parameter);
}

void RootViewController::PresetUpdataExpStatus(bool expMerged, bool exp2Merged) {
    m_expMerge = {expMerged, exp2Merged};
    if (exp2Merged) {
        m_exp2Mode->setText(QStringLiteral("EXP2:MERGE"));
        m_exp2Parameter->setText(QStringLiteral("-----"));
    }
    if (expMerged) {
        m_expMode->setText(QStringLiteral("EXP:MERGE"));
        m_expParameter->setText(QStringLiteral("-----"));
    }
}

void RootViewController::UpdataCabStatus(bool left, bool right) {
    m_cabL->setLit(left);
    m_cabR->setLit(right);
    m_effectChain->setCabSimThtuStatus(left != right);
}

void RootViewController::addGlobalPanel(QWidget* panel) {
    if (panel == nullptr)
        return;
    for (const QPointer<QWidget>& known : m_globalPanels)
        if (known == panel)
            return;
    m_globalPanels.emplace_back(panel);
}

void RootViewController::removeGlobalPanels() {
    // Panels deleted meanwhile drop out of the list.
    std::erase_if(m_globalPanels, [](const QPointer<QWidget>& p) { return p.isNull(); });
    for (const QPointer<QWidget>& panel : m_globalPanels) panel->hide();
}

void RootViewController::UpdataPresetName(const QString& entry) { showEntry(entry); }

void RootViewController::showEntry(const QString& entry) {
    m_presetName->setText(entry);
    fitPresetNameFont();
    m_presetNameHY->setText(entry);
}

// The list

void RootViewController::composeToolDownMenuOpenState(int state) {
    const bool open = state == downMenuView::kOpen;
    m_presetNameHY->setState(open ? downMenuView::kOpen : downMenuView::kClosed);
    if (open) {
        placeList();
        m_scrollView->show();
        m_scrollView->raise();
        reloadData();
        const QModelIndex current = m_model->index(selectedCell());
        m_tableView->setCurrentIndex(current);
        m_tableView->scrollTo(current, QAbstractItemView::PositionAtCenter);
        m_tableView->setFocus();
    } else {
        const bool hadFocus = m_scrollView->isAncestorOf(QApplication::focusWidget());
        m_scrollView->hide();
        if (hadFocus)
            m_presetNameHY->setFocus();
    }
    watchOutsideClicks();
}

bool RootViewController::isPresetListShown() const { return m_scrollView && m_scrollView->isVisible(); }

void RootViewController::placeList() {
    QWidget* top = window();
    if (m_scrollView->parentWidget() != top)
        m_scrollView->setParent(top);
    const QPoint origin = m_presetNameHY->mapTo(top, QPoint(0, m_presetNameHY->height() + 4));
    const int width = std::max(kListWidth, m_presetNameHY->width());
    const int rowsHeight = kListRowsShown * TvTabelCellView::kRowHeight + 2 * kListBorder;
    const int room = top->height() - origin.y() - kOverlayMargin;
    const int minimum = 3 * TvTabelCellView::kRowHeight + 2 * kListBorder;
    m_scrollView->setGeometry(origin.x(), origin.y(), width, std::clamp(room, minimum, std::max(minimum, rowsHeight)));
}

bool RootViewController::tableViewShouldSelectRow(int row) {
    if (!isValidSlot(row))
        return false;
    // A later pick supersedes one still waiting.
    const quint64 pick = ++m_pickSerial;
    if (m_hub.GetIsChangeGuiData()) {
        SaveButtonClick();
        QTimer::singleShot(kDeferredPickMs, this, [this, row, pick] {
            if (pick == m_pickSerial)
                pickRow(row);
        });
        return false;
    }
    pickRow(row);
    return true;
}

void RootViewController::pickRow(int row) {
    m_model->setSelectedCell(row);
    m_hub.SetIsChangeGuiData(false);
    m_hub.ChangeCurrentPreset(row);
    showEntry(m_model->entry(row));
    reloadData();
}

// Saving

void RootViewController::SaveButtonClick() {
    SaveWindowController dialog(window());
    dialog.setComboBoxindex(selectedCell());
    dialog.setComboBoxSelectionName(entryName(m_model->entry(selectedCell())));
    m_saveWindowRunner(dialog);
    if (!dialog.isSave())
        return;
    m_hub.SavePresetChange(static_cast<int>(dialog.indexNumber()), dialog.presetNameText());
    m_hub.SetIsChangeGuiData(false);
}

bool RootViewController::runSaveChangesPrompt() {
    if (!m_hub.GetIsChangeGuiData())
        return true;

    QMessageBox alert(window());
    alert.setIcon(QMessageBox::Warning);
    alert.setText("Waring");
    alert.setInformativeText(saveChangesQuestion(selectedCell()));
    QPushButton* save = alert.addButton("Save", QMessageBox::AcceptRole);
    QPushButton* cancel = alert.addButton("Cancel", QMessageBox::RejectRole);
    QPushButton* dontSave = alert.addButton("Don't Save", QMessageBox::DestructiveRole);
    alert.setDefaultButton(save);
    alert.setEscapeButton(cancel);

    QAbstractButton* answer = m_alertRunner(alert);
    if (answer == dontSave) {
        m_hub.SetIsChangeGuiData(false);
        m_hub.ChangeCurrentPreset(selectedCell());
        return true;
    }
    if (answer == save) {
        SaveButtonClick();
        return !m_hub.GetIsChangeGuiData();
    }
    return false;
}

void RootViewController::setSaveWindowRunner(SaveWindowRunner runner) { m_saveWindowRunner = std::move(runner); }

void RootViewController::setAlertRunner(AlertRunner runner) { m_alertRunner = std::move(runner); }

QStringList RootViewController::presetNameArr() const { return m_model->entries(); }

// Preset volume pop-up

ui::GSlider* RootViewController::PresetVolueSlider() const { return m_popView->slider(); }

void RootViewController::showPresetVolumePopup() {
    placePopup();
    m_popView->show();
    m_popView->raise();
    m_presetVolue->setOpen(true);
    watchOutsideClicks();
}

void RootViewController::hidePresetVolumePopup() {
    m_popView->hide();
    m_presetVolue->setOpen(false);
    watchOutsideClicks();
}

bool RootViewController::isPresetVolumePopupShown() const { return m_popView && m_popView->isVisible(); }

void RootViewController::placePopup() {
    QWidget* top = window();
    if (m_popView->parentWidget() != top)
        m_popView->setParent(top);
    const QPoint below = m_presetVolue->mapTo(top, QPoint(m_presetVolue->width() / 2, m_presetVolue->height() + 6));
    const int maxX = std::max(kOverlayMargin, top->width() - m_popView->width() - kOverlayMargin);
    const int x = std::clamp(below.x() - m_popView->width() / 2, kOverlayMargin, maxX);
    m_popView->move(x, below.y());
}

// Clicks elsewhere close the list and the pop-up. The watch runs only while one of
// them is open.

void RootViewController::watchOutsideClicks() {
    const bool wanted = isPresetListShown() || isPresetVolumePopupShown();
    if (wanted == m_watchingClicks)
        return;
    m_watchingClicks = wanted;
    if (wanted)
        qApp->installEventFilter(this);
    else
        qApp->removeEventFilter(this);
}

bool RootViewController::handleOutsidePress(QWidget* target, const QPointF& globalPos) {
    if (target->window() != window())
        return false;
    if (isPresetListShown() && !isWithin(globalPos, m_scrollView) && !isWithin(globalPos, m_presetNameHY))
        composeToolDownMenuOpenState(downMenuView::kClosed);
    if (!isPresetVolumePopupShown() || isWithin(globalPos, m_popView) || isWithin(globalPos, m_presetVolue))
        return false;
    // The press that closes the pop-up is used up: nothing beneath acts on it.
    hidePresetVolumePopup();
    ui::swallowRestOfClick();
    return true;
}

bool RootViewController::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_tableView && event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        switch (key->key()) {
            case Qt::Key_Return:
            case Qt::Key_Enter:
                if (m_tableView->currentIndex().isValid())
                    tableViewShouldSelectRow(m_tableView->currentIndex().row());
                return true;
            case Qt::Key_Escape:
                composeToolDownMenuOpenState(downMenuView::kClosed);
                return true;
            default:
                break;
        }
    }
    if (watched == m_presetName && event->type() == QEvent::Resize)
        fitPresetNameFont();
    if (m_watchingClicks) {
        if (event->type() == QEvent::MouseButtonPress) {
            auto* target = qobject_cast<QWidget*>(watched);
            if (target && handleOutsidePress(target, static_cast<QMouseEvent*>(event)->globalPosition()))
                return true;
        } else if (event->type() == QEvent::Resize && watched == window()) {
            if (isPresetListShown())
                placeList();
            if (isPresetVolumePopupShown())
                placePopup();
        }
    }
    return QWidget::eventFilter(watched, event);
}

void RootViewController::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.fillRect(rect(), preset_style::stage());
    // A raised panel with a faint sheen along its top, like the pedal's top plate.
    const QRectF plate = QRectF(rect()).adjusted(4.5, 4.5, -4.5, -4.5);
    QLinearGradient sheen(plate.topLeft(), plate.bottomLeft());
    sheen.setColorAt(0.0, preset_style::panel().lighter(118));
    sheen.setColorAt(0.12, preset_style::panel());
    sheen.setColorAt(1.0, preset_style::panel().darker(112));
    p.setPen(QPen(preset_style::edge(), 1.0));
    p.setBrush(sheen);
    p.drawRoundedRect(plate, 10, 10);
    // A teal hairline under the panel ties it to the accents.
    p.setPen(QPen(preset_style::teal().darker(170), 1.0));
    p.drawLine(QPointF(plate.left() + 14, plate.bottom() - 0.5), QPointF(plate.right() - 14, plate.bottom() - 0.5));
}

}  // namespace quorvex
