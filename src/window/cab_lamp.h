#pragma once
#include <QString>
#include <QWidget>

namespace quorvex {

// One of the two CAB indicators: a small lamp with its caption ("CAB L", "CAB R"),
// lit while that output runs the cabinet simulation.
class CabLamp : public QWidget {
    Q_OBJECT
public:
    explicit CabLamp(const QString& caption, QWidget* parent = nullptr);

    QString caption() const { return m_caption; }
    bool isLit() const { return m_lit; }
    void setLit(bool lit);

    // Where the lamp itself sits, for whoever checks what is drawn.
    QPointF lampCentre() const;

    QSize sizeHint() const override { return {78, 24}; }

protected:
    void paintEvent(QPaintEvent* e) override;

private:
    QString m_caption;
    bool m_lit = false;
};

}  // namespace quorvex
