#include "serial/QtSerialBytePort.h"

#include <QMetaObject>
#include <QString>

#include <utility>

#include "serial/PortNames.h"

namespace tessaro {
namespace {

QSerialPort::Parity QtParity(char parity) {
  switch (parity) {
    case 'E':
      return QSerialPort::EvenParity;
    case 'O':
      return QSerialPort::OddParity;
    default:
      return QSerialPort::NoParity;
  }
}

QSerialPort::DataBits QtDataBits(int dataBits) {
  return dataBits == 7 ? QSerialPort::Data7 : QSerialPort::Data8;
}

QSerialPort::StopBits QtStopBits(int stopBits) {
  return stopBits == 2 ? QSerialPort::TwoStop : QSerialPort::OneStop;
}

// Errors after which the device cannot be trusted any more: a pulled adapter
// or an ended pseudo-terminal.
bool MeansDeviceLost(QSerialPort::SerialPortError error) {
  return error == QSerialPort::ReadError || error == QSerialPort::WriteError ||
         error == QSerialPort::ResourceError;
}

constexpr auto kPollSpacing = std::chrono::milliseconds(20);

}  // namespace

QtSerialBytePort::QtSerialBytePort()
    : QtSerialBytePort([](int portNumber) { return PortDeviceName(portNumber); }) {}

QtSerialBytePort::QtSerialBytePort(DeviceNaming naming) : naming_(std::move(naming)) {}

QtSerialBytePort::~QtSerialBytePort() {
  DeleteRetired();
  if (port_) port_->disconnect();
}

bool QtSerialBytePort::PortOpen() const { return port_ != nullptr && port_->isOpen() && !lost_; }

template <class Handler>
void QtSerialBytePort::InSignal(Handler handler) {
  ++signalDepth_;
  handler();
  --signalDepth_;
}

void QtSerialBytePort::Retire(std::unique_ptr<QSerialPort> port) {
  if (!port) return;
  QSerialPort* raw = port.release();
  raw->disconnect();
  // The destructor closes a port that is still open.
  raw->deleteLater();
  retired_.emplace_back(raw);
}

void QtSerialBytePort::DeleteRetired() {
  if (signalDepth_ > 0) return;
  for (QPointer<QSerialPort>& port : retired_) delete port.data();
  retired_.clear();
}

bool QtSerialBytePort::Open(int portNumber, const LineSettings& settings) {
  if (PortOpen() || portNumber < 1) return false;
  const std::string device = naming_(portNumber);
  if (device.empty()) return false;

  // A fresh object per open: nothing of a lost device's state carries over.
  if (port_) Close();
  auto port = std::make_unique<QSerialPort>();
  QSerialPort* raw = port.get();
  QObject::connect(raw, &QSerialPort::errorOccurred, raw, [this, raw](QSerialPort::SerialPortError error) {
    InSignal([&] { OnError(*raw, error); });
  });
  QObject::connect(raw, &QIODevice::readyRead, raw, [this] {
    InSignal([&] {
      if (arrival_) arrival_();
    });
  });

  port->setPortName(QString::fromLocal8Bit(device.data(), static_cast<qsizetype>(device.size())));
  port->setFlowControl(settings.rtsCtsHandshake ? QSerialPort::HardwareControl
                                                : QSerialPort::NoFlowControl);
  port->setBaudRate(settings.baud);
  port->setParity(QtParity(settings.parity));
  port->setDataBits(QtDataBits(settings.dataBits));
  port->setStopBits(QtStopBits(settings.stopBits));

  opening_ = true;
  const bool opened = port->open(QIODevice::ReadWrite);
  if (opened) {
    // A pseudo-terminal has no modem lines; that is no reason to refuse it.
    // Under RTS/CTS the driver owns RTS.
    if (!settings.rtsCtsHandshake) port->setRequestToSend(settings.rts);
    port->setDataTerminalReady(settings.dtr);
  }
  opening_ = false;
  if (!opened) {
    Retire(std::move(port));
    return false;
  }
  port_ = std::move(port);
  lost_ = false;
  return true;
}

bool QtSerialBytePort::Close() {
  if (port_ && port_->isOpen() && signalDepth_ == 0) {
    port_->close();
    if (port_->isOpen()) return false;
  }
  DeleteRetired();
  Retire(std::move(port_));
  lost_ = false;
  return true;
}

bool QtSerialBytePort::IsOpen() {
  PollWhenDue();
  return PortOpen();
}

int QtSerialBytePort::ReadByte() {
  if (!PortOpen()) return -1;
  if (port_->bytesAvailable() == 0) PollWhenDue();
  if (!PortOpen()) return -1;
  char byte = 0;
  if (!port_->getChar(&byte)) return -1;
  return static_cast<uint8_t>(byte);
}

bool QtSerialBytePort::WriteByte(uint8_t value) {
  if (!PortOpen()) return false;
  const char byte = static_cast<char>(value);
  if (port_->write(&byte, 1) != 1) {
    Shut(*port_);
    return false;
  }
  // Without an event loop nothing else would move the byte to the device.
  port_->flush();
  return PortOpen();
}

void QtSerialBytePort::DiscardInput() {
  if (!PortOpen()) return;
  port_->clear(QSerialPort::Input);
  port_->skip(port_->bytesAvailable());
}

void QtSerialBytePort::PollWhenDue() {
  // With an arrival handler the event loop runs: the port's own signals
  // bring the bytes and report a vanished device.
  if (!PortOpen() || arrival_) return;
  const auto now = std::chrono::steady_clock::now();
  if (now - lastPoll_ < kPollSpacing) return;
  lastPoll_ = now;
  // Bytes a partial write left behind go out now.
  if (port_->bytesToWrite() > 0) port_->flush();
  if (PortOpen() && port_->bytesAvailable() == 0) port_->waitForReadyRead(0);
}

void QtSerialBytePort::OnError(QSerialPort& port, int error) {
  const auto code = static_cast<QSerialPort::SerialPortError>(error);
  if (code == QSerialPort::NoError || code == QSerialPort::TimeoutError) return;
  ++errorSignals_;
  // Open reports its own failure, and missing modem lines are no failure.
  if (opening_ || !MeansDeviceLost(code)) return;
  Shut(port);
}

void QtSerialBytePort::Shut(QSerialPort& port) {
  // Closing stops the port's notifier, which would otherwise report the
  // same error over and over; inside the port's signal it waits for the
  // loop's next turn.
  if (!port.isOpen()) return;
  if (signalDepth_ == 0) {
    port.close();
    return;
  }
  lost_ = true;
  QMetaObject::invokeMethod(
      &port,
      [&port] {
        if (port.isOpen()) port.close();
      },
      Qt::QueuedConnection);
}

}  // namespace tessaro
