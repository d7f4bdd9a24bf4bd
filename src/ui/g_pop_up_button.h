#pragma once
#include <QStringList>
#include <QWidget>

class QFrame;
class QListWidget;

namespace quorvex::ui {

// A drop-down list: a button showing the selected row's name, and a list window that
// opens next to it. Picking a row selects it and announces it; selecting from code
// does not. In slot-editing mode (cabAddDelete() == kSlotMode) every row from
// kFirstSlotRow on also carries a "+" and a "-" button, which announce themselves
// through cabAddDelete() and indexNumberCABOperate() and leave the selection alone.
class GPopUpButton : public QWidget {
    Q_OBJECT
public:
    static constexpr qint64 kSlotMode = 10;    // rows kFirstSlotRow.. carry "+" and "-"
    static constexpr qint64 kSlotAdd = 20;     // "+" was pressed
    static constexpr qint64 kSlotDelete = 30;  // "-" was pressed
    static constexpr int kFirstSlotRow = 26;
    static constexpr int kRowHeight = 20;
    static constexpr int kMaxRowsShown = 9;
    static constexpr int kScrollingHeight = 210;

    explicit GPopUpButton(QWidget* parent = nullptr);

    // "EMPTY" for a name that is missing, empty or reads "(null)".
    static QString displayName(const QString* name);
    // "%ld %@": the 1-based row number and the row's display name.
    QString rowText(qint64 row) const;
    // Every row up to kMaxRowsShown rows, else kScrollingHeight with scrolling.
    static int listHeightForRows(qsizetype rows);

    QStringList dataArray() const { return m_dataArray; }
    // Replaces the rows; the label shows the name of row indexNumber() as it is.
    void setDataArray(const QStringList& rows);

    qint64 indexNumber() const { return m_indexNumber; }
    // Selects row r from code: the label shows its display name; nothing is announced.
    void setIndexNumber(qint64 r);

    QString itemLabel() const { return m_itemLabel; }

    qint64 cabAddDelete() const { return m_cabAddDelete; }
    void setCabAddDelete(qint64 mode);
    qint64 indexNumberCABOperate() const { return m_indexNumberCABOperate; }

    bool isShow() const { return m_isShow; }
    void showList();
    void hideList();
    void toggleList();

    // The list window and its rows, for the accessibility layer and for tests.
    QFrame* listWindow() const { return m_listWindow; }
    QListWidget* listView() const { return m_list; }
    // The "+" or "-" button of a row; null when the row has none.
    QWidget* slotButton(int row, bool add) const;
    // Whether the "-" buttons can be pressed (the "+" buttons always can).
    void setSlotDeleteEnabled(bool enabled);

    QSize sizeHint() const override { return {200, 28}; }

signals:
    // Sent on the next turn of the event loop after a row or a slot button was chosen.
    void action(quorvex::ui::GPopUpButton* sender);

protected:
    void paintEvent(QPaintEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool slotButtonsShown() const;
    void rebuildRows();
    void refreshRowTexts();
    void rowChosen(int row);
    void slotButtonPressed(int row, qint64 mode);
    void scheduleAction();
    void setShown(bool shown);

    QStringList m_dataArray;
    qint64 m_indexNumber = 0;
    QString m_itemLabel;
    qint64 m_cabAddDelete = 0;
    qint64 m_indexNumberCABOperate = 0;
    bool m_isShow = false;
    bool m_slotDeleteEnabled = true;
    QFrame* m_listWindow = nullptr;
    QListWidget* m_list = nullptr;
};

}  // namespace quorvex::ui
