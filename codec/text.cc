#include "codec/text.h"

#include <algorithm>
#include <cstdio>

namespace pak {
namespace {

constexpr char16_t kReplacement = 0xFFFD;

// The 0x80..0x9F block of Windows-1252; 0 marks the five unassigned bytes,
// which decode to the C1 control of the same value.
constexpr char16_t k1252High[32] = {0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
                                    0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

class Windows1252CodePage final : public CodePage {
 public:
  std::string Encode(std::u16string_view text) const override {
    std::string out;
    out.reserve(text.size());
    for (char16_t c : text) out.push_back(static_cast<char>(EncodeOne(c)));
    return out;
  }

  std::u16string Decode(std::string_view bytes) const override {
    std::u16string out;
    out.reserve(bytes.size());
    for (char b : bytes) {
      auto u = static_cast<unsigned char>(b);
      if (u >= 0x80 && u < 0xA0 && k1252High[u - 0x80] != 0) {
        out.push_back(k1252High[u - 0x80]);
      } else {
        out.push_back(static_cast<char16_t>(u));
      }
    }
    return out;
  }

  std::size_t MaxBytesPerUnit() const override { return 1; }

 private:
  static unsigned char EncodeOne(char16_t c) {
    if (c < 0x80 || c >= 0xA0) {
      return c <= 0xFF ? static_cast<unsigned char>(c) : MapHigh(c);
    }
    // U+0080..U+009F: only the five bytes that 1252 leaves unassigned map back.
    const unsigned idx = c - 0x80u;
    return k1252High[idx] == 0 ? static_cast<unsigned char>(c) : '?';
  }
  static unsigned char MapHigh(char16_t c) {
    for (unsigned i = 0; i < 32; ++i) {
      if (k1252High[i] == c && c != 0) return static_cast<unsigned char>(0x80 + i);
    }
    return '?';
  }
};

}  // namespace

std::string ToUtf8(std::u16string_view text) {
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    char32_t cp = text[i];
    if (cp >= 0xD800 && cp <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
        text[i + 1] <= 0xDFFF) {
      cp = 0x10000 + ((cp - 0xD800) << 10) + (text[i + 1] - 0xDC00);
      ++i;
    } else if (cp >= 0xD800 && cp <= 0xDFFF) {
      cp = kReplacement;
    }
    if (cp < 0x80) {
      out.push_back(static_cast<char>(cp));
    } else if (cp < 0x800) {
      out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
      out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else if (cp < 0x10000) {
      out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
      out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else {
      out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
      out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    }
  }
  return out;
}

std::u16string FromUtf8(std::string_view text, bool* valid) {
  std::u16string out;
  out.reserve(text.size());
  bool all_valid = true;
  size_t i = 0;
  while (i < text.size()) {
    const auto b0 = static_cast<unsigned char>(text[i]);
    int extra = 0;
    char32_t cp = 0;
    if (b0 < 0x80) {
      cp = b0;
    } else if ((b0 & 0xE0) == 0xC0) {
      extra = 1;
      cp = b0 & 0x1F;
    } else if ((b0 & 0xF0) == 0xE0) {
      extra = 2;
      cp = b0 & 0x0F;
    } else if ((b0 & 0xF8) == 0xF0) {
      extra = 3;
      cp = b0 & 0x07;
    } else {
      extra = -1;
    }
    // The sequence's last byte, i + extra, must lie inside the text.
    bool ok = extra >= 0 && i + static_cast<size_t>(extra) < text.size();
    if (ok && extra > 0) {
      for (int k = 1; ok && k <= extra; ++k) {
        const auto b = static_cast<unsigned char>(text[i + static_cast<size_t>(k)]);
        if ((b & 0xC0) != 0x80) {
          ok = false;
        } else {
          cp = (cp << 6) | (b & 0x3F);
        }
      }
      // Overlong forms, surrogates and values past U+10FFFF are invalid.
      static constexpr char32_t kMin[4] = {0, 0x80, 0x800, 0x10000};
      if (ok && (cp < kMin[extra] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))) {
        ok = false;
      }
    }
    if (!ok) {
      all_valid = false;
      out.push_back(kReplacement);
      ++i;
      continue;
    }
    if (cp >= 0x10000) {
      cp -= 0x10000;
      out.push_back(static_cast<char16_t>(0xD800 + (cp >> 10)));
      out.push_back(static_cast<char16_t>(0xDC00 + (cp & 0x3FF)));
    } else {
      out.push_back(static_cast<char16_t>(cp));
    }
    i += static_cast<size_t>(extra) + 1;
  }
  if (valid != nullptr) *valid = all_valid;
  return out;
}

char16_t FoldCase(char16_t c) {
  if (c >= u'a' && c <= u'z') return static_cast<char16_t>(c - 0x20);
  // Latin-1 lower-case letters, except the multiplication sign's twin U+00F7.
  if (c >= 0xE0 && c <= 0xFE && c != 0xF7) return static_cast<char16_t>(c - 0x20);
  if (c == 0xFF) return 0x178;
  return c;
}

std::u16string FoldCase(std::u16string_view text) {
  std::u16string out(text);
  for (auto& c : out) c = FoldCase(c);
  return out;
}

bool EqualsIgnoreCase(std::u16string_view a, std::u16string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (FoldCase(a[i]) != FoldCase(b[i])) return false;
  }
  return true;
}

std::size_t IgnoreCaseHash::operator()(std::u16string_view text) const {
  // FNV-1a over the folded code units.
  std::uint64_t hash = 14695981039346656037ull;
  for (char16_t c : text) {
    hash = (hash ^ FoldCase(c)) * 1099511628211ull;
  }
  return static_cast<std::size_t>(hash);
}

bool LessIgnoreCase(std::u16string_view a, std::u16string_view b) {
  const size_t n = std::min(a.size(), b.size());
  for (size_t i = 0; i < n; ++i) {
    const char16_t fa = FoldCase(a[i]);
    const char16_t fb = FoldCase(b[i]);
    if (fa != fb) return fa < fb;
  }
  if (a.size() != b.size()) return a.size() < b.size();
  return a < b;
}

const CodePage& Windows1252() {
  static const Windows1252CodePage page;
  return page;
}

#ifdef _WIN32
// The system's ANSI code page (code_page_win32.cc).
const CodePage& AnsiCodePage();
#endif

const CodePage& SystemCodePage() {
#ifdef _WIN32
  return AnsiCodePage();
#else
  return Windows1252();
#endif
}

namespace {

// The length of the valid UTF-8 sequence at the start of `text`, or 0.
std::size_t Utf8SequenceLength(std::string_view text) {
  const auto b0 = static_cast<unsigned char>(text[0]);
  std::size_t length = 0;
  char32_t min = 0;
  if (b0 < 0x80) return 1;
  if (b0 >= 0xC2 && b0 <= 0xDF) {
    length = 2;
    min = 0x80;
  } else if (b0 >= 0xE0 && b0 <= 0xEF) {
    length = 3;
    min = 0x800;
  } else if (b0 >= 0xF0 && b0 <= 0xF4) {
    length = 4;
    min = 0x10000;
  } else {
    return 0;
  }
  if (text.size() < length) return 0;
  char32_t cp = b0 & (0x7F >> length);
  for (std::size_t i = 1; i < length; ++i) {
    const auto b = static_cast<unsigned char>(text[i]);
    if ((b & 0xC0) != 0x80) return 0;
    cp = (cp << 6) | (b & 0x3F);
  }
  if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return 0;
  return length;
}

void AppendHexEscape(std::string& out, unsigned value) {
  static constexpr char kDigits[] = "0123456789abcdef";
  out += "\\x";
  out.push_back(kDigits[(value >> 4) & 0xF]);
  out.push_back(kDigits[value & 0xF]);
}

void AppendCodePointEscape(std::string& out, char32_t code_point) {
  char text[16];
  std::snprintf(text, sizeof text, "\\u{%04X}", static_cast<unsigned>(code_point));
  out += text;
}

char32_t DecodeUtf8(std::string_view sequence) {
  const auto b0 = static_cast<unsigned char>(sequence[0]);
  if (sequence.size() == 1) return b0;
  char32_t cp = b0 & (0x7F >> sequence.size());
  for (std::size_t i = 1; i < sequence.size(); ++i) {
    cp = (cp << 6) | (static_cast<unsigned char>(sequence[i]) & 0x3F);
  }
  return cp;
}

std::string Escape(std::string_view utf8, bool double_backslashes) {
  std::string out;
  out.reserve(utf8.size());
  std::size_t i = 0;
  while (i < utf8.size()) {
    const auto b = static_cast<unsigned char>(utf8[i]);
    const std::size_t length = Utf8SequenceLength(utf8.substr(i));
    if (length == 0) {
      AppendHexEscape(out, b);  // not UTF-8: the raw byte
      ++i;
    } else if (b < 0x20 || b == 0x7F) {
      AppendHexEscape(out, b);
      ++i;
    } else if (b == 0xC2 && static_cast<unsigned char>(utf8[i + 1]) < 0xA0) {
      AppendHexEscape(out, static_cast<unsigned char>(utf8[i + 1]));  // C1: U+0080..U+009F
      i += 2;
    } else if (double_backslashes && b == '\\' &&
               (utf8.substr(i + 1).starts_with('x') || utf8.substr(i + 1).starts_with("u{"))) {
      out += "\\\\";
      ++i;
    } else if (const char32_t cp = DecodeUtf8(utf8.substr(i, length)); IsHiddenCharacter(cp)) {
      AppendCodePointEscape(out, cp);
      i += length;
    } else {
      out.append(utf8.substr(i, length));
      i += length;
    }
  }
  return out;
}

}  // namespace

bool IsHiddenCharacter(char32_t cp) {
  // Unicode's format characters (category Cf), and the two separators of category Zl and Zp.
  struct Range {
    char32_t first, last;
  };
  static constexpr Range kHidden[] = {
      {0x00AD, 0x00AD},   {0x0600, 0x0605},   {0x061C, 0x061C},   {0x06DD, 0x06DD},
      {0x070F, 0x070F},   {0x0890, 0x0891},   {0x08E2, 0x08E2},   {0x180E, 0x180E},
      {0x200B, 0x200F},   {0x2028, 0x202E},   {0x2060, 0x2064},   {0x2066, 0x206F},
      {0xFEFF, 0xFEFF},   {0xFFF9, 0xFFFB},   {0x110BD, 0x110BD}, {0x110CD, 0x110CD},
      {0x13430, 0x1343F}, {0x1BCA0, 0x1BCA3}, {0x1D173, 0x1D17A}, {0xE0001, 0xE0001},
      {0xE0020, 0xE007F},
  };
  for (const Range& range : kHidden) {
    if (cp < range.first) return false;
    if (cp <= range.last) return true;
  }
  return false;
}

std::u16string_view CutAtCharacter(std::u16string_view text, std::size_t units) {
  if (text.size() <= units) return text;
  const char16_t next = text[units];
  const bool inside_pair = units > 0 && next >= 0xDC00 && next <= 0xDFFF &&
                           text[units - 1] >= 0xD800 && text[units - 1] <= 0xDBFF;
  return text.substr(0, inside_pair ? units - 1 : units);
}

std::string_view CutAtCharacter(std::string_view utf8, std::size_t bytes) {
  if (utf8.size() <= bytes) return utf8;
  // Back over continuation bytes to the start of the character that the cut would split.
  std::size_t end = bytes;
  while (end > 0 && (static_cast<unsigned char>(utf8[end]) & 0xC0) == 0x80 && bytes - end < 3) {
    --end;
  }
  return utf8.substr(0, (static_cast<unsigned char>(utf8[end]) & 0xC0) == 0x80 ? bytes : end);
}

std::string EscapeControls(std::string_view utf8) { return Escape(utf8, true); }

std::string EscapeRawControls(std::string_view utf8) { return Escape(utf8, false); }

std::u16string DisplayName(std::u16string_view name) {
  return FromUtf8(EscapeControls(ToUtf8(name)));
}

}  // namespace pak
