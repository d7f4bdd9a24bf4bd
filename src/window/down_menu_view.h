#pragma once
#include "pop_up_trigger.h"

namespace quorvex {

// The preset header above the list: shows the current entry and whether the list is
// open. A click toggles between open and closed and reports the new state.
class downMenuView : public PopUpTrigger {
    Q_OBJECT
public:
    static constexpr int kOpen = 1;
    static constexpr int kClosed = 2;

    explicit downMenuView(QWidget* parent = nullptr);

    int state() const { return m_state; }
    // Sets the state from code: redraws, reports nothing.
    void setState(int state);
    bool isOpen() const override { return m_state == kOpen; }

    QSize sizeHint() const override { return {266, 44}; }

signals:
    // The user toggled the header; state is the new one.
    void composeToolDownMenuOpenState(int state);

protected:
    void onTriggered() override;
    void paintEvent(QPaintEvent* e) override;

private:
    int m_state = kClosed;
};

}  // namespace quorvex
