#include "views/colour_property_sheet.h"

#include "platform/qt/text_codec.h"
#include "settings/config_file.h"
#include "platform/qt/colour_property_page.h"
#include "platform/qt/dialog_builder.h"
#include "platform/qt/theme.h"
#include "platform/qt/theme_style.h"

#include <QTabBar>
#include <QTabWidget>

namespace {

// The sheet's margins and its buttons' size, in dialog units of the sheet's font.
constexpr int kMarginX = 7;
constexpr int kMarginY = 7;
constexpr int kButtonWidth = 50;
constexpr int kButtonHeight = 14;
// The themed buttons start this far from the left edge and stand this far above the bottom.
constexpr int kButtonLeft = 15;
constexpr int kButtonBottomGap = 10;

const char* const kActivePageKey = "Active Page";

} // namespace

CColourPropertySheet::CColourPropertySheet(const std::string& strTitle, QWidget* pParent, int nSelectPage)
    : CModalDialog(pParent),
      m_crBackground(theme::kBackground),
      m_crText(theme::kText),
      m_brBackground(m_crBackground),
      m_strTitle(strTitle),
      m_nStartPage(nSelectPage)
{
    setWindowTitle(ToQString(strTitle));
    // A caption without a system menu, so the sheet has no close box.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    setFont(QFont("MS Shell Dlg", 8));
    theme::ApplyWindowColours(*this, m_brBackground, m_crText);
    m_btnOk.hide();
    m_btnCancel.hide();
}

CColourPropertySheet::~CColourPropertySheet()
{
    // The pages belong to whoever added them, not to the tabs. Pages that were destroyed
    // already (members of a derived sheet, say) have left the tabs by themselves.
    while (m_pTabs && m_pTabs->count() > 0) {
        QWidget* pPage = m_pTabs->widget(0);
        m_pTabs->removeTab(0);
        pPage->setParent(nullptr);
    }
}

void CColourPropertySheet::AddPage(CColourPropertyPage& page)
{
    m_pages.push_back(&page);
    if (m_pTabs)
        m_pTabs->addTab(&page, ToQString(page.GetCaption()));
}

CColourPropertyPage* CColourPropertySheet::GetPage(int nIndex) const
{
    return nIndex >= 0 && nIndex < GetPageCount() ? m_pages[static_cast<std::size_t>(nIndex)] : nullptr;
}

int CColourPropertySheet::GetActiveIndex() const
{
    return m_pTabs ? m_pTabs->currentIndex() : m_nStartPage;
}

bool CColourPropertySheet::SetActivePage(int nIndex)
{
    if (nIndex < 0 || nIndex >= GetPageCount())
        return false;
    if (m_pTabs)
        m_pTabs->setCurrentIndex(nIndex);
    else
        m_nStartPage = nIndex;
    return true;
}

bool CColourPropertySheet::OnInitDialog()
{
    m_pTabs = new QTabWidget(this);
    m_pTabs->setFocusPolicy(Qt::TabFocus);
    m_pTabs->setStyle(ThemeStyle());
    m_pTabs->tabBar()->setStyle(ThemeStyle());
    // Every tab stays in sight: the sheet grows if the captions need more room than the pages.
    m_pTabs->setUsesScrollButtons(false);
    for (CColourPropertyPage* pPage : m_pages)
        m_pTabs->addTab(pPage, ToQString(pPage->GetCaption()));
    if (GetPage(m_nStartPage))
        m_pTabs->setCurrentIndex(m_nStartPage);
    if (CColourPropertyPage* pPage = GetActivePage())
        pPage->Activate();
    connect(m_pTabs, &QTabWidget::currentChanged, this, [this](int nIndex) {
        if (CColourPropertyPage* pPage = GetPage(nIndex))
            pPage->Activate();
    });

    const QSize tabs = m_pTabs->sizeHint();
    m_pTabs->setGeometry(DluToPixelsX(kMarginX), DluToPixelsY(kMarginY), tabs.width(), tabs.height());
    setFixedSize(m_pTabs->geometry().right() + 1 + DluToPixelsX(kMarginX),
                 m_pTabs->geometry().bottom() + 1 + 2 * DluToPixelsY(kMarginY) + DluToPixelsY(kButtonHeight));
    PlaceButtons();
    return true;
}

void CColourPropertySheet::PlaceButtons()
{
    const int cx = DluToPixelsX(kButtonWidth);
    const int cy = DluToPixelsY(kButtonHeight);
    const int y = height() - kButtonBottomGap - cy;
    int x = kButtonLeft;
    const auto place = [&](CColourButton& button, const char* pszText, int nId) {
        button.setParent(this);
        button.setText(pszText);
        button.setFocusPolicy(Qt::StrongFocus);
        button.setFont(font());
        button.setGeometry(x, y, cx, cy);
        connect(&button, &QPushButton::clicked, this, [this, nId] { OnCommand(nId); });
        button.show();
        x += cx;
    };
    if (m_bShowOk) {
        place(m_btnOk, "Ok", kIdOk);
        m_btnOk.setDefault(true);
    }
    if (m_bShowCancel)
        place(m_btnCancel, "Cancel", kIdCancel);
}

void CColourPropertySheet::OnCommand(int nId)
{
    SaveActivePage();
    if (nId == kIdOk)
        OnOK();
    else if (nId == kIdCancel)
        OnCancel();
}

void CColourPropertySheet::showEvent(QShowEvent* pEvent)
{
    CModalDialog::showEvent(pEvent);
    RestoreActivePage();
}

std::string CColourPropertySheet::RememberedPageFile() const
{
    return CConfigFile().MakeFileName(m_strTitle + "_PS");
}

void CColourPropertySheet::SaveActivePage() const
{
    CConfigFile file;
    if (!file.Open(RememberedPageFile(), CTextFile::EMode::Write))
        return;
    file.WriteInt(kActivePageKey, GetActiveIndex());
    file.Close();
}

void CColourPropertySheet::RestoreActivePage()
{
    int nPage = 0;
    CConfigFile file;
    if (file.Open(RememberedPageFile(), CTextFile::EMode::Read)) {
        nPage = file.ReadInt();
        file.Close();
    }
    // A value outside the pages (a file edited by hand, say) leaves the page as it is.
    SetActivePage(nPage);
}
