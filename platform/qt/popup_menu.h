#pragma once
// The dark pop-up menu: items on the menu's background brush (dark grey), the highlighted
// item on bright blue, white texts, and a white tick in front of checked items.
#include <QBrush>
#include <QMenu>

class CPopupMenu : public QMenu {
    Q_OBJECT
public:
    explicit CPopupMenu(QWidget* pParent = nullptr);
    explicit CPopupMenu(const QString& strTitle, QWidget* pParent = nullptr);

    void SetBackgroundBrush(const QBrush& brush);
    const QBrush& GetBackgroundBrush() const { return m_brBackground; }

    // Adds an item that reports nCommand when chosen (see ChosenCommand).
    QAction* AppendItem(int nCommand, const QString& strText, bool bChecked = false);
    // Adds a submenu in the same colours; it belongs to this menu.
    CPopupMenu* AppendSubMenu(const QString& strTitle);

    // Shows the menu at a screen position and waits; returns the command of the chosen
    // item, or 0 when the menu was dismissed.
    int TrackPopupMenu(const QPoint& ptScreen);
    static int ChosenCommand(const QAction* pAction);

    // Size of an item showing strText: as wide as the text plus the tick square in front,
    // as high as a menu bar line.
    QSize MeasureItem(const QString& strText) const;
    // Draws one item in rcItem.
    static void DrawMenuItem(QPainter& painter, const QRect& rcItem, const QString& strText,
                             bool bSelected, bool bChecked, bool bEnabled = true);

private:
    QBrush m_brBackground;
};
