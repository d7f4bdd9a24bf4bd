#pragma once
#include <QWidget>

class QPushButton;

namespace quorvex::settings {

// A two-position switch: a caption and its two positions as buttons, the one set lit.
// Until a position is known (no report yet) neither is lit. Each position is a button
// named "<caption> <position>", so assistive technology reads it with its checked state.
class TwoWaySwitch : public QWidget {
    Q_OBJECT
public:
    static constexpr int kLeft = 0;
    static constexpr int kRight = 1;
    static constexpr int kUnknown = -1;

    TwoWaySwitch(const QString& caption, const QString& left, const QString& right, QWidget* parent = nullptr);

    // Shows a position (kLeft, kRight or kUnknown) without telling anyone.
    void setPosition(int position);
    int position() const { return position_; }
    QPushButton* button(int position) const { return position == kLeft ? left_ : right_; }

signals:
    // The user pressed a position (also the one already set).
    void pressed(int position);

private:
    QPushButton* left_;
    QPushButton* right_;
    int position_ = kUnknown;
};

}  // namespace quorvex::settings
