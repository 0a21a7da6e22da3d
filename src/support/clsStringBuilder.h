// A string builder with the growth of a character array: it starts with room
// for the indexes 0 to the initial size, and whenever it is full it grows by
// 10240 elements. Element 0 is never written; the text is elements 1..count.
//
// The dispatcher and the folding operations collect the new text of a module
// in it before writing the module back in one go.
#pragma once

#include <cstdint>

#include "support/text/VbText.h"

namespace kv {

class clsStringBuilder {
 public:
  static constexpr std::int32_t kGrowth = 10240;

  // Makes room for the indexes 0 to lngLong (all empty) and sets the count to
  // 0, discarding any text collected before.
  void Initialize(std::int32_t lngLong = 0);
  // Adds the characters of `value` at the end. Throws VbError 9 (subscript
  // out of range) on a builder that was never initialised or was cleared, and
  // VbError 6 (overflow) when the array would pass the 32-bit index range.
  void Append(VbStringView value);
  VbString ToString() const;
  // Releases the array; the builder must be initialised again before use.
  void Clear();

  bool Initialized() const { return initialized_; }
  std::int32_t Count() const { return count_; }
  // The highest index of the array. Throws VbError 9 when uninitialised.
  std::int32_t HighestIndex() const;

 private:
  VbString chars_;  // the elements 1..count
  std::int32_t highest_ = -1;
  std::int32_t count_ = 0;
  bool initialized_ = false;
};

}  // namespace kv
