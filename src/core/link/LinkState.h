#pragma once

#include <cstdint>

namespace zorvex {

// The process-wide link settings and switches, shared by the shell, the connection logic,
// the queue and the log window. One instance lives in the object graph.
struct LinkState {
    int16_t CommPort = 1;            // serial port number, 1..8 offered
    int16_t ConnectRetryLimit = 5;   // tries per connection attempt
    bool CommLogEnabled = false;     // received traffic goes to the communication log
    bool AutoPingEnabled = true;     // keep-alive pings allowed
    bool XmitQueueOverride = false;  // typed keys go straight to the port
};

}  // namespace zorvex
