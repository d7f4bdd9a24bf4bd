#pragma once
#include <QFrame>

#include "pop_up_trigger.h"

namespace quorvex::ui {
class GSlider;
}

namespace quorvex {

// The preset volume read-out (0..100); a click opens the volume pop-up.
class PresetVolumeReadout : public PopUpTrigger {
    Q_OBJECT
public:
    explicit PresetVolumeReadout(QWidget* parent = nullptr);

    bool isOpen() const override { return m_open; }
    void setOpen(bool open);

    QSize sizeHint() const override { return {76, 44}; }

protected:
    void paintEvent(QPaintEvent* e) override;

private:
    bool m_open = false;
};

// The pop-up holding the preset volume slider.
class PresetVolumePopup : public QFrame {
    Q_OBJECT
public:
    explicit PresetVolumePopup(QWidget* parent = nullptr);

    quorvex::ui::GSlider* slider() const { return m_slider; }

signals:
    // Escape was pressed inside the pop-up.
    void closeRequested();

protected:
    void keyPressEvent(QKeyEvent* e) override;

private:
    quorvex::ui::GSlider* m_slider;
};

}  // namespace quorvex
