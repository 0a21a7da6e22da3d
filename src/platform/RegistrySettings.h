// The settings VB's SaveSetting and GetSetting keep for a program, on
// Windows: REG_SZ values under
//   HKEY_CURRENT_USER\Software\VB and VBA Program Settings\<application>\<section>
// The add-in in the IDE and the kestrova command read and write the same
// values through it. Value names compare without regard to case, as the
// registry's do. Windows only; the header names no Windows type, so it may
// sit beside the platform interface.
#pragma once

#include <optional>
#include <string>
#include <system_error>

#include "support/text/VbText.h"

namespace kv::platform {

class RegistrySettings {
 public:
  RegistrySettings(VbStringView application, VbStringView section);

  // "HKEY_CURRENT_USER\Software\VB and VBA Program Settings\<application>\<section>".
  const std::string& Name() const { return name_; }

  // The text of value `name`; nothing when the key or the value is absent or
  // the value is no string. `error` tells of a key that cannot be read.
  std::optional<VbString> Get(VbStringView name, std::error_code& error) const;
  // Creates the key when needed and stores the text as REG_SZ.
  std::error_code Set(VbStringView name, VbStringView value);

 private:
  std::wstring subKey_;  // below HKEY_CURRENT_USER
  std::string name_;
};

}  // namespace kv::platform
