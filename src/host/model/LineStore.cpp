// The dense line store: moving the gap, resizing the buffer, and the edits.
#include "host/model/LineStore.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <new>
#include <stdexcept>

namespace kv::model {

namespace {

void Copy(char16_t* to, const char16_t* from, std::size_t n) {
  if (n) std::memmove(to, from, n * sizeof(char16_t));
}

// Room left in the gap when a buffer is made or fitted: a pass that indents
// the module then seldom has to grow it, and an untouched module wastes little.
std::size_t Slack(std::size_t live) { return live / 256 + 16; }

void CheckCapacity(std::size_t capacity) {
  if (capacity > std::numeric_limits<std::uint32_t>::max()) throw std::length_error("code module too large");
}

}  // namespace

void LineStore::Free::operator()(char16_t* p) const { std::free(p); }

LineStore::LineStore(const LineStore& other) { *this = other; }

LineStore& LineStore::operator=(const LineStore& other) {
  if (this == &other) return *this;
  std::vector<VbStringView> lines(other.begin(), other.end());
  Assign(lines);
  return *this;
}

template <class Lines>
void LineStore::AssignAll(const Lines& lines) {
  std::size_t total = 0;
  for (const auto& line : lines) total += line.size();
  Clear();
  Resize(total + Slack(total));
  starts_.reserve(lines.size());
  // The gap goes in front, where a pass from the top starts.
  std::size_t at = capacity_ - total;
  gapEnd_ = at;
  for (const auto& line : lines) {
    Copy(buffer_.get() + at, line.data(), line.size());
    starts_.push_back(static_cast<std::uint32_t>(capacity_ - at));
    at += line.size();
  }
}

void LineStore::Assign(const std::vector<VbStringView>& lines) { AssignAll(lines); }
void LineStore::Assign(const std::vector<VbString>& lines) { AssignAll(lines); }

void LineStore::Clear() {
  buffer_.reset();
  capacity_ = gapStart_ = gapEnd_ = gapLine_ = 0;
  std::vector<std::uint32_t>().swap(starts_);
}

void LineStore::MoveGap(std::size_t line) {
  const std::size_t gap = Gap();
  if (line > gapLine_) {
    // Lines [gapLine_, line) go from after the gap to before it.
    std::size_t n = (line < size() ? capacity_ - starts_[line] : capacity_) - gapEnd_;
    Copy(buffer_.get() + gapStart_, buffer_.get() + gapEnd_, n);
    for (std::size_t j = gapLine_; j < line; ++j) starts_[j] = static_cast<std::uint32_t>(capacity_ - starts_[j] - gap);
    gapStart_ += n;
    gapEnd_ += n;
  } else if (line < gapLine_) {
    // Lines [line, gapLine_) go from before the gap to after it.
    std::size_t n = gapStart_ - starts_[line];
    Copy(buffer_.get() + gapEnd_ - n, buffer_.get() + starts_[line], n);
    for (std::size_t j = line; j < gapLine_; ++j) starts_[j] = static_cast<std::uint32_t>(capacity_ - starts_[j] - gap);
    gapStart_ -= n;
    gapEnd_ -= n;
  }
  gapLine_ = line;
}

void LineStore::Reserve(std::size_t room) {
  if (Gap() >= room) return;
  std::size_t live = capacity_ - Gap();
  // Half again as much: a pass that lengthens many lines copies the module a
  // few times, not once per line; Fit takes back what the pass left over.
  Resize(live + room + live / 2 + 64);
}

void LineStore::Fit() {
  std::size_t live = capacity_ - Gap();
  if (Gap() > Slack(live)) Resize(live + Slack(live));
}

void LineStore::Resize(std::size_t capacity) {
  CheckCapacity(capacity);
  const std::size_t after = capacity_ - gapEnd_;
  char16_t* old = buffer_.get();
  if (capacity > capacity_) {
    // Growing: a new buffer takes the text before the gap at its front and
    // the text after it at its end, each copied once (a realloc would copy
    // the whole buffer and then the text after the gap again).
    auto* grown = static_cast<char16_t*>(std::malloc(capacity * sizeof(char16_t)));
    if (!grown) throw std::bad_alloc();
    Copy(grown, old, gapStart_);
    Copy(grown + capacity - after, old + gapEnd_, after);
    buffer_.reset(grown);
  } else if (capacity < capacity_) {
    // Shrinking: the text after the gap moves down, then the buffer is cut
    // where it stands.
    Copy(old + capacity - after, old + gapEnd_, after);
    if (auto* cut = static_cast<char16_t*>(std::realloc(old, std::max<std::size_t>(capacity, 1) * sizeof(char16_t)))) {
      (void)buffer_.release();
      buffer_.reset(cut);
    }  // else the larger block still serves
  }
  // Starts from the front and from the end both stay as they are.
  gapEnd_ = capacity - after;
  capacity_ = capacity;
}

void LineStore::Replace(std::size_t i, VbStringView text) {
  if (buffer_ && text.data() >= buffer_.get() && text.data() < buffer_.get() + capacity_) {
    Replace(i, VbString(text));  // a view of a line here: it may move below
    return;
  }
  if (gapLine_ == i) {
    // Line i is the first after the gap, as in a pass from the top: its old
    // text joins the gap instead of being moved in front of it, and the line
    // stands before the gap, empty.
    gapEnd_ = i + 1 < size() ? capacity_ - starts_[i + 1] : capacity_;
    starts_[i] = static_cast<std::uint32_t>(gapStart_);
    gapLine_ = i + 1;
  } else {
    MoveGap(i + 1);  // line i ends where the gap begins
  }
  const std::size_t start = starts_[i];
  const std::size_t length = gapStart_ - start;
  if (text.size() > length) Reserve(text.size() - length);
  Copy(buffer_.get() + start, text.data(), text.size());
  gapStart_ = start + text.size();
  if (i + 1 == size()) Fit();  // a pass from the top is done
}

void LineStore::Insert(std::size_t at, const std::vector<VbStringView>& lines) {
  if (lines.empty()) return;
  std::size_t total = 0;
  bool inside = false;
  for (VbStringView line : lines) {
    total += line.size();
    inside = inside || (buffer_ && line.data() >= buffer_.get() && line.data() < buffer_.get() + capacity_);
  }
  if (inside) {
    std::vector<VbString> own(lines.begin(), lines.end());
    Insert(at, std::vector<VbStringView>(own.begin(), own.end()));
    return;
  }
  MoveGap(at);
  Reserve(total);
  std::vector<std::uint32_t> added;
  added.reserve(lines.size());
  for (VbStringView line : lines) {
    Copy(buffer_.get() + gapStart_, line.data(), line.size());
    added.push_back(static_cast<std::uint32_t>(gapStart_));
    gapStart_ += line.size();
  }
  starts_.insert(starts_.begin() + static_cast<std::ptrdiff_t>(at), added.begin(), added.end());
  gapLine_ += lines.size();
}

void LineStore::Erase(std::size_t first, std::size_t last) {
  if (first >= last) return;
  MoveGap(last);
  gapStart_ = starts_[first];
  starts_.erase(starts_.begin() + static_cast<std::ptrdiff_t>(first), starts_.begin() + static_cast<std::ptrdiff_t>(last));
  gapLine_ = first;
}

std::vector<VbString> LineStore::Strings() const { return std::vector<VbString>(begin(), end()); }

bool operator==(const LineStore& a, const std::vector<VbString>& b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin());
}

}  // namespace kv::model
