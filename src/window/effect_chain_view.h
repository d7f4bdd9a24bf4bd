#pragma once
#include <QWidget>

#include <array>

#include "effect_chain.h"

namespace quorvex {

class ModleView;

// The row of nine chain blocks across the main window, from the guitar's input on the
// left to the output on the right. It draws the chain's state and hands the blocks'
// clicks, drops and keyboard moves to the chain.
class EffectChainView : public QWidget {
    Q_OBJECT
public:
    explicit EffectChainView(EffectChain& chain, QWidget* parent = nullptr);

    ModleView* block(int position) const { return blocks_[static_cast<std::size_t>(position)]; }

    QSize sizeHint() const override { return {980, 112}; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void refresh();
    void moveBlock(int position, int step);

    EffectChain& chain_;
    std::array<ModleView*, EffectChain::kPositions> blocks_{};
};

}  // namespace quorvex
