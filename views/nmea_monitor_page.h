#pragma once
// The "NMEA Monitor" page: the received sentences as text, newest on top, and the counts of
// the six sentence types the monitor decodes. Turning to the page, or "Reset", empties the
// list and zeroes the counts.
#include "views/ascii_list_box.h"
#include "views/colour_button.h"
#include "platform/qt/colour_property_page.h"
#include "views/sentence_counts.h"

class CNmeaGpsMonitorPP : public CColourPropertyPage
{
    Q_OBJECT
public:
    enum : int
    {
        kIdList = 1040,
        kIdReset = 1041
    };

    CNmeaGpsMonitorPP();

    // One complete sentence, NUL-terminated, line end included; false only for null.
    bool AddSentence(const char* pText);
    void OnReset() override;
    bool OnSetActive() override;

    const CSentenceCounts& Counts() const { return m_counts; }

    CAsciiListBox m_list;
    CColourButton m_btnReset;

protected:
    void DoDataExchange() override;
    bool OnInitDialog() override;
    void OnCommand(int nId) override;

private:
    void ShowCount(int nType);

    CSentenceCounts m_counts;
};
