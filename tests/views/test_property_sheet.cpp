#include "pixels.h"
#include "settings/config_file.h"
#include "tests/settings/temp_drives.h"
#include "tests/support/screenshot.h"
#include "views/colour_button.h"
#include "views/colour_list_box.h"
#include "platform/qt/colour_property_page.h"
#include "views/colour_property_sheet.h"
#include "platform/qt/theme.h"

#include <QTabBar>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>
#include <array>

namespace {

// The NMEA page's layout with its themed list and button, as the monitor shows it.
class CThemedListPage : public CColourPropertyPage {
public:
    CThemedListPage() : CColourPropertyPage(kIddNmeaMonitor) {}

protected:
    void DoDataExchange() override
    {
        DdxControl(1040, m_list);
        DdxControl(1041, m_btnReset);
    }
    bool OnInitDialog() override
    {
        m_list.SetBackgroundBrush(QBrush(theme::kBackground));
        for (const char* line : {"$GPGGA,092750.000,5321.6802,N,00630.3372,W,1,8,1.03,61.7,M,55.2,M,,*76",
                                 "$GPGSA,A,3,10,07,05,02,29,04,08,13,,,,,1.72,1.03,1.38*0A"})
            m_list.AddString(line);
        return true;
    }

private:
    CColourListBox m_list;
    CColourButton m_btnReset;
};

// A sheet of seven template pages, like the GPS sheet, whose buttons a test can switch
// off and whose "Ok" can be refused (as when its question is answered No).
class CTestSheet : public CColourPropertySheet {
public:
    CTestSheet(int nSelectPage = 0, bool bShowOk = true, bool bShowCancel = true)
        : CColourPropertySheet("GPS", nullptr, nSelectPage)
    {
        m_bShowOk = bShowOk;
        m_bShowCancel = bShowCancel;
        m_pages[3].SetCaption("DOP / No Sats");
        for (CColourPropertyPage& page : m_pages)
            AddPage(page);
        AddPage(m_nmeaPage);
    }

    bool m_bRefuseOk = false;
    int m_nOkCount = 0;
    const CColourButton& OkButton() const { return m_btnOk; }
    const CColourButton& CancelButton() const { return m_btnCancel; }

protected:
    void OnOK() override
    {
        ++m_nOkCount;
        if (!m_bRefuseOk)
            CColourPropertySheet::OnOK();
    }

private:
    std::array<CColourPropertyPage, 6> m_pages{
        CColourPropertyPage(kIddGpsText),        CColourPropertyPage(kIddSatVizPage),
        CColourPropertyPage(kIddSatellitesPage), CColourPropertyPage(kIddSatellitesPage),
        CColourPropertyPage(kIddPositionMonitoring), CColourPropertyPage(kIddScatterPlot)};
    CThemedListPage m_nmeaPage;
};

class PropertySheetTest : public ::testing::Test {
protected:
    std::string PageFile() { return CConfigFile().MakeFileName("GPS_PS"); }
    void RememberPage(const std::string& strValue) { CTempDrives::WriteFile(PageFile(), "Active Page = " + strValue + "\r\n"); }

    static void ShowAndWait(CColourPropertySheet& sheet)
    {
        sheet.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&sheet));
    }

    CTempDrives m_drives;
};

} // namespace

TEST_F(PropertySheetTest, OpensOnTheRememberedPage)
{
    RememberPage("3");
    CTestSheet sheet;
    ShowAndWait(sheet);
    EXPECT_EQ(sheet.GetActiveIndex(), 3);
    EXPECT_TRUE(sheet.GetPage(3)->HasControls());
    // Pages get their controls when first shown, not before.
    EXPECT_FALSE(sheet.GetPage(1)->HasControls());
    EXPECT_EQ(sheet.findChild<QTabBar*>()->tabText(3), "DOP / No Sats");

    // The last page, with its themed list, as the monitor opens on it.
    RememberPage("6");
    CTestSheet last(0, true, false);
    ShowAndWait(last);
    EXPECT_EQ(last.GetActiveIndex(), 6);
    EXPECT_TRUE(last.GetPage(6)->HasControls());
    EXPECT_FALSE(SaveScreenshot(last, "colour_property_sheet").empty());
}

