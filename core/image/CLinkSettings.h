// CLinkSettings: the serial link settings of the device commands, kept by CE2prom and
// handed to the port when it opens.
#pragma once

struct CLinkSettings {
    int lineTerminator = 0; // character that ends every line sent and received: 13
    int portIndex = 0;      // 0 = COM1 ... 3 = COM4
    int baudRate = 0;
    char parity = 'N';
    int dataBits = 0;
    int stopBits = 0;
    int attemptLimit = 0;  // connection attempts
    int replyExpected = 1; // every line written to the unit is answered by one line
};
