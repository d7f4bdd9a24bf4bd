#include "stage_look.h"

#include "control_palette.h"

#include <QApplication>
#include <QPalette>
#include <QStyleFactory>

namespace quorvex::ui {
namespace {

QPalette stagePalette() {
    const QColor button(0x23, 0x29, 0x2d);
    const QColor field(0x0b, 0x0d, 0x0f);
    const QColor dimText(0x80, 0x8a, 0x90);
    // Light, mid and dark shades for bevels and frames follow from the button colour.
    QPalette pal(button, palette::stage());
    pal.setColor(QPalette::WindowText, palette::text());
    pal.setColor(QPalette::ButtonText, palette::text());
    pal.setColor(QPalette::Text, palette::text());
    pal.setColor(QPalette::BrightText, palette::teal());
    pal.setColor(QPalette::Base, field);
    pal.setColor(QPalette::AlternateBase, button);
    pal.setColor(QPalette::ToolTipBase, button);
    pal.setColor(QPalette::ToolTipText, palette::text());
    pal.setColor(QPalette::PlaceholderText, dimText);
    pal.setColor(QPalette::Highlight, palette::teal());
    pal.setColor(QPalette::HighlightedText, palette::stage());
    pal.setColor(QPalette::Link, palette::teal());
    pal.setColor(QPalette::LinkVisited, palette::teal().darker(130));
    for (const auto role : {QPalette::WindowText, QPalette::ButtonText, QPalette::Text})
        pal.setColor(QPalette::Disabled, role, dimText);
    pal.setColor(QPalette::Disabled, QPalette::Highlight, palette::outline());
    return pal;
}

}  // namespace

void applyStageLook(QApplication& app) {
    if (QStyle* fusion = QStyleFactory::create(QStringLiteral("Fusion"))) app.setStyle(fusion);
    app.setPalette(stagePalette());
}

}  // namespace quorvex::ui
