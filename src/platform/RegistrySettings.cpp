// The VB program settings in the registry, through the wide registry
// functions, so any text (Chinese included) is stored as it is.
#ifdef _WIN32
#include "platform/RegistrySettings.h"

#include <windows.h>

namespace kv::platform {

namespace {

std::wstring Wide(VbStringView text) { return std::wstring(text.begin(), text.end()); }

std::error_code ErrorFrom(LSTATUS status) {
  if (status == ERROR_ACCESS_DENIED) return std::make_error_code(std::errc::permission_denied);
  return {static_cast<int>(status), std::system_category()};
}

}  // namespace

RegistrySettings::RegistrySettings(VbStringView application, VbStringView section)
    : subKey_(L"Software\\VB and VBA Program Settings\\" + Wide(application) + L"\\" + Wide(section)),
      name_("HKEY_CURRENT_USER\\" + VbToUtf8(VbString(subKey_.begin(), subKey_.end()))) {}

std::optional<VbString> RegistrySettings::Get(VbStringView name, std::error_code& error) const {
  error.clear();
  HKEY key = nullptr;
  LSTATUS status = RegOpenKeyExW(HKEY_CURRENT_USER, subKey_.c_str(), 0, KEY_QUERY_VALUE, &key);
  if (status == ERROR_FILE_NOT_FOUND) return std::nullopt;
  if (status != ERROR_SUCCESS) {
    error = ErrorFrom(status);
    return std::nullopt;
  }
  std::wstring value = Wide(name);
  std::wstring text(64, L'\0');
  for (;;) {
    DWORD bytes = static_cast<DWORD>(text.size() * sizeof(wchar_t));
    DWORD type = 0;
    status = RegQueryValueExW(key, value.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(text.data()), &bytes);
    if (status == ERROR_MORE_DATA) {
      text.resize(bytes / sizeof(wchar_t) + 1);
      continue;
    }
    RegCloseKey(key);
    if (status != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ)) {
      if (status != ERROR_SUCCESS && status != ERROR_FILE_NOT_FOUND) error = ErrorFrom(status);
      return std::nullopt;
    }
    // The stored text may or may not end in its terminating NUL.
    text.resize(bytes / sizeof(wchar_t));
    if (!text.empty() && text.back() == L'\0') text.pop_back();
    return VbString(text.begin(), text.end());
  }
}

std::error_code RegistrySettings::Set(VbStringView name, VbStringView value) {
  HKEY key = nullptr;
  LSTATUS status = RegCreateKeyExW(HKEY_CURRENT_USER, subKey_.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                                   KEY_SET_VALUE, nullptr, &key, nullptr);
  if (status != ERROR_SUCCESS) return ErrorFrom(status);
  std::wstring text = Wide(value);
  status = RegSetValueExW(key, Wide(name).c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                          static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
  RegCloseKey(key);
  return status == ERROR_SUCCESS ? std::error_code() : ErrorFrom(status);
}

}  // namespace kv::platform
#endif
