#include "serial/WinComDevice.h"

#include <windows.h>

#include <algorithm>
#include <utility>

namespace tessaro {

struct WinComDevice::Overlapped {
  OVERLAPPED io{};
};

namespace {

constexpr std::size_t kReadChunk = 4096;

BYTE WinParity(char parity) {
  switch (parity) {
    case 'E':
      return EVENPARITY;
    case 'O':
      return ODDPARITY;
    default:
      return NOPARITY;
  }
}

bool Configure(HANDLE handle, const LineSettings& settings) {
  DCB dcb{};
  dcb.DCBlength = sizeof dcb;
  if (!GetCommState(handle, &dcb)) return false;  // not a serial port
  dcb.BaudRate = static_cast<DWORD>(settings.baud);
  dcb.ByteSize = static_cast<BYTE>(settings.dataBits);
  dcb.Parity = WinParity(settings.parity);
  dcb.StopBits = settings.stopBits == 2 ? TWOSTOPBITS : ONESTOPBIT;
  dcb.fBinary = TRUE;
  dcb.fParity = dcb.Parity != NOPARITY;
  dcb.fOutxCtsFlow = settings.rtsCtsHandshake;
  dcb.fOutxDsrFlow = FALSE;
  dcb.fDsrSensitivity = FALSE;
  // The modem lines go through the DCB: a port without them (a virtual one)
  // rejects EscapeCommFunction but takes the DCB.
  dcb.fDtrControl = settings.dtr ? DTR_CONTROL_ENABLE : DTR_CONTROL_DISABLE;
  dcb.fRtsControl = settings.rtsCtsHandshake ? RTS_CONTROL_HANDSHAKE
                    : settings.rts           ? RTS_CONTROL_ENABLE
                                             : RTS_CONTROL_DISABLE;
  dcb.fTXContinueOnXoff = TRUE;
  dcb.fOutX = FALSE;
  dcb.fInX = FALSE;
  dcb.fErrorChar = FALSE;
  dcb.fNull = FALSE;
  // Otherwise a framing or overrun error stops all I/O until cleared.
  dcb.fAbortOnError = FALSE;
  if (!SetCommState(handle, &dcb)) return false;

  // A read waits for its first byte, then finishes as soon as the line is
  // quiet for the interval: each burst of the unit arrives in one piece.
  // The reads are overlapped, so the wait never holds up the caller.
  // (The documented "return at once" settings do not finish overlapped
  // reads on every driver: Wine's, for one, leaves them pending.)
  COMMTIMEOUTS timeouts{};
  timeouts.ReadIntervalTimeout = 1;
  return SetCommTimeouts(handle, &timeouts) != FALSE;
}

std::wstring DevicePath(const std::string& name) {
  // The \\.\ form is the only one that reaches COM10 and above.
  std::wstring path = L"\\\\.\\";
  for (char c : name) path += static_cast<wchar_t>(static_cast<unsigned char>(c));
  return path;
}

}  // namespace

std::unique_ptr<WinComDevice> WinComDevice::Open(const std::string& name, const LineSettings& settings,
                                                 Events events) {
  if (name.empty() || events.readDone == nullptr || events.writeDone == nullptr) return nullptr;
  HANDLE handle = CreateFileW(DevicePath(name).c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                              FILE_FLAG_OVERLAPPED, nullptr);
  if (handle == INVALID_HANDLE_VALUE) return nullptr;
  if (!Configure(handle, settings)) {
    CloseHandle(handle);
    return nullptr;
  }
  PurgeComm(handle, PURGE_RXCLEAR | PURGE_TXCLEAR);
  std::unique_ptr<WinComDevice> device(new WinComDevice(handle, events));
  device->StartRead();
  if (!device->Alive()) return nullptr;
  return device;
}

WinComDevice::WinComDevice(void* handle, Events events)
    : handle_(handle),
      events_(events),
      read_(std::make_unique<Overlapped>()),
      write_(std::make_unique<Overlapped>()),
      readBuffer_(kReadChunk) {
  read_->io.hEvent = events_.readDone;
  write_->io.hEvent = events_.writeDone;
}

WinComDevice::~WinComDevice() { Shut(); }

void WinComDevice::Shut() {
  if (handle_ == nullptr) return;
  if (readPending_ || writePending_) CancelIoEx(handle_, nullptr);
  DWORD done = 0;
  if (readPending_) GetOverlappedResult(handle_, &read_->io, &done, TRUE);
  if (writePending_) GetOverlappedResult(handle_, &write_->io, &done, TRUE);
  readPending_ = writePending_ = false;
  CloseHandle(handle_);
  handle_ = nullptr;
  // Whoever waits on the events must not be woken again by this device.
  ResetEvent(events_.readDone);
  ResetEvent(events_.writeDone);
  outgoing_.clear();
  writing_.clear();
  input_.clear();
}

void WinComDevice::Fail() {
  // Like a closed port: nothing more moves either way.
  Shut();
}

void WinComDevice::StartRead() {
  while (handle_ != nullptr && !readPending_) {
    DWORD count = 0;
    if (!ReadFile(handle_, readBuffer_.data(), static_cast<DWORD>(readBuffer_.size()), nullptr, &read_->io)) {
      if (GetLastError() == ERROR_IO_PENDING) {
        readPending_ = true;
      } else {
        Fail();
      }
      return;
    }
    // Finished at once: bytes were waiting.
    if (!GetOverlappedResult(handle_, &read_->io, &count, FALSE)) {
      Fail();
      return;
    }
    input_.insert(input_.end(), readBuffer_.begin(), readBuffer_.begin() + count);
    // A driver that finishes empty reads at once would keep this loop busy;
    // the next look tries again instead.
    if (count == 0) return;
  }
}

std::size_t WinComDevice::TakeArrived() {
  if (handle_ == nullptr) return 0;
  const std::size_t before = input_.size();
  if (readPending_ && HasOverlappedIoCompleted(&read_->io)) {
    DWORD count = 0;
    readPending_ = false;
    if (!GetOverlappedResult(handle_, &read_->io, &count, FALSE)) {
      // A pulled adapter or an ended pseudo-terminal.
      Fail();
      return 0;
    }
    input_.insert(input_.end(), readBuffer_.begin(), readBuffer_.begin() + count);
  }
  if (!readPending_) StartRead();
  // A watcher of a manual-reset event is woken until it is reset.
  if (handle_ != nullptr && !readPending_) ResetEvent(events_.readDone);
  return input_.size() - before;
}

void WinComDevice::CheckLine() {
  if (handle_ == nullptr) return;
  DWORD errors = 0;
  COMSTAT status{};
  if (!ClearCommError(handle_, &errors, &status)) Fail();
}

int WinComDevice::ReadByte() {
  if (input_.empty()) return -1;
  const uint8_t byte = input_.front();
  input_.pop_front();
  return byte;
}

bool WinComDevice::WriteByte(uint8_t value) {
  if (handle_ == nullptr) return false;
  outgoing_.push_back(value);
  SendQueued();
  return handle_ != nullptr;
}

void WinComDevice::SendQueued() {
  while (handle_ != nullptr) {
    if (writePending_) {
      if (!HasOverlappedIoCompleted(&write_->io)) return;
      writePending_ = false;
      DWORD count = 0;
      if (!GetOverlappedResult(handle_, &write_->io, &count, FALSE)) {
        Fail();
        return;
      }
      // Without write time-outs a write ends when all is sent; anything
      // short goes again, ahead of what queued meanwhile.
      outgoing_.insert(outgoing_.begin(), writing_.begin() + std::min<std::size_t>(count, writing_.size()),
                       writing_.end());
      writing_.clear();
    }
    if (outgoing_.empty()) {
      ResetEvent(events_.writeDone);
      return;
    }
    writing_.assign(outgoing_.begin(), outgoing_.end());
    outgoing_.clear();
    if (!WriteFile(handle_, writing_.data(), static_cast<DWORD>(writing_.size()), nullptr, &write_->io) &&
        GetLastError() != ERROR_IO_PENDING) {
      Fail();
      return;
    }
    // Finished at once or not: the result is taken on the next round.
    writePending_ = true;
  }
}

void WinComDevice::DiscardInput() {
  input_.clear();
  if (handle_ == nullptr) return;
  if (readPending_) {
    // A pending read may hold bytes of a burst not yet ended; they go too.
    CancelIoEx(handle_, &read_->io);
    DWORD count = 0;
    GetOverlappedResult(handle_, &read_->io, &count, TRUE);
    readPending_ = false;
  }
  PurgeComm(handle_, PURGE_RXCLEAR);
  StartRead();
}

}  // namespace tessaro
