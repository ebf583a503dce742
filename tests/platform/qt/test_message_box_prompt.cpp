#include "platform/qt/message_box_prompt.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

struct SSeenBox {
    QString text;
    QString caption;
    QMessageBox::Icon icon = QMessageBox::Information;
    QList<QMessageBox::StandardButton> buttons;
    bool bButtonIcons = false;
};

// Looks at the message box the prompt shows next, then presses one of its buttons.
void AnswerNextBox(SSeenBox& seen, QMessageBox::StandardButton answer)
{
    QTimer::singleShot(0, [&seen, answer] {
        auto* pBox = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(pBox, nullptr);
        seen.text = pBox->text();
        seen.caption = pBox->windowTitle();
        seen.icon = pBox->icon();
        for (QAbstractButton* pButton : pBox->buttons()) {
            seen.buttons.push_back(pBox->standardButton(pButton));
            seen.bButtonIcons |= !pButton->icon().isNull();
        }
        pBox->button(answer)->click();
    });
}

} // namespace

TEST(MessageBoxPrompt, MessageShowsTheTextUnderItsCaptionWithOkOnly)
{
    CMessageBoxPrompt prompt;
    SSeenBox seen;
    AnswerNextBox(seen, QMessageBox::Ok);
    prompt.Message("COM193 Removed", "Zephyrane");
    EXPECT_EQ(seen.text, "COM193 Removed");
    EXPECT_EQ(seen.caption, "Zephyrane");
    EXPECT_EQ(seen.icon, QMessageBox::NoIcon);
    EXPECT_EQ(seen.buttons, QList<QMessageBox::StandardButton>{QMessageBox::Ok});
    EXPECT_FALSE(seen.bButtonIcons);
}

TEST(MessageBoxPrompt, QuestionHasYesAndNoAndReportsTheAnswer)
{
    CMessageBoxPrompt prompt;
    for (auto answer : {QMessageBox::Yes, QMessageBox::No}) {
        SSeenBox seen;
        AnswerNextBox(seen, answer);
        EXPECT_EQ(prompt.AskYesNo("Do you want to close the GPS Monitor", "Exit Program"), answer == QMessageBox::Yes);
        EXPECT_EQ(seen.caption, "Exit Program");
        EXPECT_EQ(seen.icon, QMessageBox::NoIcon);
        EXPECT_EQ(seen.buttons.size(), 2);
        EXPECT_TRUE(seen.buttons.contains(QMessageBox::Yes));
        EXPECT_TRUE(seen.buttons.contains(QMessageBox::No));
    }
}

TEST(MessageBoxPrompt, TextsAreWindows1252)
{
    CMessageBoxPrompt prompt;
    SSeenBox seen;
    AnswerNextBox(seen, QMessageBox::Ok);
    prompt.Message("COG  45.50\xB0", "Zephyrane");
    EXPECT_EQ(seen.text, QString::fromUtf8("COG  45.50\u00B0"));
}
