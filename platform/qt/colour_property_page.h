#pragma once
// A themed page of a property sheet. Its controls are created from its template the first
// time its tab is shown; until then the page has no window (HasControls is false).
#include "platform/qt/template_window.h"

#include <QWidget>
#include <string>

class CColourPropertyPage : public QWidget, public CTemplateWindow {
    Q_OBJECT
public:
    explicit CColourPropertyPage(int nTemplateId);

    // The tab's caption: the template's caption unless the sheet gives another one.
    const std::string& GetCaption() const { return m_strCaption; }
    void SetCaption(const std::string& strCaption) { m_strCaption = strCaption; }

    // Called by the sheet: the first activation creates the controls and runs OnInitDialog.
    void Activate();
    virtual bool OnInitDialog() { return true; }
    virtual bool OnSetActive() { return true; }
    virtual void OnReset() {}

    // The template's size, by which the sheet sizes its tabs.
    QSize sizeHint() const override;

protected:
    void OnCommand(int) override {}

private:
    std::string m_strCaption;
};
