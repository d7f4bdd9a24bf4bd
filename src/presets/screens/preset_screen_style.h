#pragma once
#include <QColor>
#include <QFont>
#include <QString>

// The look of the preset side of the main window and of the save dialog: a dark
// stage, slightly lighter panels and the pedal's teal for everything that is lit.
namespace quorvex::preset_style {

inline QColor stage() { return QColor(0x15, 0x18, 0x1b); }    // window background
inline QColor panel() { return QColor(0x1e, 0x22, 0x26); }    // raised panels
inline QColor display() { return QColor(0x0b, 0x0e, 0x10); }  // recessed read-outs
inline QColor edge() { return QColor(0x33, 0x3b, 0x42); }     // panel and display edges
inline QColor text() { return QColor(0xf2, 0xf4, 0xf5); }     // text on dark
inline QColor dimText() { return QColor(0x8a, 0x96, 0x9e); }  // captions
inline QColor unlit() { return QColor(0x2b, 0x31, 0x36); }    // a lamp that is off

// The list border and the accents: RGB (0, 0.9, 0.77).
inline QColor teal() { return QColor::fromRgbF(0.0f, 0.9f, 0.77f); }
// Background of the current preset's row: RGB (0, 0.9, 0.76).
inline QColor selectedRow() { return QColor::fromRgbF(0.0f, 0.9f, 0.76f); }
// Rows other than the current one.
inline QColor rowBackground() { return Qt::black; }
inline QColor rowText() { return Qt::white; }
inline QColor selectedRowText() { return Qt::black; }

inline QString hex(const QColor& c) { return c.name(QColor::HexRgb); }

// The default sans face at a pixel size, so sizes do not depend on the screen's dpi.
inline QFont font(int pixelSize, QFont::Weight weight = QFont::Normal) {
    QFont f;
    f.setPixelSize(pixelSize);
    f.setWeight(weight);
    return f;
}

// Small upper-case captions above the controls.
inline QFont captionFont() {
    QFont f = font(11, QFont::DemiBold);
    f.setLetterSpacing(QFont::AbsoluteSpacing, 1.2);
    return f;
}

}  // namespace quorvex::preset_style
