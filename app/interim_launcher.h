#pragma once
// A plain start window with one themed button per window of the program: a click hides it,
// runs that window modally and shows it again. Closing it ends the program.
#include <QWidget>
#include <functional>

class QVBoxLayout;

class CInterimLauncher : public QWidget {
    Q_OBJECT
public:
    explicit CInterimLauncher(QWidget* pParent = nullptr);

    // Adds a button that runs runWindow (which shows a window modally and returns when it closes).
    void AddWindow(const QString& strCaption, std::function<void()> runWindow);

private:
    QVBoxLayout* m_pButtons;
};
