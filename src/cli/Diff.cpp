// A unified diff. Commands mostly rewrite lines in place (indentation keeps
// the line count), so equal line counts are compared line for line; other
// changes (folds, deleted blank lines) go through the O(ND) shortest edit
// script of Myers, and past a budget of differences the changed middle is
// shown as one replacement, which stays correct and linear.
#include "cli/Diff.h"

#include <algorithm>
#include <optional>
#include <vector>

#include <fmt/format.h>

namespace kv::cli {

namespace {

struct Line {
  std::string_view text;  // without its LF
  bool ended;             // whether an LF followed it
  bool operator==(const Line&) const = default;
};

std::vector<Line> SplitLf(std::string_view s) {
  std::vector<Line> lines;
  std::size_t start = 0;
  while (start < s.size()) {
    std::size_t nl = s.find('\n', start);
    if (nl == std::string_view::npos) {
      lines.push_back({s.substr(start), false});
      break;
    }
    lines.push_back({s.substr(start, nl - start), true});
    start = nl + 1;
  }
  return lines;
}

// One step of the edit script: keep, delete (from a) or insert (from b).
enum class Op { Keep, Delete, Insert };

constexpr std::ptrdiff_t kBudget = 500;  // differences Myers may look for

// Myers' greedy algorithm with the whole trace kept; nothing when the edit
// distance exceeds the budget.
std::optional<std::vector<Op>> Myers(const std::vector<Line>& a, const std::vector<Line>& b) {
  auto n = static_cast<std::ptrdiff_t>(a.size()), m = static_cast<std::ptrdiff_t>(b.size());
  std::ptrdiff_t max = std::min(n + m, kBudget);
  std::vector<std::ptrdiff_t> v(2 * max + 3, 0);
  std::vector<std::vector<std::ptrdiff_t>> trace;
  auto at = [&](std::ptrdiff_t k) -> std::ptrdiff_t& { return v[k + max + 1]; };
  for (std::ptrdiff_t d = 0; d <= max; ++d) {
    trace.push_back(v);
    for (std::ptrdiff_t k = -d; k <= d; k += 2) {
      std::ptrdiff_t x = (k == -d || (k != d && at(k - 1) < at(k + 1))) ? at(k + 1) : at(k - 1) + 1;
      std::ptrdiff_t y = x - k;
      while (x < n && y < m && a[x] == b[y]) ++x, ++y;
      at(k) = x;
      if (x >= n && y >= m) {
        std::vector<Op> ops;
        for (std::ptrdiff_t dd = d; dd > 0; --dd) {
          const auto& pv = trace[dd];
          auto pat = [&](std::ptrdiff_t kk) { return pv[kk + max + 1]; };
          std::ptrdiff_t kk = x - y;
          bool down = kk == -dd || (kk != dd && pat(kk - 1) < pat(kk + 1));
          std::ptrdiff_t pk = down ? kk + 1 : kk - 1;
          std::ptrdiff_t px = pat(pk), py = px - pk;
          while (x > px + (down ? 0 : 1) && y > py + (down ? 1 : 0)) ops.push_back(Op::Keep), --x, --y;
          ops.push_back(down ? Op::Insert : Op::Delete);
          x = px, y = py;
        }
        while (x > 0 && y > 0) ops.push_back(Op::Keep), --x, --y;
        std::reverse(ops.begin(), ops.end());
        return ops;
      }
    }
  }
  return std::nullopt;
}

std::vector<Op> EditScript(const std::vector<Line>& a, const std::vector<Line>& b) {
  std::vector<Op> ops;
  if (a.size() == b.size()) {
    for (std::size_t i = 0; i < a.size(); ++i) {
      if (a[i] == b[i]) {
        ops.push_back(Op::Keep);
      } else {
        ops.push_back(Op::Delete);
        ops.push_back(Op::Insert);
      }
    }
    return ops;
  }
  if (auto found = Myers(a, b)) return *found;
  std::size_t pre = 0, suf = 0;
  while (pre < a.size() && pre < b.size() && a[pre] == b[pre]) ++pre;
  while (suf < a.size() - pre && suf < b.size() - pre && a[a.size() - 1 - suf] == b[b.size() - 1 - suf]) ++suf;
  ops.assign(pre, Op::Keep);
  ops.insert(ops.end(), a.size() - pre - suf, Op::Delete);
  ops.insert(ops.end(), b.size() - pre - suf, Op::Insert);
  ops.insert(ops.end(), suf, Op::Keep);
  return ops;
}

void AppendLine(std::string& out, char mark, const Line& line) {
  out.push_back(mark);
  out.append(line.text);
  out.push_back('\n');
  if (!line.ended) out.append("\\ No newline at end of file\n");
}

}  // namespace

std::string UnifiedDiff(std::string_view before, std::string_view after, std::string_view oldName,
                        std::string_view newName) {
  if (before == after) return {};
  std::vector<Line> a = SplitLf(before), b = SplitLf(after);
  std::vector<Op> ops = EditScript(a, b);
  constexpr std::size_t kContext = 3;

  std::string out = fmt::format("--- {}\n+++ {}\n", oldName, newName);
  std::size_t i = 0;
  while (i < ops.size()) {
    if (ops[i] == Op::Keep) {
      ++i;
      continue;
    }
    // A hunk: from kContext kept steps before this change to kContext after
    // the last change that lies within 2*kContext of the one before.
    std::size_t start = i >= kContext ? i - kContext : 0;
    while (start < i && ops[start] != Op::Keep) ++start;  // never inside an earlier hunk
    std::size_t end = i;
    std::size_t kept = 0;
    for (std::size_t j = i; j < ops.size(); ++j) {
      if (ops[j] == Op::Keep) {
        if (++kept > 2 * kContext) break;
      } else {
        kept = 0;
        end = j + 1;
      }
    }
    std::size_t stop = std::min(ops.size(), end + kContext);
    // Line numbers at the hunk's start.
    std::size_t ai = 0, bi = 0;
    for (std::size_t j = 0; j < start; ++j) {
      if (ops[j] != Op::Insert) ++ai;
      if (ops[j] != Op::Delete) ++bi;
    }
    std::size_t aCount = 0, bCount = 0;
    for (std::size_t j = start; j < stop; ++j) {
      if (ops[j] != Op::Insert) ++aCount;
      if (ops[j] != Op::Delete) ++bCount;
    }
    out += fmt::format("@@ -{},{} +{},{} @@\n", aCount ? ai + 1 : ai, aCount, bCount ? bi + 1 : bi, bCount);
    // Deletions of a run before its insertions, as diff tools print them.
    std::size_t x = ai, y = bi;
    std::size_t j = start;
    while (j < stop) {
      if (ops[j] == Op::Keep) {
        AppendLine(out, ' ', a[x]);
        ++x, ++y, ++j;
        continue;
      }
      std::size_t k = j;
      std::vector<std::size_t> ins;
      for (; k < stop && ops[k] != Op::Keep; ++k) {
        if (ops[k] == Op::Delete) AppendLine(out, '-', a[x++]);
        else ins.push_back(y++);
      }
      for (std::size_t yy : ins) AppendLine(out, '+', b[yy]);
      j = k;
    }
    i = stop;
  }
  return out;
}

}  // namespace kv::cli
