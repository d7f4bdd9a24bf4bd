#pragma once
#include "file_alerts.h"
#include "library_folder.h"

#include <QWidget>

class QFileSystemWatcher;
class QLabel;
class QListView;
class QSortFilterProxyModel;

namespace quorvex {

class AppDelegate;
class LibraryModel;
class SearchField;

// The LIBRARY tab: the preset files of the library folder, searchable like the preset
// list. A pedal row dropped here is exported into the folder; a file dragged onto a
// pedal row is written into that slot; a double-click plays a file as the sound.
class LibraryTab : public QWidget {
    Q_OBJECT
public:
    LibraryTab(AppDelegate& hub, QWidget* parent = nullptr);

    LibraryFolder& folder() { return folder_; }
    // Shows another folder and remembers it.
    void setFolder(const QString& path);
    // Writes the slot's preset into the folder as a file; returns its path, or empty.
    QString exportSlot(int slot);

    void setAlert(FileAlert alert) { alert_ = std::move(alert); }
    SearchField* searchField() const { return search_; }
    QListView* fileList() const { return list_; }
    LibraryModel* files() const { return model_; }

signals:
    // A file is to become the pedal's sound (a one-file import).
    void playRequested(const QString& path);

private:
    void chooseFolder();
    void watchFolder();

    AppDelegate& hub_;
    LibraryFolder folder_;
    FileAlert alert_;
    LibraryModel* model_;
    QSortFilterProxyModel* filtered_;
    SearchField* search_;
    QListView* list_;
    QLabel* folderLabel_;
    QFileSystemWatcher* watcher_;
};

}  // namespace quorvex
