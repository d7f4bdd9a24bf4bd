#pragma once
#include <QColor>

// The look shared by the value controls: a dark stage with teal accents, so that
// the controls read like the faders and displays of the pedal itself.
namespace quorvex::ui::palette {

inline QColor stage() { return QColor(0x15, 0x18, 0x1b); }      // near-black background
inline QColor teal() { return QColor(0x1e, 0xc8, 0xc8); }       // accents, filled parts
inline QColor outline() { return QColor(0x3a, 0x46, 0x4c); }    // edges of empty tracks
inline QColor text() { return QColor(0xf2, 0xf4, 0xf5); }       // labels on the stage

// Colours given as red, green and blue fractions, as the screens describe them.
inline QColor fromFractions(double r, double g, double b) { return QColor::fromRgbF(float(r), float(g), float(b)); }

}  // namespace quorvex::ui::palette
