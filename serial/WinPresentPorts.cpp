#include "serial/WinPresentPorts.h"

// clang-format off
#include <windows.h>
#include <initguid.h>
#include <devguid.h>
#include <setupapi.h>
// clang-format on

#include <string>

#include "serial/ComPortList.h"

namespace tessaro {
namespace {

std::string Utf8(const std::wstring& text) {
  if (text.empty()) return {};
  const int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
  std::string utf8(static_cast<std::size_t>(size), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), utf8.data(), size, nullptr, nullptr);
  return utf8;
}

// A string value, without the terminating zeros the registry may keep.
std::wstring Trimmed(std::wstring text) {
  while (!text.empty() && text.back() == L'\0') text.pop_back();
  return text;
}

std::wstring DeviceProperty(HDEVINFO set, SP_DEVINFO_DATA& device, DWORD property) {
  wchar_t text[512] = {};
  DWORD type = 0;
  if (!SetupDiGetDeviceRegistryPropertyW(set, &device, property, &type, reinterpret_cast<BYTE*>(text),
                                         sizeof text - sizeof(wchar_t), nullptr) ||
      type != REG_SZ) {
    return {};
  }
  return Trimmed(text);
}

std::wstring StringValue(HKEY key, const wchar_t* name) {
  wchar_t text[256] = {};
  DWORD type = 0;
  DWORD size = sizeof text - sizeof(wchar_t);
  if (RegQueryValueExW(key, name, nullptr, &type, reinterpret_cast<BYTE*>(text), &size) != ERROR_SUCCESS ||
      type != REG_SZ) {
    return {};
  }
  return Trimmed(text);
}

std::vector<PresentPort> DescribedPorts() {
  std::vector<PresentPort> ports;
  HDEVINFO set = SetupDiGetClassDevsW(&GUID_DEVCLASS_PORTS, nullptr, nullptr, DIGCF_PRESENT);
  if (set == INVALID_HANDLE_VALUE) return ports;
  SP_DEVINFO_DATA device{};
  device.cbSize = sizeof device;
  for (DWORD index = 0; SetupDiEnumDeviceInfo(set, index, &device); ++index) {
    HKEY key = SetupDiOpenDevRegKey(set, &device, DICS_FLAG_GLOBAL, 0, DIREG_DEV, KEY_READ);
    if (key == INVALID_HANDLE_VALUE) continue;
    const std::wstring name = StringValue(key, L"PortName");
    RegCloseKey(key);
    std::wstring description = DeviceProperty(set, device, SPDRP_FRIENDLYNAME);
    if (description.empty()) description = DeviceProperty(set, device, SPDRP_DEVICEDESC);
    wchar_t instance[512] = {};
    if (!SetupDiGetDeviceInstanceIdW(set, &device, instance, 511, nullptr)) instance[0] = L'\0';
    ports.push_back(PresentPort{Utf8(name), {}, Utf8(description), Utf8(DeviceProperty(set, device, SPDRP_MFG)),
                                SerialNumberFromInstance(Utf8(instance))});
  }
  SetupDiDestroyDeviceInfoList(set);
  return ports;
}

// Every serial port driver enters its ports here, device manager or not.
std::vector<std::string> SerialMap() {
  std::vector<std::string> names;
  HKEY key = nullptr;
  if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"HARDWARE\\DEVICEMAP\\SERIALCOMM", 0, KEY_READ, &key) != ERROR_SUCCESS) {
    return names;
  }
  for (DWORD index = 0;; ++index) {
    wchar_t valueName[256];
    DWORD nameSize = 256;
    wchar_t data[64] = {};
    DWORD dataSize = sizeof data - sizeof(wchar_t);
    DWORD type = 0;
    const LONG result = RegEnumValueW(key, index, valueName, &nameSize, nullptr, &type,
                                      reinterpret_cast<BYTE*>(data), &dataSize);
    if (result == ERROR_NO_MORE_ITEMS) break;
    if (result == ERROR_SUCCESS && type == REG_SZ) names.push_back(Utf8(Trimmed(data)));
  }
  RegCloseKey(key);
  return names;
}

}  // namespace

std::vector<PresentPort> ListPresentPorts() { return MergeComPorts(DescribedPorts(), SerialMap()); }

}  // namespace tessaro
