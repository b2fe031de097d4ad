#include "link/SerialCom.h"

#include "link/ComDevice.h"
#include "link/PortOpenFailure.h"
#include "platform/DebugTrace.h"

#include <QCoreApplication>
#include <QPointer>

namespace {
int g_sliceMs = CSerialCom::DefaultSliceMs;

QSerialPort::Parity QtParity(int parity)
{
    switch (parity) {
    case LineSettings::OddParity:
        return QSerialPort::OddParity;
    case LineSettings::EvenParity:
        return QSerialPort::EvenParity;
    case LineSettings::MarkParity:
        return QSerialPort::MarkParity;
    case LineSettings::SpaceParity:
        return QSerialPort::SpaceParity;
    default:
        return QSerialPort::NoParity;
    }
}

QSerialPort::StopBits QtStopBits(int stopBits)
{
    switch (stopBits) {
    case LineSettings::OneAndHalfStopBits:
        return QSerialPort::OneAndHalfStop;
    case LineSettings::TwoStopBits:
        return QSerialPort::TwoStop;
    default:
        return QSerialPort::OneStop;
    }
}
} // namespace

CSerialCom::CSerialCom()
{
    BuildLineSettings("COM1:9600,N,8,1", m_dcb);
}

CSerialCom::~CSerialCom()
{
    Close();
}

void CSerialCom::SetSliceMs(int ms)
{
    g_sliceMs = ms > 0 ? ms : DefaultSliceMs;
}

int CSerialCom::SliceMs()
{
    return g_sliceMs;
}

void CSerialCom::SetPort(short nPort)
{
    m_nPort = nPort;
    BuildLineSettings(ModeText(nPort, m_dcb), m_dcb);
}

void CSerialCom::SetLoggerLine()
{
    m_dcb.BaudRate = 38400;
    m_dcb.ByteSize = 8;
    m_dcb.Parity = LineSettings::NoParity;
    m_dcb.StopBits = LineSettings::OneStopBit;
    m_dcb.fDtrControl = true;
    m_dcb.fRtsControl = true;
}

bool CSerialCom::Open()
{
    Close();
    const std::string device = ComDeviceName(m_nPort);
    auto port = std::make_unique<QSerialPort>();
    port->setPortName(QString::fromLocal8Bit(device));
    if (!port->open(QIODevice::ReadWrite)) {
        m_openFailure = DescribeOpenFailure(m_nPort, device, *port);
        DebugTrace("port open fail: %s\r\n", m_openFailure.c_str());
        return false;
    }
    m_openFailure.clear();
    ApplySettings(*port);
    port->clear(QSerialPort::AllDirections);
    port->clearError();
    QObject::connect(port.get(), &QSerialPort::errorOccurred, port.get(),
        [this](QSerialPort::SerialPortError error) { OnError(error); });
    m_bLineLost = false;
    m_hComm = std::move(port);
    return true;
}

// Refused settings are not detected, as on the original line: the port runs with what the
// driver kept. A pseudo-terminal refuses DTR and RTS.
void CSerialCom::ApplySettings(QSerialPort& port) const
{
    port.setBaudRate(m_dcb.BaudRate);
    port.setDataBits(static_cast<QSerialPort::DataBits>(m_dcb.ByteSize));
    port.setParity(QtParity(m_dcb.Parity));
    port.setStopBits(QtStopBits(m_dcb.StopBits));
    if (m_dcb.fOutxCtsFlow)
        port.setFlowControl(QSerialPort::HardwareControl);
    else if (m_dcb.fOutX || m_dcb.fInX)
        port.setFlowControl(QSerialPort::SoftwareControl);
    else
        port.setFlowControl(QSerialPort::NoFlowControl);
    port.setDataTerminalReady(m_dcb.fDtrControl);
    if (!m_dcb.fOutxCtsFlow)
        port.setRequestToSend(m_dcb.fRtsControl);
}

void CSerialCom::Close()
{
    if (!m_hComm)
        return;
    if (m_hComm->isOpen()) {
        m_hComm->clear(QSerialPort::AllDirections);
        m_hComm->close();
    }
    m_hComm->disconnect();
    m_hComm.reset();
    m_bLineLost = false;
    m_tail.clear();
}

// Errors that mean the device is gone. The port is closed from the next wait (or from the
// event loop), never from inside the port's own signal.
void CSerialCom::OnError(QSerialPort::SerialPortError error)
{
    if (error != QSerialPort::ResourceError && error != QSerialPort::ReadError
        && error != QSerialPort::WriteError)
        return;
    m_bLineLost = true;
    // The application object carries the close; a port already gone (with its owner) makes
    // it a no-op.
    if (QCoreApplication* app = QCoreApplication::instance()) {
        const QPointer<QSerialPort> lost(m_hComm.get());
        QMetaObject::invokeMethod(
            app,
            [this, lost] {
                if (lost)
                    CloseIfLost();
            },
            Qt::QueuedConnection);
    }
}

// Bytes that arrived before the line went away are still delivered (a complete reply line
// is kept); the device itself is closed at once, and the link counts as closed once they
// have been read.
void CSerialCom::CloseIfLost()
{
    if (!m_bLineLost || !m_hComm)
        return;
    if (m_hComm->isOpen()) {
        m_tail += m_hComm->readAll().toStdString();
        m_hComm->close();
    }
    if (m_tail.empty())
        Close();
}

void CSerialCom::PurgeInput()
{
    m_tail.clear();
    if (m_hComm && m_hComm->isOpen())
        m_hComm->clear(QSerialPort::Input);
    CloseIfLost();
}

void CSerialCom::PurgeOutput()
{
    if (m_hComm && m_hComm->isOpen())
        m_hComm->clear(QSerialPort::Output);
    CloseIfLost();
}

void CSerialCom::Write(const std::string& bytes)
{
    CloseIfLost();
    if (!m_hComm || m_bLineLost)
        return;
    m_hComm->write(bytes.data(), static_cast<qint64>(bytes.size()));
    m_hComm->flush();
    CloseIfLost();
}

int CSerialCom::QueuedBytes()
{
    if (m_hComm && !m_bLineLost && m_hComm->bytesAvailable() == 0) {
        // A zero wait only takes in what the device already holds.
        m_hComm->waitForReadyRead(0);
        if (m_hComm->error() == QSerialPort::TimeoutError)
            m_hComm->clearError();
    }
    CloseIfLost();
    if (!m_hComm)
        return 0;
    return m_bLineLost ? static_cast<int>(m_tail.size())
                       : static_cast<int>(m_hComm->bytesAvailable());
}

void CSerialCom::WaitSlice()
{
    ++m_nSlices;
    if (m_hComm && !m_bLineLost && m_hComm->bytesAvailable() == 0) {
        m_hComm->waitForReadyRead(g_sliceMs);
        if (m_hComm->error() == QSerialPort::TimeoutError)
            m_hComm->clearError();
    }
    if (QCoreApplication::instance())
        QCoreApplication::processEvents();
    CloseIfLost();
}

char CSerialCom::ReadByte()
{
    int queued = QueuedBytes();
    for (int slice = 0; queued == 0 && slice < ByteWaitSlices && IsOpen(); ++slice) {
        WaitSlice();
        queued = QueuedBytes();
    }
    char byte = 0;
    if (queued == 0)
        return byte;
    if (m_bLineLost) {
        byte = m_tail.front();
        m_tail.erase(0, 1);
    } else if (!m_hComm->getChar(&byte)) {
        byte = 0;
    }
    return byte;
}
