#include "platform/qt/template_window.h"

#include "platform/qt/text_codec.h"
#include "platform/qt/theme.h"

#include <QAbstractButton>
#include <QGroupBox>
#include <QLabel>
#include <stdexcept>

CTemplateWindow::CTemplateWindow(QWidget& window, int nTemplateId)
    : m_crBackground(theme::kBackground),
      m_crText(theme::kText),
      m_brBackground(m_crBackground),
      m_window(window),
      m_nTemplateId(nTemplateId)
{
    theme::ApplyWindowColours(m_window, m_brBackground, m_crText);
}

const SDlgTemplate& CTemplateWindow::Template() const
{
    const SDlgTemplate* pTemplate = FindDialogTemplate(m_nTemplateId);
    if (!pTemplate)
        throw std::logic_error("no dialog template " + std::to_string(m_nTemplateId));
    return *pTemplate;
}

void CTemplateWindow::CreateControls()
{
    if (m_controls.IsCreated())
        return;
    DoDataExchange();
    m_controls.Create(Template(), m_window, [this](int nId) { OnCommand(nId); });
}

void CTemplateWindow::SetColours(const QColor& crBackground, const QColor& crText)
{
    m_crBackground = crBackground;
    m_crText = crText;
    m_brBackground = QBrush(crBackground);
    theme::ApplyWindowColours(m_window, m_brBackground, m_crText);
}

void CTemplateWindow::SetDlgItemText(int nId, const std::string& strText)
{
    QWidget* pControl = GetDlgItem(nId);
    const QString text = ToQString(strText);
    if (auto* pLabel = dynamic_cast<QLabel*>(pControl))
        pLabel->setText(text);
    else if (auto* pButton = dynamic_cast<QAbstractButton*>(pControl))
        pButton->setText(text);
    else if (auto* pGroup = dynamic_cast<QGroupBox*>(pControl))
        pGroup->setTitle(text);
}

std::string CTemplateWindow::GetDlgItemText(int nId) const
{
    QWidget* pControl = GetDlgItem(nId);
    if (auto* pLabel = dynamic_cast<QLabel*>(pControl))
        return FromQString(pLabel->text());
    if (auto* pButton = dynamic_cast<QAbstractButton*>(pControl))
        return FromQString(pButton->text());
    if (auto* pGroup = dynamic_cast<QGroupBox*>(pControl))
        return FromQString(pGroup->title());
    return {};
}
