#include "app/interim_launcher.h"

#include "views/colour_button.h"
#include "views/dialog_builder.h"
#include "views/theme.h"

#include <QVBoxLayout>

CInterimLauncher::CInterimLauncher(QWidget* pParent) : QWidget(pParent), m_pButtons(new QVBoxLayout(this))
{
    setWindowTitle("Zephyrane");
    setFont(QFont("MS Shell Dlg", 8));
    theme::ApplyWindowColours(*this, theme::kBackground, theme::kText);
    m_pButtons->setContentsMargins(DluToPixelsX(7), DluToPixelsY(7), DluToPixelsX(7), DluToPixelsY(7));
    m_pButtons->setSpacing(DluToPixelsY(4));
}

void CInterimLauncher::AddWindow(const QString& strCaption, std::function<void()> runWindow)
{
    auto* pButton = new CColourButton(strCaption, this);
    pButton->setFixedSize(DluToPixelsX(119), DluToPixelsY(27));
    connect(pButton, &QPushButton::clicked, this, [this, runWindow = std::move(runWindow)] {
        hide();
        runWindow();
        show();
    });
    m_pButtons->addWidget(pButton);
}
