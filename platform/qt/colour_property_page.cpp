#include "platform/qt/colour_property_page.h"

CColourPropertyPage::CColourPropertyPage(int nTemplateId)
    : QWidget(nullptr), CTemplateWindow(*this, nTemplateId), m_strCaption(Template().strCaption)
{
    setFixedSize(TemplateClientSize(Template()));
}

void CColourPropertyPage::Activate()
{
    if (!HasControls()) {
        CreateControls();
        OnInitDialog();
    }
    OnSetActive();
}

QSize CColourPropertyPage::sizeHint() const
{
    return TemplateClientSize(Template());
}
