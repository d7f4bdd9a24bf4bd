#include "library_tab.h"

#include "app_delegate.h"
#include "library_model.h"
#include "search_field.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFileSystemWatcher>
#include <QHBoxLayout>
#include <QLabel>
#include <QListView>
#include <QPushButton>
#include <QSortFilterProxyModel>
#include <QVBoxLayout>

namespace quorvex {

LibraryTab::LibraryTab(AppDelegate& hub, QWidget* parent)
    : QWidget(parent), hub_(hub), alert_(modalFileAlert()), model_(new LibraryModel(folder_, this)),
      filtered_(new QSortFilterProxyModel(this)), search_(new SearchField(QStringLiteral("SEARCH LIBRARY"), *filtered_, this)),
      list_(new QListView(this)), folderLabel_(new QLabel(this)), watcher_(new QFileSystemWatcher(this)) {
    filtered_->setSourceModel(model_);
    list_->setAccessibleName(QStringLiteral("LIBRARY"));
    list_->setModel(filtered_);
    list_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list_->setDragDropMode(QAbstractItemView::DragDrop);
    list_->setDefaultDropAction(Qt::CopyAction);
    connect(list_, &QListView::doubleClicked, this, [this](const QModelIndex& index) {
        emit playRequested(folder_.filePath(index.data().toString()));
    });
    connect(model_, &LibraryModel::slotDropped, this, &LibraryTab::exportSlot);
    connect(watcher_, &QFileSystemWatcher::directoryChanged, model_, &LibraryModel::refresh);

    auto* chooser = new QPushButton(QStringLiteral("FOLDER"), this);
    chooser->setAccessibleName(QStringLiteral("LIBRARY FOLDER"));
    chooser->setToolTip(QStringLiteral("Choose the folder of preset files the library shows"));
    connect(chooser, &QPushButton::clicked, this, &LibraryTab::chooseFolder);
    folderLabel_->setAccessibleName(QStringLiteral("Library folder"));
    folderLabel_->setTextInteractionFlags(Qt::TextSelectableByMouse);

    auto* folderRow = new QHBoxLayout;
    folderRow->addWidget(folderLabel_, 1);
    folderRow->addWidget(chooser);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 6, 0, 0);
    layout->addLayout(folderRow);
    layout->addWidget(search_);
    layout->addWidget(list_, 1);
    watchFolder();
}

void LibraryTab::setFolder(const QString& path) {
    folder_.choose(path);
    model_->refresh();
    watchFolder();
}

void LibraryTab::chooseFolder() {
    const QString path = QFileDialog::getExistingDirectory(window(), QStringLiteral("Library folder"), folder_.path());
    if (!path.isEmpty()) setFolder(path);
}

void LibraryTab::watchFolder() {
    // The home folder as "~", as a guitarist knows the place.
    const QString home = QDir::homePath();
    const QString path = folder_.path();
    folderLabel_->setText(path.startsWith(home + QLatin1Char('/')) ? QStringLiteral("~") + path.mid(home.size()) : path);
    folderLabel_->setToolTip(folder_.path());
    if (!watcher_->directories().isEmpty()) watcher_->removePaths(watcher_->directories());
    // A folder not made yet is watched once an export made it.
    if (QFileInfo::exists(folder_.path())) watcher_->addPath(folder_.path());
}

QString LibraryTab::exportSlot(int slot) {
    DeviceThread* link = hub_.HidDevece();
    if (!link || !PresetStore::validSlot(slot)) return {};
    std::string display;
    PresetRecord record{};
    const bool arrived = link->withLinkLock([&](ParameterBlocks&, CommandEncoder&) {
        display = link->presets().displayText(slot);
        record = link->presets().record(slot);
        return link->presets().arrived(slot);
    });
    if (!arrived) {
        alert_(window(), QMessageBox::Warning, QString::fromStdString(missingPresetsText({slot})));
        return {};
    }
    QString reason;
    const QString path = folder_.exportRecord(display, record, reason);
    if (path.isEmpty()) alert_(window(), QMessageBox::Warning, reason);
    model_->refresh();
    watchFolder();
    return path;
}

}  // namespace quorvex
