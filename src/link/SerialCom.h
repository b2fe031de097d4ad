#pragma once

#include "link/LineSettings.h"

#include <QSerialPort>

#include <memory>
#include <string>

// One serial port of the logger link, used only from the user-interface thread.
//
// The link is open exactly while m_hComm is set (IsOpen()). A line that goes away while
// open (adapter pulled, pseudo-terminal closed) closes the port by itself: the wait that
// notices it returns, the bytes received before are still read, and after them the link
// counts as closed.
//
// Every wait of the link runs WaitSlice(): up to SliceMs() (100 ms) for input, returning as
// soon as bytes arrive, then the pending Qt events are processed, so handlers still run
// while the link waits. Tests shorten the slice with SetSliceMs(); slice counts do not
// change with it, and SliceCount() lets tests check them.
class CSerialCom final
{
public:
    // Slices ReadByte waits for one byte before it gives up (about one second).
    static constexpr int ByteWaitSlices = 10;
    static constexpr int DefaultSliceMs = 100;
    static constexpr int QueueSize = 4096;
    // The port numbers a COM name can carry; any other number names no port.
    static constexpr int MaxPortNumber = 256;
    static bool IsPortNumber(int n) { return n >= 1 && n <= MaxPortNumber; }

    CSerialCom();
    ~CSerialCom();
    CSerialCom(const CSerialCom&) = delete;
    CSerialCom& operator=(const CSerialCom&) = delete;

    // Stores the port number and rebuilds the line settings from the mode text
    // "COM%d:%d,%s,%d,%s"; a text that does not parse keeps the earlier settings.
    void SetPort(short nPort);
    // 38400 baud, 8 data bits, no parity, one stop bit, DTR and RTS on; flow control stays
    // as SetPort left it (off). Call after SetPort and before Open.
    void SetLoggerLine();
    // Opens the device of COM m_nPort (ComDeviceName) with the line settings, closing an
    // open port first and discarding anything queued. A DTR, RTS or line setting the device
    // refuses is not an error. False when the device cannot be opened; OpenFailure() then
    // says which device it was and why.
    bool Open();
    // The device and the system's reason of the last failed Open; empty after one that
    // succeeded.
    const std::string& OpenFailure() const { return m_openFailure; }
    void Close();
    // The next received byte, or 0 when none came within ByteWaitSlices slices or the line
    // is closed or gone.
    char ReadByte();

    bool IsOpen() const { return m_hComm != nullptr; }
    // The line has gone away; the link stays open only for what came before, until it is
    // read or the link is closed.
    bool IsLineLost() const { return m_bLineLost; }

    // The pieces of one command exchange (CPort::SendCommand).
    void PurgeInput();
    void PurgeOutput();
    // Queues the bytes and pushes them towards the device without waiting for them.
    void Write(const std::string& bytes);
    // Bytes received and not yet read; looks at the device without waiting.
    int QueuedBytes();
    void WaitSlice();

    static void SetSliceMs(int ms);
    static int SliceMs();
    long long SliceCount() const { return m_nSlices; }

    short PortNumber() const { return m_nPort; }
    const LineSettings& Settings() const { return m_dcb; }
    std::string CurrentModeText() const { return ModeText(m_nPort, m_dcb); }
    // The open device, for tests that check what was applied; nullptr while closed.
    const QSerialPort* Device() const { return m_hComm.get(); }

private:
    void ApplySettings(QSerialPort& port) const;
    void OnError(QSerialPort::SerialPortError error);
    void CloseIfLost();

    std::unique_ptr<QSerialPort> m_hComm;
    LineSettings m_dcb;
    short m_nPort = 1;
    bool m_bLineLost = false;
    std::string m_tail; // received before the line went away, not yet read
    std::string m_openFailure;
    long long m_nSlices = 0;
};
