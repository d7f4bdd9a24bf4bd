#include "effect_chain_view.h"

#include <QHBoxLayout>
#include <QPainter>
#include <QPainterPath>

#include "chain_block.h"
#include "preset_screen_style.h"

namespace quorvex {

namespace {
constexpr int kEndRoom = 44;  // room at each end for the IN and OUT marks
}

EffectChainView::EffectChainView(EffectChain& chain, QWidget* parent) : QWidget(parent), chain_(chain) {
    setObjectName("effectChain");
    setAccessibleName(QStringLiteral("Effect chain"));
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(kEndRoom, 12, kEndRoom, 12);
    row->setSpacing(14);
    for (int p = 0; p < EffectChain::kPositions; ++p) {
        auto* block = new ModleView(p, this);
        blocks_[static_cast<std::size_t>(p)] = block;
        row->addWidget(block);
        connect(block, &ModleView::ClickAction, &chain_, &EffectChain::click);
        connect(block, &ModleView::DropAction, &chain_, &EffectChain::DropAction);
        connect(block, &ModleView::moveRequested, this, &EffectChainView::moveBlock);
    }
    connect(&chain_, &EffectChain::changed, this, &EffectChainView::refresh);
    refresh();
}

void EffectChainView::refresh() {
    for (int p = 0; p < EffectChain::kPositions; ++p) {
        ModleView* block = blocks_[static_cast<std::size_t>(p)];
        block->setModule(static_cast<int>(chain_.effectChainOrder()[static_cast<std::size_t>(p)]));
        block->setModeOpen(chain_.isOn(p));
        block->setSelect(chain_.isSelected(p));
    }
}

// The keyboard moves a block as a drop would, and the focus goes with the module.
void EffectChainView::moveBlock(int position, int step) {
    const int target = position + step;
    if (target < 0 || target >= EffectChain::kPositions)
        return;
    chain_.DropAction(position, target);
    blocks_[static_cast<std::size_t>(target)]->setFocus(Qt::OtherFocusReason);
}

void EffectChainView::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    // The signal's path behind the blocks, with a chevron in each gap.
    const double y = height() / 2.0;
    p.setPen(QPen(preset_style::teal().darker(220), 2.0));
    p.drawLine(QPointF(20, y), QPointF(width() - 20, y));
    p.setBrush(preset_style::teal().darker(160));
    p.setPen(Qt::NoPen);
    for (int i = 0; i + 1 < EffectChain::kPositions; ++i) {
        const double x = (blocks_[static_cast<std::size_t>(i)]->geometry().right() +
                          blocks_[static_cast<std::size_t>(i + 1)]->geometry().left()) / 2.0 + 1.0;
        QPainterPath chevron;
        chevron.moveTo(x - 3, y - 5);
        chevron.lineTo(x + 3, y);
        chevron.lineTo(x - 3, y + 5);
        chevron.closeSubpath();
        p.drawPath(chevron);
    }
    p.setPen(preset_style::dimText());
    p.setFont(preset_style::captionFont());
    p.drawText(QRectF(0, 0, kEndRoom, y - 6), Qt::AlignHCenter | Qt::AlignBottom, QStringLiteral("IN"));
    p.drawText(QRectF(width() - kEndRoom, 0, kEndRoom, y - 6), Qt::AlignHCenter | Qt::AlignBottom, QStringLiteral("OUT"));
}

}  // namespace quorvex
