#pragma once
// The themed property sheet: dark tabs holding CColourPropertyPage pages, the themed "Ok"
// and "Cancel" buttons in place of the usual sheet buttons (each can be switched off by a
// derived sheet's constructor), no close box, and the last active page remembered in the
// configuration file "<title>_PS": saved on every command, restored when the sheet is shown.
#include "views/colour_button.h"
#include "views/modal_dialog.h"

#include <QBrush>
#include <QColor>
#include <string>
#include <vector>

class CColourPropertyPage;
class QTabWidget;

class CColourPropertySheet : public CModalDialog {
    Q_OBJECT
public:
    // strTitle (Windows-1252) is the window title and names the remembered-page file.
    explicit CColourPropertySheet(const std::string& strTitle, QWidget* pParent = nullptr, int nSelectPage = 0);
    ~CColourPropertySheet() override;

    // Adds a page as the next tab; the page stays owned by the caller.
    void AddPage(CColourPropertyPage& page);
    int GetPageCount() const { return static_cast<int>(m_pages.size()); }
    CColourPropertyPage* GetPage(int nIndex) const;
    // Before the sheet is shown: the page the sheet opens on.
    int GetActiveIndex() const;
    CColourPropertyPage* GetActivePage() const { return GetPage(GetActiveIndex()); }
    // False for an index outside the pages.
    bool SetActivePage(int nIndex);
    const std::string& GetTitle() const { return m_strTitle; }

protected:
    bool OnInitDialog() override;
    // Every command (the buttons, Enter, Escape) first saves the active page.
    void OnCommand(int nId) override;
    virtual void OnOK() { EndDialog(kIdOk); }
    virtual void OnCancel() { EndDialog(kIdCancel); }
    void showEvent(QShowEvent* pEvent) override;

    QColor m_crBackground;
    QColor m_crText;
    QBrush m_brBackground;
    bool m_bShowCancel = true;
    bool m_bShowOk = true;
    CColourButton m_btnOk;
    CColourButton m_btnCancel;

private:
    void SaveActivePage() const;
    void RestoreActivePage();
    std::string RememberedPageFile() const;
    void PlaceButtons();

    std::string m_strTitle;
    int m_nStartPage;
    std::vector<CColourPropertyPage*> m_pages;
    QTabWidget* m_pTabs = nullptr;
};
