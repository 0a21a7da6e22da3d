// Line ends: splitting a file's text into lines and ending them again.
#include "files/LineEnds.h"

namespace kv::files {

SplitText SplitLines(VbStringView text) {
  SplitText out;
  std::size_t crlf = 0, lf = 0;
  std::vector<bool> isCrLf;
  out.lines.reserve(text.size() / 24 + 1);
  isCrLf.reserve(text.size() / 24 + 1);
  const std::size_t size = text.size();
  std::size_t start = 0;
  while (start < size) {
    const std::size_t nl = FindUnit(text, u'\n', start);
    if (nl == VbStringView::npos) {
      out.lines.push_back(text.substr(start));
      break;
    }
    bool cr = nl > start && text[nl - 1] == u'\r';
    out.lines.push_back(text.substr(start, nl - start - (cr ? 1 : 0)));
    isCrLf.push_back(cr);
    (cr ? crlf : lf) += 1;
    start = nl + 1;
  }
  LineEnds& e = out.ends;
  e.lineCount = out.lines.size();
  e.finalLineEnd = text.empty() || text.back() == u'\n';  // lines added to an empty file end
  e.crlf = crlf >= lf;
  if (crlf && lf) {
    for (std::size_t i = 0; i < isCrLf.size(); ++i) {
      if (isCrLf[i] != e.crlf) e.exceptions.push_back(i);
    }
  }
  return out;
}

LineEndWriter::LineEndWriter(const LineEnds& ends, std::size_t count)
    : ends_(ends), count_(count), keepExceptions_(count == ends.lineCount) {}

VbStringView LineEndWriter::EndOf(std::size_t index) {
  if (index + 1 == count_ && !ends_.finalLineEnd) return {};
  bool crlf = ends_.crlf;
  if (keepExceptions_) {
    while (next_ < ends_.exceptions.size() && ends_.exceptions[next_] < index) ++next_;
    if (next_ < ends_.exceptions.size() && ends_.exceptions[next_] == index) crlf = !crlf;
  }
  return crlf ? VbStringView(u"\r\n") : VbStringView(u"\n");
}

}  // namespace kv::files
