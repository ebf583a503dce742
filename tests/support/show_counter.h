#pragma once
// Counts how often a widget is shown, to check that a window never appeared.
#include <QEvent>
#include <QObject>
#include <QWidget>

class CShowCounter : public QObject
{
public:
    explicit CShowCounter(QWidget& widget) { widget.installEventFilter(this); }
    int Count() const { return m_nShows; }

protected:
    bool eventFilter(QObject*, QEvent* pEvent) override
    {
        if (pEvent->type() == QEvent::Show)
            ++m_nShows;
        return false;
    }

private:
    int m_nShows = 0;
};
