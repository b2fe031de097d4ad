#pragma once

#include <string>

// The line settings a port is opened with, in the shape of the mode text
// "COMn:baud,parity,data,stop" that SetPort builds and parses.
struct LineSettings
{
    enum Parity
    {
        NoParity = 0,
        OddParity = 1,
        EvenParity = 2,
        MarkParity = 3,
        SpaceParity = 4
    };
    enum StopBits
    {
        OneStopBit = 0,
        OneAndHalfStopBits = 1,
        TwoStopBits = 2
    };

    int BaudRate = 0;
    int ByteSize = 0;
    int Parity = NoParity;
    int StopBits = OneStopBit;
    bool fDtrControl = false; // DTR raised while the port is open
    bool fRtsControl = false; // RTS raised while the port is open
    bool fOutX = false; // XON/XOFF flow control
    bool fInX = false;
    bool fOutxCtsFlow = false; // hardware flow control
    bool fOutxDsrFlow = false;
};

// "N" "O" "E" "M" "S" for the parity index, "1" "1.5" "2" for the stop-bits index; "" for
// an index outside the tables.
const char* ParityWord(int parity);
const char* StopBitsWord(int stopBits);

// "COM%d:%d,%s,%d,%s" of the port number and the settings.
std::string ModeText(int port, const LineSettings& settings);

// Rebuilds settings from a mode text "[COMn:]baud,parity,data,stop". A text without a flow
// option leaves flow control off and DTR and RTS raised. Returns false and leaves settings
// unchanged when the text does not parse.
bool BuildLineSettings(const std::string& mode, LineSettings& settings);
