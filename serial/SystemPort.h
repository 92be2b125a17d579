#pragma once

// The serial adapter of the system the program is built for, and its list of
// the ports present: Qt SerialPort on Linux, the Win32 adapter on Windows
// (Qt SerialPort is not built for Windows here).

#if defined(_WIN32)
#include "serial/WinPresentPorts.h"
#include "serial/WinSerialBytePort.h"

namespace tessaro {
using SystemBytePort = WinSerialBytePort;
}  // namespace tessaro
#else
#include "serial/QtPresentPorts.h"
#include "serial/QtSerialBytePort.h"

namespace tessaro {
using SystemBytePort = QtSerialBytePort;
}  // namespace tessaro
#endif
