#include "serial/WinSerialBytePort.h"

#include <windows.h>

#include <QWinEventNotifier>

#include <utility>

#include "serial/PortNames.h"
#include "serial/WinComDevice.h"

namespace tessaro {
namespace {

// A pulled adapter usually ends the pending read with an error; the line
// check catches a driver that leaves it pending instead. Not more often
// than this, as the engine asks hundreds of times a tick.
constexpr auto kCheckSpacing = std::chrono::milliseconds(20);

}  // namespace

WinSerialBytePort::WinSerialBytePort()
    : WinSerialBytePort([](int portNumber) { return PortDeviceName(portNumber); }) {}

WinSerialBytePort::WinSerialBytePort(DeviceNaming naming)
    : naming_(std::move(naming)),
      readDone_(CreateEventW(nullptr, TRUE, FALSE, nullptr)),
      writeDone_(CreateEventW(nullptr, TRUE, FALSE, nullptr)) {}

WinSerialBytePort::~WinSerialBytePort() {
  device_.reset();
  readWatch_.reset();
  writeWatch_.reset();
  if (readDone_ != nullptr) CloseHandle(readDone_);
  if (writeDone_ != nullptr) CloseHandle(writeDone_);
}

void WinSerialBytePort::WatchEvents() {
  // Made at the first open, when the front end's application object exists.
  if (readWatch_) return;
  readWatch_ = std::make_unique<QWinEventNotifier>(readDone_);
  writeWatch_ = std::make_unique<QWinEventNotifier>(writeDone_);
  QObject::connect(readWatch_.get(), &QWinEventNotifier::activated, readWatch_.get(), [this] { OnReadDone(); });
  QObject::connect(writeWatch_.get(), &QWinEventNotifier::activated, writeWatch_.get(), [this] { OnWriteDone(); });
}

bool WinSerialBytePort::Open(int portNumber, const LineSettings& settings) {
  if (IsOpen() || portNumber < 1) return false;
  const std::string name = naming_(portNumber);
  if (name.empty()) return false;
  // Nothing of a failed device's state carries over.
  device_.reset();
  WatchEvents();
  device_ = WinComDevice::Open(name, settings, {readDone_, writeDone_});
  return device_ != nullptr;
}

bool WinSerialBytePort::Close() {
  // Cancels and waits for the device's own I/O only; the events and their
  // notifiers stay, so this is safe inside a notification.
  device_.reset();
  return true;
}

bool WinSerialBytePort::IsOpen() {
  CheckLineWhenDue();
  return device_ != nullptr && device_->Alive();
}

int WinSerialBytePort::ReadByte() {
  if (device_ == nullptr) return -1;
  // With an arrival handler the notification takes the bytes in and reports
  // them; taken here first, they would arrive unreported.
  if (!arrival_ && device_->Waiting() == 0) device_->TakeArrived();
  return device_->ReadByte();
}

bool WinSerialBytePort::WriteByte(uint8_t value) {
  return device_ != nullptr && device_->WriteByte(value);
}

void WinSerialBytePort::DiscardInput() {
  if (device_ != nullptr) device_->DiscardInput();
}

void WinSerialBytePort::CheckLineWhenDue() {
  if (device_ == nullptr || !device_->Alive()) return;
  const auto now = std::chrono::steady_clock::now();
  if (now - lastCheck_ < kCheckSpacing) return;
  lastCheck_ = now;
  if (!arrival_) device_->TakeArrived();
  device_->SendQueued();
  device_->CheckLine();
}

void WinSerialBytePort::OnReadDone() {
  if (device_ == nullptr || !device_->Alive()) {
    // Left signalled by a device that has gone; it must not wake us again.
    ResetEvent(readDone_);
    ++idleWakes_;
    return;
  }
  if (device_->TakeArrived() == 0) {
    ++idleWakes_;
    return;
  }
  // The handler may close or reopen the port: nothing here is used after it.
  if (arrival_) {
    const std::function<void()> handler = arrival_;
    handler();
  }
}

void WinSerialBytePort::OnWriteDone() {
  if (device_ == nullptr || !device_->Alive()) {
    ResetEvent(writeDone_);
    return;
  }
  // Sends what queued while the last write was under way.
  device_->SendQueued();
}

}  // namespace tessaro
