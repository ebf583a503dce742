#include "pixels.h"
#include "resources/dialog_template.h"
#include "views/colour_button.h"
#include "platform/qt/dialog_builder.h"
#include "platform/qt/list_box.h"
#include "platform/qt/theme.h"

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <gtest/gtest.h>
#include <set>

TEST(DialogUnits, ConvertWithTheBaseUnitsOfAnEightPointFont)
{
    EXPECT_EQ(DluRectToPixels(7, 7, 285, 140), QRect(10, 11, 427, 227));
    EXPECT_EQ(DluRectToPixels(242, 155, 50, 14), QRect(363, 251, 75, 22));
    // Fractions of a pixel are dropped, never rounded up.
    EXPECT_EQ(DluToPixelsX(3), 4);
    EXPECT_EQ(DluToPixelsY(3), 4);
    EXPECT_EQ(DluToPixelsY(5), 8);
}

TEST(DialogTemplates, EveryControlLiesInsideItsWindowWithItsOwnIdentifier)
{
    for (int nId : {kIddMain, kIddComPorts, kIddSatVis, kIddDataLogger, kIddGpsText, kIddSatVizPage,
                    kIddSatellitesPage, kIddNmeaMonitor, kIddScatterPlot, kIddPositionMonitoring}) {
        const SDlgTemplate* pDlg = FindDialogTemplate(nId);
        ASSERT_NE(pDlg, nullptr) << nId;
        std::set<int> ids;
        for (const SDlgItem& item : pDlg->items) {
            EXPECT_GE(item.x, 0) << nId << " control " << item.nId;
            EXPECT_GE(item.y, 0) << nId << " control " << item.nId;
            EXPECT_LE(item.x + item.cx, pDlg->cx) << nId << " control " << item.nId;
            EXPECT_LE(item.y + item.cy, pDlg->cy) << nId << " control " << item.nId;
            if (item.nId >= 0) {
                EXPECT_TRUE(ids.insert(item.nId).second) << nId << " repeats " << item.nId;
            }
        }
    }
    EXPECT_EQ(FindDialogTemplate(4711), nullptr);
}

TEST(DialogBuilder, CreatesTheControlsAndUsesBoundWidgets)
{
    QWidget owner;
    CColourButton okButton;
    CDialogControls controls;
    controls.Bind(kIdOk, okButton);
    std::vector<int> commands;
    controls.Create(*FindDialogTemplate(kIddComPorts), owner, [&](int nId) { commands.push_back(nId); });

    auto* pList = dynamic_cast<CListBox*>(controls.Get(1001));
    ASSERT_NE(pList, nullptr);
    EXPECT_EQ(pList->geometry(), QRect(10, 11, 427, 227));
    EXPECT_EQ(pList->selectionMode(), QAbstractItemView::NoSelection);

    ASSERT_EQ(controls.Get(kIdOk), &okButton);
    EXPECT_EQ(okButton.parentWidget(), &owner);
    EXPECT_EQ(okButton.text(), "OK");
    EXPECT_EQ(okButton.geometry(), QRect(363, 251, 75, 22));
    EXPECT_TRUE(okButton.isDefault());
    EXPECT_EQ(owner.font().family(), "MS Shell Dlg");
    EXPECT_EQ(owner.font().pointSize(), 8);

    okButton.click();
    EXPECT_EQ(commands, std::vector<int>{kIdOk});
    EXPECT_EQ(controls.Get(4711), nullptr);
}

TEST(DialogBuilder, CentredFieldsAreOneCentredLine)
{
    QWidget owner;
    CDialogControls controls;
    controls.Create(*FindDialogTemplate(kIddGpsText), owner, nullptr);
    auto* pFix = dynamic_cast<QLabel*>(controls.Get(1012));
    ASSERT_NE(pFix, nullptr);
    EXPECT_EQ(pFix->alignment(), Qt::AlignHCenter | Qt::AlignVCenter);
    EXPECT_FALSE(pFix->wordWrap());
    EXPECT_EQ(pFix->geometry(), DluRectToPixels(106, 156, 147, 23));
}

TEST(ListBox, SortedListIgnoresLetterCaseAndKeepsArrivalOrderOfEqualLines)
{
    CListBox list;
    list.SetSorted(true);
    for (const char* text : {"ZEPHYRANE (COM5)", "COM1", "com1", "Communications Port (COM2)", "Arduino (COM66)"})
        list.AddString(text);
    std::vector<std::string> lines;
    for (int i = 0; i < list.GetCount(); ++i)
        lines.push_back(list.GetText(i));
    EXPECT_EQ(lines, (std::vector<std::string>{"Arduino (COM66)", "COM1", "com1", "Communications Port (COM2)",
                                               "ZEPHYRANE (COM5)"}));
}

TEST(ListBox, InsertsDeletesAndKeepsWindows1252Texts)
{
    CListBox list;
    list.AddString("b");
    EXPECT_EQ(list.InsertString(0, "a\xB0"), 0);
    EXPECT_EQ(list.InsertString(-1, "c"), 2);
    EXPECT_EQ(list.GetText(0), "a\xB0");
    EXPECT_EQ(list.DeleteString(1), 2);
    EXPECT_EQ(list.DeleteString(5), -1);
    EXPECT_EQ(list.GetText(1), "c");
    EXPECT_GT(list.GetItemHeight(), 0);
    list.ResetContent();
    EXPECT_EQ(list.GetCount(), 0);
}

TEST(DialogBuilder, GroupBoxesHaveAGreyOutlineAndTheirTitleInItsTopLine)
{
    QWidget owner;
    theme::ApplyWindowColours(owner, theme::kBackground, theme::kText);
    CDialogControls controls;
    controls.Create(*FindDialogTemplate(kIddNmeaMonitor), owner, nullptr);
    auto* pGroup = dynamic_cast<QGroupBox*>(controls.Get(1174));
    ASSERT_NE(pGroup, nullptr);
    EXPECT_EQ(pGroup->title(), "Position");
    const QImage image = GrabImage(*pGroup);
    EXPECT_EQ(PixelAt(image, 0, image.height() / 2), QColor(128, 128, 128));
    EXPECT_EQ(PixelAt(image, image.width() / 2, image.height() / 2), theme::kBackground);
    const int nTitle = pGroup->fontMetrics().height();
    EXPECT_TRUE(HasPixel(image, QRect(8, 0, 40, nTitle), theme::kText, 40));
}
