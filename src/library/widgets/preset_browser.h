#pragma once
#include <QTabWidget>

class QListView;

namespace quorvex {

class AppDelegate;
class LibraryTab;
class PresetDragModel;
class RootViewController;
class SearchField;
class SlotWriteFlow;

// The librarian beside the preset header: the pedal's presets as a searchable list
// whose rows can be dragged to reorder the slots, and a tab for the preset files of a
// library folder. A pick in the list does what a pick in the drop-down does.
class PresetBrowser : public QTabWidget {
    Q_OBJECT
public:
    PresetBrowser(AppDelegate& hub, RootViewController& root, QWidget* parent = nullptr);

    SearchField* searchField() const { return search_; }
    QListView* presetList() const { return list_; }
    PresetDragModel* presetModel() const { return model_; }
    SlotWriteFlow* writes() const { return writes_; }
    LibraryTab* library() const { return library_; }

private:
    QWidget* buildPresetTab(RootViewController& root);

    SearchField* search_ = nullptr;
    QListView* list_ = nullptr;
    PresetDragModel* model_ = nullptr;
    SlotWriteFlow* writes_ = nullptr;
    LibraryTab* library_ = nullptr;
};

}  // namespace quorvex
