#pragma once
// What the themed dialogs and property pages share: a window built from its dialog
// template, with controls addressed by identifier, and the background and text colours.
#include "platform/qt/dialog_builder.h"

#include <QBrush>
#include <QColor>
#include <string>

class QWidget;

class CTemplateWindow {
public:
    CTemplateWindow(const CTemplateWindow&) = delete;
    CTemplateWindow& operator=(const CTemplateWindow&) = delete;

    int GetTemplateId() const { return m_nTemplateId; }
    // Whether the window's controls exist (they are created when it is first shown).
    bool HasControls() const { return m_controls.IsCreated(); }
    QWidget* GetDlgItem(int nId) const { return m_controls.Get(nId); }
    template <class T>
    T* GetDlgItemAs(int nId) const { return dynamic_cast<T*>(GetDlgItem(nId)); }
    // Sets the text of a static, button or group box; harmless before the controls exist.
    void SetDlgItemText(int nId, const std::string& strText);
    std::string GetDlgItemText(int nId) const;

    // Sets the colours again and re-creates the background brush.
    void SetColours(const QColor& crBackground, const QColor& crText);

protected:
    CTemplateWindow(QWidget& window, int nTemplateId);
    virtual ~CTemplateWindow() = default;

    // Binds members to controls with DdxControl; runs once, just before the controls exist.
    virtual void DoDataExchange() {}
    void DdxControl(int nId, QWidget& control) { m_controls.Bind(nId, control); }
    // A push button of the window was clicked.
    virtual void OnCommand(int nId) = 0;

    // Creates the controls from the template (once) and applies the colours.
    void CreateControls();
    const SDlgTemplate& Template() const;

    QColor m_crBackground;
    QColor m_crText;
    QBrush m_brBackground;

private:
    QWidget& m_window;
    int m_nTemplateId;
    CDialogControls m_controls;
};
