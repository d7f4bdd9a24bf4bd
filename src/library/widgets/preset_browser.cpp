#include "preset_browser.h"

#include "library_tab.h"
#include "preset_drag_model.h"
#include "preset_list_model.h"
#include "preset_screen_style.h"
#include "root_view_controller.h"
#include "search_field.h"
#include "slot_write_flow.h"

#include <QListView>
#include <QVBoxLayout>

namespace quorvex {

PresetBrowser::PresetBrowser(AppDelegate& hub, RootViewController& root, QWidget* parent)
    : QTabWidget(parent), writes_(new SlotWriteFlow(hub, root, this)) {
    setAccessibleName(QStringLiteral("Librarian"));
    // The dark stage of the preset column, the current-row colours coming from the list's cells.
    setStyleSheet(QStringLiteral("QTabWidget::pane { border: 1px solid %1; top: -1px; }"
                                 "QTabBar::tab { background: %2; color: %3; padding: 5px 12px; border: 1px solid %1; }"
                                 "QTabBar::tab:selected { color: %4; border-bottom-color: %2; }"
                                 "QLineEdit { background: black; color: %3; border: 1px solid %1; padding: 4px; }"
                                 "QListView { background: black; color: %3; border: none; }"
                                 "QScrollBar:vertical { background: black; width: 8px; margin: 2px; }"
                                 "QScrollBar::handle:vertical { background: %1; border-radius: 3px; min-height: 30px; }"
                                 "QScrollBar::add-line:vertical, QScrollBar::sub-line:vertical { height: 0; }")
                      .arg(preset_style::hex(preset_style::edge()), preset_style::hex(preset_style::stage()),
                           preset_style::hex(preset_style::text()), preset_style::hex(preset_style::teal())));
    addTab(buildPresetTab(root), QStringLiteral("PRESETS"));
    library_ = new LibraryTab(hub, this);
    addTab(library_, QStringLiteral("LIBRARY"));
}

QWidget* PresetBrowser::buildPresetTab(RootViewController& root) {
    auto* tab = new QWidget(this);
    model_ = new PresetDragModel(tab);
    model_->setSourceModel(root.presetListModel());
    search_ = new SearchField(QStringLiteral("SEARCH PRESETS"), *model_, tab);
    list_ = new QListView(tab);
    list_->setAccessibleName(QStringLiteral("PRESETS"));
    list_->setModel(model_);
    list_->setItemDelegate(new TvTabelCellView(list_));
    list_->setUniformItemSizes(true);
    list_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    // Dropped on a row: moved there, or copied over it with Ctrl held.
    list_->setDragDropMode(QAbstractItemView::DragDrop);
    list_->setDefaultDropAction(Qt::MoveAction);
    list_->setDragDropOverwriteMode(true);
    connect(list_, &QListView::clicked, this, [this, &root](const QModelIndex& index) {
        if (index.isValid()) root.tableViewShouldSelectRow(model_->mapToSource(index).row());
    });
    connect(model_, &PresetDragModel::slotDropped, writes_, [this](int from, int to, bool copy) {
        copy ? writes_->copy(from, to) : writes_->move(from, to);
    });
    connect(model_, &PresetDragModel::fileDropped, writes_, &SlotWriteFlow::writeFile);

    auto* layout = new QVBoxLayout(tab);
    layout->setContentsMargins(0, 6, 0, 0);
    layout->addWidget(search_);
    layout->addWidget(list_, 1);
    return tab;
}

}  // namespace quorvex
