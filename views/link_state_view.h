#pragma once
// What a monitor window shows of its receiver link, the same in every such window: the
// link's state after the window's own title ("No data for 20 s", "Receiver unplugged:
// waiting for it"; nothing while data comes), and the values the window shows dimmed while
// they are stale, until data comes again. The window's layout stays as it is.
#include "serial/receiver_link.h"

#include <QWidget>
#include <string>
#include <vector>

// The opacity at which stale values are drawn.
inline constexpr double kStaleOpacity = 0.4;

class CLinkStateView
{
public:
    explicit CLinkStateView(QWidget& window) : m_window(window) {}

    // The title the window has while data comes; the state is shown after it.
    void SetTitle(const std::string& strTitle);
    // Whether the receiver is on the network, which changes the words for a lost receiver.
    void SetNetwork(bool bNetwork) { m_bNetwork = bNetwork; }
    // A widget whose contents are dimmed while the values are stale.
    void AddStaleWidget(QWidget& widget);

    // Shows the link's state. True when the receiver has just gone away, so that the window
    // can mark the gap in what it keeps before anything after the gap arrives.
    bool Show(ELinkState eState, int nSilentSeconds);
    bool IsStale() const { return m_bStale; }

    // The words for a state; empty while data comes.
    static std::string StateText(ELinkState eState, int nSilentSeconds, bool bNetwork = false);

private:
    void ShowTitle();
    void MarkStale(bool bStale);

    QWidget& m_window;
    std::string m_strTitle;
    std::string m_strState;
    std::vector<QWidget*> m_staleWidgets;
    bool m_bStale = false;
    bool m_bNetwork = false;
    bool m_bWasGone = false;
};
