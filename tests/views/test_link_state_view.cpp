#include "views/link_state_view.h"

#include <QLabel>
#include <gtest/gtest.h>

namespace {

TEST(LinkStateView, ShowsTheStateAfterTheTitleAndDimsStaleValuesUntilDataComes)
{
    using enum ELinkState;
    const std::string strTitle = "Datalogger - COM Port 05 Baudrate 4800";
    QWidget window;
    QLabel field(&window);
    CLinkStateView view(window);
    view.SetTitle(strTitle);
    view.AddStaleWidget(field);
    const struct {
        ELinkState eState;
        int nSilentSeconds;
        std::string strShownTitle;
        bool bStale;
        bool bJustGone;  // the receiver has just gone away
    } steps[] = {
        {kReading, 0, strTitle, false, false},
        {kSilent, 16, strTitle + " - No data for 16 s", true, false},
        {kSilent, 17, strTitle + " - No data for 17 s", true, false},
        {kReading, 0, strTitle, false, false},
        {kGone, 0, strTitle + " - Receiver unplugged: waiting for it", true, true},
        {kReopening, 0, strTitle + " - Receiver back: opening it again", true, false},
        {kGone, 0, strTitle + " - Receiver unplugged: waiting for it", true, false},
        {kReopening, 0, strTitle + " - Receiver back: opening it again", true, false},
        {kReading, 0, strTitle, false, false},
        {kReading, 0, strTitle, false, false},
        {kSilent, 16, strTitle + " - No data for 16 s", true, false},
        // A window that stops its link keeps what it shows.
        {kStopped, 0, strTitle, true, false},
    };
    for (const auto& step : steps) {
        const std::string strStep = step.strShownTitle + (step.bStale ? " (stale)" : "");
        EXPECT_EQ(view.Show(step.eState, step.nSilentSeconds), step.bJustGone) << strStep;
        EXPECT_EQ(window.windowTitle().toStdString(), step.strShownTitle);
        EXPECT_EQ(view.IsStale(), step.bStale) << strStep;
        EXPECT_EQ(field.graphicsEffect() != nullptr, step.bStale) << strStep;
    }
}

TEST(LinkStateView, ALostNetworkReceiverIsNotCalledUnplugged)
{
    EXPECT_EQ(CLinkStateView::StateText(ELinkState::kGone, 0, true), "Connection lost: trying again");
    EXPECT_EQ(CLinkStateView::StateText(ELinkState::kSilent, 20, true), "No data for 20 s");
}

} // namespace
