// The lines of a code module, stored densely: all their text in one buffer
// with a single gap in it, and a start and a length per line.
//
// A vector of strings costs a string object and a heap block per line, about
// four times the bytes of a file of short lines. Here a line costs its
// characters and the four bytes of its start: its length is where the next
// line (or the gap, or the buffer) begins. The gap sits where the last edit was, so the
// edits of a pass from the top of a module down (the indenter's) each cost
// the length of the line; an edit far from the last one moves the text in
// between once. Lines before the gap keep their start from the buffer's
// front, lines after it from the buffer's end, so moving the gap or growing
// the buffer touches only the lines it moves past.
#pragma once

#include <algorithm>
#include <cstdint>
#include <iterator>
#include <memory>
#include <vector>

#include "support/text/VbText.h"

namespace kv::model {

class LineStore {
 public:
  // Reads lines as views; they stay valid until the next change.
  class const_iterator {
   public:
    using iterator_category = std::random_access_iterator_tag;
    using value_type = VbStringView;
    using difference_type = std::ptrdiff_t;
    using pointer = void;
    using reference = VbStringView;

    const_iterator() = default;
    const_iterator(const LineStore* store, std::size_t i) : store_(store), i_(i) {}
    VbStringView operator*() const { return (*store_)[i_]; }
    VbStringView operator[](difference_type n) const { return (*store_)[i_ + static_cast<std::size_t>(n)]; }
    const_iterator& operator++() { return ++i_, *this; }
    const_iterator operator++(int) { return {store_, i_++}; }
    const_iterator& operator--() { return --i_, *this; }
    const_iterator operator--(int) { return {store_, i_--}; }
    const_iterator& operator+=(difference_type n) { return i_ += static_cast<std::size_t>(n), *this; }
    const_iterator& operator-=(difference_type n) { return i_ -= static_cast<std::size_t>(n), *this; }
    friend const_iterator operator+(const_iterator it, difference_type n) { return it += n; }
    friend const_iterator operator+(difference_type n, const_iterator it) { return it += n; }
    friend const_iterator operator-(const_iterator it, difference_type n) { return it -= n; }
    friend difference_type operator-(const const_iterator& a, const const_iterator& b) {
      return static_cast<difference_type>(a.i_) - static_cast<difference_type>(b.i_);
    }
    friend bool operator==(const const_iterator& a, const const_iterator& b) { return a.i_ == b.i_; }
    friend auto operator<=>(const const_iterator& a, const const_iterator& b) { return a.i_ <=> b.i_; }

   private:
    const LineStore* store_ = nullptr;
    std::size_t i_ = 0;
  };
  using iterator = const_iterator;
  using value_type = VbStringView;

  LineStore() = default;
  LineStore(const LineStore& other);
  LineStore& operator=(const LineStore& other);
  LineStore(LineStore&&) noexcept = default;
  LineStore& operator=(LineStore&&) noexcept = default;

  std::size_t size() const { return starts_.size(); }
  bool empty() const { return starts_.empty(); }
  VbStringView operator[](std::size_t i) const {
    std::size_t start = Start(i);
    return {buffer_.get() + start, End(i) - start};
  }
  VbStringView back() const { return (*this)[size() - 1]; }
  const_iterator begin() const { return {this, 0}; }
  const_iterator end() const { return {this, size()}; }

  // Replaces every line; the buffer holds just their text and a little room.
  void Assign(const std::vector<VbStringView>& lines);
  void Assign(const std::vector<VbString>& lines);
  // Drops every line and frees the buffer.
  void Clear();
  void Replace(std::size_t i, VbStringView text);
  // Inserts the lines before line `at` (at the end when `at` is size()).
  void Insert(std::size_t at, const std::vector<VbStringView>& lines);
  // Removes the lines [first, last).
  void Erase(std::size_t first, std::size_t last);

  // Each line as a string of its own, for callers and tests that keep them.
  std::vector<VbString> Strings() const;
  friend bool operator==(const LineStore& a, const std::vector<VbString>& b);
  friend bool operator==(const LineStore& a, const LineStore& b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin());
  }

 private:
  struct Free {
    void operator()(char16_t* p) const;
  };

  // Where line i begins and ends in the buffer.
  std::size_t Start(std::size_t i) const { return i < gapLine_ ? starts_[i] : capacity_ - starts_[i]; }
  std::size_t End(std::size_t i) const {
    if (i + 1 < gapLine_) return starts_[i + 1];
    if (i + 1 == gapLine_) return gapStart_;
    return i + 1 < size() ? capacity_ - starts_[i + 1] : capacity_;
  }
  std::size_t Gap() const { return gapEnd_ - gapStart_; }
  // Moves the gap to just before line `line`.
  void MoveGap(std::size_t line);
  // Makes the gap at least `room` units wide.
  void Reserve(std::size_t room);
  // Gives back most of a gap that an edit left wide.
  void Fit();
  // Makes the buffer `capacity` units long, the gap taking the difference.
  void Resize(std::size_t capacity);
  template <class Lines>
  void AssignAll(const Lines& lines);

  std::unique_ptr<char16_t, Free> buffer_;
  std::size_t capacity_ = 0;
  std::size_t gapStart_ = 0;
  std::size_t gapEnd_ = 0;
  std::size_t gapLine_ = 0;  // lines [0, gapLine_) stand before the gap
  // Each line's start: from the buffer's front before the gap, from its end
  // after it.
  std::vector<std::uint32_t> starts_;
};

}  // namespace kv::model
