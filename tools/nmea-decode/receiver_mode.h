#pragma once
// nmea-decode --receiver: the serial link of a monitor window, run without a window. It
// finds the receiver, probes it, starts the comms thread and decodes the lines the thread's
// messages announce, printing each line's JSON as it arrives.

#include "tools/nmea-decode/line_decoder.h"

inline constexpr int kExitNoReceiver = 3;
inline constexpr int kExitNoData = 4;

// Reads for dSeconds after the link has started (until SIGINT or SIGTERM when dSeconds is 0)
// and returns the exit status: 0, kExitNoReceiver or kExitNoData (after telling why on
// standard error).
int DecodeReceiver(CLineDecoder& decoder, double dSeconds);
