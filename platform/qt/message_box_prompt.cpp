#include "platform/qt/message_box_prompt.h"

#include "platform/qt/text_codec.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>

namespace {

int ShowMessageBox(const std::string& strText, const std::string& strCaption, QMessageBox::StandardButtons buttons)
{
    QMessageBox box(QMessageBox::NoIcon, ToQString(strCaption), ToQString(strText), buttons,
                    QApplication::activeWindow());
    // Plain buttons, also where the desktop's style would put pictures on them.
    for (QAbstractButton* pButton : box.buttons())
        pButton->setIcon(QIcon());
    return box.exec();
}

} // namespace

void CMessageBoxPrompt::Message(const std::string& strText, const std::string& strCaption)
{
    ShowMessageBox(strText, strCaption, QMessageBox::Ok);
}

bool CMessageBoxPrompt::AskYesNo(const std::string& strText, const std::string& strCaption)
{
    return ShowMessageBox(strText, strCaption, QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
}