TEST_F(PropertySheetTest, WithoutARememberedPageOpensOnTheFirst)
{
    CTestSheet sheet;
    ShowAndWait(sheet);
    EXPECT_EQ(sheet.GetActiveIndex(), 0);
}

TEST_F(PropertySheetTest, ValuesOutsideThePagesKeepThePageSelectedAtConstruction)
{
    for (const char* value : {"9", "7", "-1", "many"}) {
        RememberPage(value);
        CTestSheet sheet(value[0] == 'm' ? 5 : 2);
        ShowAndWait(sheet);
        // "many" reads as 0, an ordinary page.
        EXPECT_EQ(sheet.GetActiveIndex(), value[0] == 'm' ? 0 : 2) << value;
    }
}

TEST_F(PropertySheetTest, EveryCommandSavesTheActivePageEvenWhenOkIsRefused)
{
    CTestSheet sheet;
    sheet.m_bRefuseOk = true;
    ShowAndWait(sheet);
    auto* pTabs = sheet.findChild<QTabBar*>();
    QTest::mouseClick(pTabs, Qt::LeftButton, {}, pTabs->tabRect(5).center());
    ASSERT_EQ(sheet.GetActiveIndex(), 5);
    QTest::mouseClick(const_cast<CColourButton*>(&sheet.OkButton()), Qt::LeftButton);
    EXPECT_EQ(sheet.m_nOkCount, 1);
    EXPECT_TRUE(sheet.isVisible());
    EXPECT_EQ(CTempDrives::ReadFile(PageFile()), "Active Page = 5\r\n");

    QTest::mouseClick(pTabs, Qt::LeftButton, {}, pTabs->tabRect(6).center());
    QTest::keyClick(&sheet, Qt::Key_Escape);
    EXPECT_FALSE(sheet.isVisible());
    EXPECT_EQ(CTempDrives::ReadFile(PageFile()), "Active Page = 6\r\n");
}

TEST_F(PropertySheetTest, ThemedButtonsStandBottomLeftAndTheSheetHasNoCloseBox)
{
    CTestSheet sheet;
    ShowAndWait(sheet);
    const int y = sheet.height() - 10 - 22;
    EXPECT_EQ(sheet.OkButton().geometry(), QRect(15, y, 75, 22));
    EXPECT_EQ(sheet.CancelButton().geometry(), QRect(90, y, 75, 22));
    EXPECT_EQ(sheet.OkButton().text(), "Ok");
    EXPECT_EQ(sheet.CancelButton().text(), "Cancel");
    EXPECT_FALSE(sheet.windowFlags() & Qt::WindowCloseButtonHint);
    EXPECT_FALSE(sheet.windowFlags() & Qt::WindowSystemMenuHint);
    EXPECT_EQ(PixelAt(GrabImage(sheet), 3, sheet.height() - 3), theme::kBackground);
}

TEST_F(PropertySheetTest, ButtonsSwitchedOffLeaveTheirPlace)
{
    CTestSheet okOnly(0, true, false);
    ShowAndWait(okOnly);
    EXPECT_TRUE(okOnly.OkButton().isVisible());
    EXPECT_FALSE(okOnly.CancelButton().isVisible());
    EXPECT_FALSE(SaveScreenshot(okOnly, "colour_property_sheet_first_page").empty());

    CTestSheet cancelOnly(0, false, true);
    ShowAndWait(cancelOnly);
    EXPECT_FALSE(cancelOnly.OkButton().isVisible());
    EXPECT_EQ(cancelOnly.CancelButton().geometry().left(), 15);
}

TEST_F(PropertySheetTest, PagesThatOutliveTheSheetStayTheirOwners)
{
    CColourPropertyPage first(kIddGpsText);
    CColourPropertyPage second(kIddNmeaMonitor);
    {
        CColourPropertySheet sheet("Pages");
        sheet.AddPage(first);
        sheet.AddPage(second);
        ShowAndWait(sheet);
        EXPECT_NE(first.parentWidget(), nullptr);
    }
    EXPECT_EQ(first.parentWidget(), nullptr);
    EXPECT_TRUE(first.HasControls());
    EXPECT_FALSE(second.HasControls());
}
