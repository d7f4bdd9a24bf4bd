#pragma once
#include <QAccessible>
#include <QPoint>
#include <QWidget>

class QMimeData;

namespace quorvex {

// One block of the effect chain (`ModleView`): the module at one place of the chain,
// its caption, a lamp that is lit while the module is on, a frame while its panel is
// shown and a border while another block is dragged over it.
//
// A press released without moving is a click; a press dragged onto another block is a
// move. From the keyboard, Enter is a click (Space taps the tempo) and Ctrl+Left /
// Ctrl+Right moves the block one place. The block only reports these; the chain decides what they do.
class ModleView : public QWidget {
    Q_OBJECT
public:
    // The drag type that carries a block's place from one block to another.
    static constexpr const char* kMimeType = "application/x-quorvex-chain-block";

    explicit ModleView(int index, QWidget* parent = nullptr);

    // The place in the chain, 0..8, for life.
    int Index() const { return index_; }

    int module() const { return module_; }
    QString caption() const;
    bool isModeOpen() const { return isModeOpen_; }
    bool isSelectMode() const { return isSelectMode_; }
    bool isEnterMode() const { return isEnterMode_; }

    void setModule(int module);
    void setModeOpen(bool on);
    void setSelect(bool selected);
    // A click from the keyboard or assistive technology.
    void click() { emit ClickAction(index_); }

    // What a drag of this block carries: its place, marked with the chain it belongs to.
    QMimeData* dragData() const;
    // The place a drag names, or -1 when it does not come from a block of this block's
    // own chain (another editor window or program drags a block of its own chain).
    int sourceIndex(const QMimeData* mime) const;

    QSize sizeHint() const override { return {98, 86}; }
    QSize minimumSizeHint() const override { return {72, 70}; }

signals:
    void ClickAction(int index);
    void DropAction(int source, int target);
    // Ctrl+Left (-1) or Ctrl+Right (+1).
    void moveRequested(int index, int step);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragLeaveEvent(QDragLeaveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    void setEnterMode(bool hovering);
    // Sets an on or selected flag; a change redraws and is told to assistive technology.
    void changeFlag(bool& flag, bool value, QAccessible::State changed);
    void startDrag();
    // Tells this chain's drags from those of any other chain, in this program or another.
    QByteArray chainMark() const;

    const int index_;
    int module_;
    bool isModeOpen_ = false;
    bool isSelectMode_ = false;
    bool isEnterMode_ = false;
    QPoint pressPos_;
    bool pressed_ = false;
};

}  // namespace quorvex
