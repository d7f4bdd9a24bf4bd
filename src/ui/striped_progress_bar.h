#pragma once
#include <QProgressBar>

class QTimer;

namespace quorvex::ui {

// A progress bar whose filled part carries moving diagonal stripes, so that a long
// transfer visibly lives even while the figure stands still. Takes values 0.0..1.0.
class StripedProgressBar : public QProgressBar {
    Q_OBJECT
public:
    explicit StripedProgressBar(QWidget* parent = nullptr);
    void setFraction(double fraction);
    double fraction() const { return value() / 1000.0; }
    // Stops the stripes at their first place, for a picture that is the same each time.
    void holdStill();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QTimer* timer_;
    int phase_ = 0;
};

}  // namespace quorvex::ui
