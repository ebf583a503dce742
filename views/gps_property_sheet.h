#pragma once
// The live GPS monitor: a sheet titled "GPS" with seven pages. It owns the receiver's link
// for as long as it exists, takes every received line out of the port's ring, decodes the
// sentences it uses and pushes the results into the pages.
#include "charts/dop_sat_page.h"
#include "charts/lat_lon_ht_page.h"
#include "charts/satellite_pages.h"
#include "charts/scatter_plot_page.h"
#include "serial/receiver_link.h"
#include "views/colour_property_sheet.h"
#include "views/gps_monitor_core.h"
#include "views/gps_text_page.h"
#include "views/link_state_view.h"
#include "views/nmea_monitor_page.h"

class IPrompt;

class CGpsPropertySheet : public CColourPropertySheet, private IGpsMonitorPages
{
    Q_OBJECT
public:
    // Builds the pages and starts the link: search, probes, comms thread. When the receiver
    // or its data cannot be found the user has been told, and the sheet ends as soon as it
    // is run.
    explicit CGpsPropertySheet(IPrompt& prompt, const SComsPacing& pacing = {});
    ~CGpsPropertySheet() override;

    // Message handlers.
    LParam OnReceiveData(WParam wParam, LParam lParam);
    // The link's state after the title "GPS"; the pages dimmed while their values are stale.
    LParam OnLinkState(WParam wParam, LParam lParam);
    LParam OnResetGraph(WParam wParam, LParam lParam);
    LParam OnResetTimeSpan(WParam wParam, LParam lParam);
    LParam OnResetYSpan(WParam wParam, LParam lParam);
    void OnBnClickedOk();

    bool IsLinkRunning() const { return m_link.IsRunning(); }

    CGpsTextPP m_pageText;
    CNmeaGpsMonitorPP m_pageNmea;
    CSatVizPP m_pageSatViz;
    CSatellitePP m_pageSatellites;
    CDopSatPP m_pageDopSat;
    CScatterPlotPP m_pageScatter;
    CLatLonHtPP m_pageLatLonHt;
    CGpsMonitorCore m_core{*this};

protected:
    bool OnInitDialog() override;
    void OnOK() override { OnBnClickedOk(); }
    // Escape goes through the same question and shut-down as "Ok".
    void OnCancel() override { OnBnClickedOk(); }

private:
    // The pages as the dispatch of received lines drives them.
    void AddSentence(const char* pLine) override;
    CGpsTextFields& TextFields() override { return m_pageText.Fields(); }
    void TextFieldsChanged() override { m_pageText.ShowFields(); }
    void AddScatterPosition(double dLat, double dLon) override;
    void AddGraphPosition(double dLat, double dLon, double dHeight) override;
    void UpdateDop(double dHdop, double dPdop, double dVdop, int nSatsUsed,
                   int nSatsInView) override;
    void SatellitesChanged() override;

    IPrompt& m_prompt;
    CReceiverLink m_link;
    CLinkStateView m_linkView{*this};
    bool m_bStarted = false;
};
