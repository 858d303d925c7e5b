#include "codec/select.h"

#include <unordered_set>

#include "codec/text.h"

namespace pak {
namespace {

// Matches one character against the set that starts after the "[" at
// pattern[start]. Returns false in *closed when the set has no "]", in which
// case the "[" stands for itself. Otherwise *next is the position after "]".
bool MatchSet(std::u16string_view pattern, std::size_t start, char16_t c, bool* closed,
              std::size_t* next) {
  std::size_t p = start;
  bool negated = false;
  if (p < pattern.size() && (pattern[p] == u'!' || pattern[p] == u'^')) {
    negated = true;
    ++p;
  }
  bool found = false;
  bool first = true;
  while (p < pattern.size() && (first || pattern[p] != u']')) {
    first = false;
    char16_t lo = pattern[p];
    if (lo == u'\\' && p + 1 < pattern.size()) lo = pattern[++p];
    ++p;
    char16_t hi = lo;
    if (p + 1 < pattern.size() && pattern[p] == u'-' && pattern[p + 1] != u']') {
      hi = pattern[p + 1];
      if (hi == u'\\' && p + 2 < pattern.size()) hi = pattern[++p + 1];
      p += 2;
    }
    const char16_t folded = FoldCase(c);
    if ((lo <= c && c <= hi) || (FoldCase(lo) <= folded && folded <= FoldCase(hi))) found = true;
  }
  if (p >= pattern.size()) {
    *closed = false;
    return false;
  }
  *closed = true;
  *next = p + 1;
  return found != negated;
}

// Matches the pattern element at pattern[p] (not "*") against c. Sets *next to
// the position after the element.
bool MatchOne(std::u16string_view pattern, std::size_t p, char16_t c, std::size_t* next) {
  const char16_t head = pattern[p];
  if (head == u'?') {
    *next = p + 1;
    return true;
  }
  if (head == u'[') {
    bool closed = false;
    const bool in_set = MatchSet(pattern, p + 1, c, &closed, next);
    if (closed) return in_set;
  }
  char16_t literal = head;
  *next = p + 1;
  if (head == u'\\' && p + 1 < pattern.size()) {
    literal = pattern[p + 1];
    *next = p + 2;
  }
  return FoldCase(literal) == FoldCase(c);
}

bool AnyMatch(const std::vector<std::u16string>& patterns, std::u16string_view name) {
  for (const auto& pattern : patterns) {
    if (GlobMatch(pattern, name)) return true;
  }
  return false;
}

}  // namespace

bool GlobMatch(std::u16string_view pattern, std::u16string_view name) {
  // Walks both texts once; on a mismatch after a "*", lets that star take one
  // more character and tries again from there. Only the last star needs to be
  // retried: an earlier one could only move the same text further left.
  std::size_t p = 0, n = 0;
  std::size_t star = std::u16string_view::npos, star_n = 0;
  while (n < name.size()) {
    std::size_t next = 0;
    if (p < pattern.size() && pattern[p] == u'*') {
      star = ++p;
      star_n = n;
    } else if (p < pattern.size() && MatchOne(pattern, p, name[n], &next)) {
      p = next;
      ++n;
    } else if (star != std::u16string_view::npos) {
      p = star;
      n = ++star_n;
    } else {
      return false;
    }
  }
  while (p < pattern.size() && pattern[p] == u'*') ++p;
  return p == pattern.size();
}

Result<std::vector<std::size_t>> SelectEntries(const PakArchive& archive,
                                               const EntrySelection& selection) {
  std::unordered_set<std::u16string> wanted;
  for (const auto& name : selection.names) wanted.insert(FoldCase(name));
  std::unordered_set<std::u16string> seen;
  std::vector<std::size_t> chosen;
  const bool by_default = selection.names.empty() && selection.includes.empty();
  for (std::size_t i = 0; i < archive.size(); ++i) {
    const std::u16string& name = archive[i].name;
    const std::u16string folded = FoldCase(name);
    const bool named = wanted.contains(folded);
    if (named) seen.insert(folded);
    if (!(by_default || named || AnyMatch(selection.includes, name))) continue;
    if (AnyMatch(selection.excludes, name)) continue;
    chosen.push_back(i);
  }
  std::string missing;
  std::unordered_set<std::u16string> reported;
  for (const auto& name : selection.names) {
    const std::u16string folded = FoldCase(name);
    if (seen.contains(folded) || !reported.insert(folded).second) continue;
    missing += missing.empty() ? "" : ", ";
    missing += "\"" + ToUtf8(name) + "\"";
  }
  if (!missing.empty()) return Status::Refused("The archive holds no entry named " + missing);
  return chosen;
}

}  // namespace pak
