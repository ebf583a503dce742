#pragma once
// The "GPS Data" page: twelve large fields with the latest position, height, dilution of
// precision, satellite counts, fix state, course and speed. The fix state is shown in red,
// orange or green. The page computes nothing: it shows the texts of its CGpsTextFields.
#include <QFont>

#include "platform/qt/colour_property_page.h"
#include "views/gps_text_fields.h"

class CGpsTextPP : public CColourPropertyPage
{
    Q_OBJECT
public:
    CGpsTextPP();

    // One decoded GGA sentence (angles in radians, metres).
    void UpdatePosition(double dLat, double dLon, double dHeight, double dSeparation, int nSatsUsed,
                        double dHdop, int nFixState);

    // The fields; after changing them, ShowFields puts them on the page.
    CGpsTextFields& Fields() { return m_fields; }
    // Shows the fields' texts and the fix colour; until the page's window exists the texts
    // are kept and shown when it appears.
    void ShowFields();

protected:
    bool OnInitDialog() override;

private:
    CGpsTextFields m_fields;
    QFont m_font;
    unsigned m_nShownRevision = 0;
};
