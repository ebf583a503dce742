#pragma once
// Chooses an item of the next pop-up menu that opens, as a person would: through the
// submenus named on the way, then the item. An empty path dismisses the menu with Escape.
#include <QApplication>
#include <QMenu>
#include <QTest>
#include <QTimer>
#include <string>
#include <vector>

inline QAction* FindMenuAction(QMenu& menu, const QString& text)
{
    for (QAction* pAction : menu.actions())
    {
        if (pAction->text() == text)
            return pAction;
    }
    return nullptr;
}

inline void ChooseInNextMenu(std::vector<QString> path, int nDelayMs = 0)
{
    QTimer::singleShot(nDelayMs,
                       [path]() mutable
                       {
                           auto* pMenu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
                           if (pMenu == nullptr)
                           {
                               ChooseInNextMenu(path, 10);
                               return;
                           }
                           if (path.empty())
                           {
                               QTest::keyClick(pMenu, Qt::Key_Escape);
                               return;
                           }
                           QAction* pAction = FindMenuAction(*pMenu, path.front());
                           if (pAction == nullptr)
                           {
                               QTest::keyClick(pMenu, Qt::Key_Escape);
                               return;
                           }
                           path.erase(path.begin());
                           if (pAction->menu() != nullptr)
                           {
                               pMenu->setActiveAction(pAction);
                               QTest::keyClick(pMenu, Qt::Key_Right);
                               // The submenu is the next active pop-up.
                               QTimer::singleShot(10, [path]() { ChooseInNextMenu(path); });
                               return;
                           }
                           QTest::mouseClick(pMenu, Qt::LeftButton, {},
                                             pMenu->actionGeometry(pAction).center());
                       });
}
