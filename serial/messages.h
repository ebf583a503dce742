#pragma once
// The messages the serial link and the graph pages post to windows. Each number comes from
// the message's registration string, so every module that includes this header agrees on it.
//
// UM_RECEIVE_DATA      comms thread -> owner: wParam port number, lParam SRxRing* of the port
// UM_DATA_TIMEOUT      comms thread -> owner, once per silence: wParam port number, lParam 0
// UM_RS232_PORT_FOUND  comms thread -> owner after an auto-baud pass: wParam port number,
//                      lParam the sentence type's three letters (first in the lowest byte)
//                      or -1 when the search failed
// UM_LINK_STATE        receiver link -> owner when the link's state changes, and each
//                      second while it is silent: wParam port number, lParam the new
//                      ELinkState (see serial/receiver_link.h)
// UM_RESET_GRAPH, UM_RESET_TIME_SPAN, UM_RESET_Y_SPAN: graph pages -> GPS sheet

#include "platform/window_messages.h"

inline const MessageId UM_RECEIVE_DATA =
    RegisterWindowMessage("UM_RECEIVE_DATA-{DD9FC8F8-082F-44C1-832B-8D75C832129A}");
inline const MessageId UM_DATA_TIMEOUT =
    RegisterWindowMessage("UM_DATA_TIMEOUT-{2E7B1758-0EF5-4223-BB67-95FCFB8AA1C6}");
inline const MessageId UM_RS232_PORT_FOUND =
    RegisterWindowMessage("UM_RS232_PORT_FOUND-{37CC25F6-DF52-462B-BEA9-1216FA2DAF8D}");
inline const MessageId UM_LINK_STATE =
    RegisterWindowMessage("UM_LINK_STATE-{DDC74F89-6AB2-4773-A8CA-564A7CB9ED31}");
inline const MessageId UM_RESET_GRAPH =
    RegisterWindowMessage("UM_RESET_GRAPH-{26B62658-F4B5-492A-A1EB-45FD645A5CF1}");
inline const MessageId UM_RESET_TIME_SPAN =
    RegisterWindowMessage("UM_RESET_TIME_SPAN-{CDEB9DB6-A4F7-4D10-8A0A-31B09A7C915E}");
inline const MessageId UM_RESET_Y_SPAN =
    RegisterWindowMessage("UM_RESET_Y_SPAN-{642855E3-0920-4AC3-80F7-48C2FDC356DB}");
