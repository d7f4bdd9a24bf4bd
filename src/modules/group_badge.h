#pragma once
#include <QWidget>

namespace quorvex {

// The model group's picture, drawn: a small lit plate naming the effect family.
class GroupBadge : public QWidget {
    Q_OBJECT
public:
    explicit GroupBadge(QWidget* parent = nullptr);
    void setGroup(const QString& picture, const QString& caption);
    QString picture() const { return picture_; }
    QString caption() const { return caption_; }
    QSize sizeHint() const override { return {220, 64}; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString picture_;
    QString caption_;
};

}  // namespace quorvex
