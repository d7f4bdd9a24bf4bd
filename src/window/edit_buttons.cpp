#include "edit_buttons.h"

#include "preset_compare.h"
#include "preset_screen_style.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QPushButton>
#include <QShortcut>
#include <QUndoStack>

namespace quorvex {
namespace {

QPushButton* rowButton(const QString& text, const QString& tip, QWidget* parent) {
    auto* button = new QPushButton(text, parent);
    button->setObjectName(text.toLower() + QStringLiteral("Button"));
    button->setAccessibleName(text);
    button->setToolTip(tip);
    button->setFixedHeight(34);
    button->setStyleSheet(
        QStringLiteral("QPushButton { color: %1; background: transparent; border: 2px solid %1; border-radius: 6px;"
                       " font-size: 12px; font-weight: 800; letter-spacing: 1px; padding: 0 8px; }"
                       "QPushButton:checked { background: %1; color: black; }"
                       "QPushButton:disabled { color: %2; border-color: %2; }"
                       "QPushButton:focus { border-color: %3; }")
            .arg(preset_style::hex(preset_style::teal()), preset_style::hex(preset_style::edge()),
                 preset_style::hex(preset_style::text())));
    return button;
}

}  // namespace

EditButtons::EditButtons(QUndoStack& history, PresetCompare& compare, QWidget* window)
    : QWidget(window), stack_(history), window_(window) {
    undo_ = rowButton(QStringLiteral("UNDO"), QStringLiteral("Take back the last change (Ctrl+Z)"), this);
    redo_ = rowButton(QStringLiteral("REDO"), QStringLiteral("Make the change again (Ctrl+Shift+Z, Ctrl+Y)"), this);
    compare_ = rowButton(QStringLiteral("COMPARE"), QStringLiteral("Hear the preset as it is stored (Ctrl+B)"), this);
    compare_->setCheckable(true);
    history_ = rowButton(QStringLiteral("HISTORY"), QStringLiteral("Presets that saves and imports replaced"), this);
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(8);
    for (QPushButton* button : {undo_, redo_, compare_, history_}) row->addWidget(button);

    connect(undo_, &QPushButton::clicked, &stack_, &QUndoStack::undo);
    connect(redo_, &QPushButton::clicked, &stack_, &QUndoStack::redo);
    connect(compare_, &QPushButton::toggled, &compare, &PresetCompare::setOn);
    connect(&compare, &PresetCompare::toggled, compare_, &QPushButton::setChecked);
    connect(&compare, &PresetCompare::toggled, this, &EditButtons::updateEnabled);
    connect(history_, &QPushButton::clicked, this, &EditButtons::historyRequested);
    connect(&stack_, &QUndoStack::canUndoChanged, this, &EditButtons::updateEnabled);
    connect(&stack_, &QUndoStack::canRedoChanged, this, &EditButtons::updateEnabled);
    updateEnabled();

    addKey(QKeySequence(Qt::CTRL | Qt::Key_Z), undo_);
    addKey(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), redo_);
    addKey(QKeySequence(Qt::CTRL | Qt::Key_Y), redo_);
    addKey(QKeySequence(Qt::CTRL | Qt::Key_B), compare_);
    qApp->installEventFilter(this);
}

EditButtons::~EditButtons() { qApp->removeEventFilter(this); }

void EditButtons::addKey(const QKeySequence& keys, QPushButton* button) {
    keys_.push_back(keys);
    auto* shortcut = new QShortcut(keys, window_);
    // A disabled button's key does nothing either.
    connect(shortcut, &QShortcut::activated, button, [button] {
        if (button->isEnabled()) button->click();
    });
}

void EditButtons::updateEnabled() {
    // While the stored preset plays, the edits wait.
    const bool comparing = compare_->isChecked();
    undo_->setEnabled(stack_.canUndo() && !comparing);
    redo_->setEnabled(stack_.canRedo() && !comparing);
}

bool EditButtons::eventFilter(QObject* watched, QEvent* event) {
    // A text field asks to keep Ctrl+Z and Ctrl+Y for its own text; in this window they
    // are the sound's, so the field does not get them.
    if (event->type() != QEvent::ShortcutOverride || !watched->isWidgetType()) return false;
    if (static_cast<QWidget*>(watched)->window() != window_) return false;
    const auto* key = static_cast<QKeyEvent*>(event);
    const QKeySequence pressed(key->keyCombination());
    for (const QKeySequence& keys : keys_)
        if (keys == pressed) return true;
    return false;
}

}  // namespace quorvex
