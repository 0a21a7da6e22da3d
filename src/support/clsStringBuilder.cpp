// A string builder with the growth rule of a character array.
#include "support/clsStringBuilder.h"

#include <limits>

#include "host/VbError.h"

namespace kv {

namespace {
[[noreturn]] void SubscriptOutOfRange() { Raise(vberr::kSubscriptOutOfRange, u"Subscript out of range"); }
}  // namespace

void clsStringBuilder::Initialize(std::int32_t lngLong) {
  if (lngLong < 0) SubscriptOutOfRange();
  chars_.clear();
  highest_ = lngLong;
  count_ = 0;
  initialized_ = true;
}

void clsStringBuilder::Append(VbStringView value) {
  if (!initialized_) SubscriptOutOfRange();
  if (value.empty()) return;
  constexpr std::int64_t kLimit = std::numeric_limits<std::int32_t>::max();
  const std::int64_t newCount = std::int64_t{count_} + static_cast<std::int64_t>(value.size());
  // The array grows by whole steps, each time the count has reached the
  // highest index and one more character comes.
  std::int64_t highest = highest_;
  while (highest < newCount) highest += kGrowth;
  if (highest > kLimit) Raise(vberr::kOverflow, u"Overflow");
  chars_.append(value);
  highest_ = static_cast<std::int32_t>(highest);
  count_ = static_cast<std::int32_t>(newCount);
}

VbString clsStringBuilder::ToString() const { return chars_; }

void clsStringBuilder::Clear() {
  VbString().swap(chars_);
  highest_ = -1;
  count_ = 0;
  initialized_ = false;
}

std::int32_t clsStringBuilder::HighestIndex() const {
  if (!initialized_) SubscriptOutOfRange();
  return highest_;
}

}  // namespace kv
