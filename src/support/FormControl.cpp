// Helpers shared by the toolkit-free controls of the add-in's windows.
#include "support/FormControl.h"

namespace kv {

VbString StripAccessKey(VbStringView caption, std::size_t* accessKey) {
  VbString out;
  std::size_t key = VbString::npos;
  for (std::size_t i = 0; i < caption.size(); ++i) {
    if (caption[i] == u'&' && i + 1 < caption.size()) {
      ++i;
      // "&&" stands for one ampersand; any other pair marks an access key.
      if (caption[i] != u'&' && key == VbString::npos) key = out.size();
    }
    out.push_back(caption[i]);
  }
  if (accessKey) *accessKey = key;
  return out;
}

}  // namespace kv
