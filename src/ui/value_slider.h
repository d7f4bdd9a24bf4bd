#pragma once
#include <QColor>
#include <QWidget>

namespace quorvex::ui {

// What HYSlider and GSlider share: a real value, the bounds that guard setting it
// from code, the colours, and the pointer handling. The pointer sets the value over
// 0.0..1.0 no matter what the bounds say; code may only set values inside them.
// Every press and drag step announces itself on the next turn of the event loop,
// so the owner's handler always reads the value the pointer has just stored.
// The arrow keys and Page Up/Down do not move the knob themselves: they ask the owner
// to step the value it stores on its own grid, which a position cannot express exactly.
class ValueSlider : public QWidget {
    Q_OBJECT
public:
    explicit ValueSlider(QWidget* parent = nullptr);

    double floatValue() const { return m_floatValue; }
    // Ignored (value and knob stay put) unless minValue() <= v <= maxValue(). Never
    // announces the change: code that sets a value already knows about it.
    void setFloatValue(double v);

    double minValue() const { return m_minValue; }
    double maxValue() const { return m_maxValue; }
    void setMinValue(double v);
    void setMaxValue(double v);

    QColor sliderColor() const { return m_sliderColor; }    // knob
    QColor onTintColor() const { return m_onTintColor; }    // knob under the pointer
    QColor tintColor() const { return m_tintColor; }        // track
    QColor fillColor() const { return m_fillColor; }        // filled part of the track
    int sliderRadius() const { return m_sliderRadius; }
    void setSliderColor(const QColor& c);
    void setOnTintColor(const QColor& c);
    void setTintColor(const QColor& c);
    void setFillColor(const QColor& c);
    void setSliderRadius(int r);

    // Where the value puts the knob and the end of the fill: (value - min) / (max - min),
    // kept within 0..1 for drawing.
    double knobFraction() const;
    bool isPointerOver() const { return m_pointerOver; }

    // The value the pointer at horizontal position x (view coordinates) stands for,
    // already clamped to 0.0..1.0.
    virtual double valueAtPointer(double x) const = 0;

    // Stores v as the pointer would (no bounds check) and announces it. Used by the
    // pointer, the keyboard and assistive technology.
    void setValueByUser(double v);

    QSize sizeHint() const override { return {200, 24}; }

    // Grid steps that Page Up and Page Down ask for.
    static constexpr int kPageSteps = 10;

signals:
    // An arrow key (one step) or Page Up/Down (kPageSteps): the owner moves its stored
    // value by that many steps of its grid, negative for down, and sends it once.
    void stepRequested(int steps);

protected:
    // Emits the subclass's typed action signal; called from the event loop.
    virtual void performAction() = 0;

    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void enterEvent(QEnterEvent* e) override;
    void leaveEvent(QEvent* e) override;

    QColor knobColor() const { return m_pointerOver ? m_onTintColor : m_sliderColor; }

private:
    void valueChanged();

    double m_floatValue = 0.0;
    double m_minValue = 0.0;
    double m_maxValue = 1.0;
    QColor m_sliderColor, m_onTintColor, m_tintColor, m_fillColor;
    int m_sliderRadius = 0;
    bool m_pointerOver = false;
};

}  // namespace quorvex::ui
