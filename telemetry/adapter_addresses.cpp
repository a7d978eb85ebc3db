// The Windows source of the machine identifier: the IP helper's adapter list.
#include <winsock2.h>
#include <windows.h>
#include <iphlpapi.h>

#include <cstring>
#include <vector>

#include "base/log.h"
#include "telemetry/machine_id.h"

namespace telemetry {

bool collectAdapterAddresses(std::vector<std::wstring>& list) {
  list.clear();
  ULONG size = 0;
  DWORD result = GetAdaptersInfo(nullptr, &size);
  // A machine without adapters is not a failure worth a line on every analytics event.
  if (result == ERROR_NO_DATA) return false;
  if (result != ERROR_SUCCESS && result != ERROR_BUFFER_OVERFLOW) {
    writeLog("telemetry::collectAdapterAddresses", __LINE__, L"GetAdaptersInfo failed, error = %d",
             static_cast<int>(result));
    return false;
  }
  if (size == 0) return false;
  // Whole IP_ADAPTER_INFO records, so the chain inside the buffer is properly aligned.
  std::vector<IP_ADAPTER_INFO> buffer((size + sizeof(IP_ADAPTER_INFO) - 1) / sizeof(IP_ADAPTER_INFO));
  size = static_cast<ULONG>(buffer.size() * sizeof(IP_ADAPTER_INFO));
  result = GetAdaptersInfo(buffer.data(), &size);
  if (result != ERROR_SUCCESS) {
    writeLog("telemetry::collectAdapterAddresses", __LINE__, L"GetAdaptersInfo failed, error = %d",
             static_cast<int>(result));
    return false;
  }
  for (const IP_ADAPTER_INFO* adapter = buffer.data(); adapter; adapter = adapter->Next) {
    uint8_t address[8];
    static_assert(sizeof(adapter->Address) == sizeof(address), "adapter address field is 8 bytes");
    std::memcpy(address, adapter->Address, sizeof(address));
    appendAdapterAddress(address, list);
  }
  return !list.empty();
}

std::string computeMachineId() {
  std::vector<std::wstring> addresses;
  if (!collectAdapterAddresses(addresses)) return std::string();
  return computeMachineId(std::move(addresses));
}

}  // namespace telemetry
