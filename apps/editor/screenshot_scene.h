#pragma once
#include <QString>
#include <QStringList>

class QWidget;

namespace quorvex {

class EditorWindow;

// What the editor opens before it takes a picture of itself (--show), so that the
// pictures of the documentation come from the program as it is.
namespace screenshot {

// The names --show takes: "main", "presets" (the drop-down open), "library" (the
// library folder's tab), a module ("fx" .. "reverb"), "delay-dual",
// "system", "ctrl-tap", "exp", "backup" and "alert".
QStringList viewNames();

// Opens the view in the loaded window. "alert" opens nothing here: the editor unplugs
// its virtual pedal, and the pedal's loss brings the alert up.
void openView(EditorWindow& window, const QString& view);

// Whether the view shows a dialog over the window, which the picture waits for.
bool viewHasDialog(const QString& view);

// Saves the window, with the dialog that lies over it drawn at its centre, as PNG.
// Moving parts (the cursor of a text field, the stripes of a progress bar) stand still.
bool save(QWidget& window, QWidget* dialog, const QString& file);

}  // namespace screenshot
}  // namespace quorvex
