// How the settings file holds texts that an INI line cannot: the escaping of
// keys and values, and the header comment that explains it to a reader of
// the file.
//
// An INI line ends at a line break and loses the blanks and tabs around its
// key and value; UTF-8 cannot hold a lone UTF-16 surrogate. So a backslash
// starts an escape:
//   \\ backslash   \s blank   \t tab   \r carriage return   \n line feed
//   \xHH    the character U+00HH (the other control characters, U+0085)
//   \uHHHH  the UTF-16 unit HHHH (a lone surrogate, U+2028, U+2029)
// A blank is escaped only at the start or the end of a text. In a key, '='
// is always escaped and a leading '[', ';' or '#' too, so that the line
// stays an entry. A backslash before any other character stands for itself,
// so most hand-written backslashes read as typed ("C:\Kestrova" does; in
// "C:\temp" the "\t" is a tab). Every UTF-16 text, of any length, written
// with EscapeValue reads back unchanged through Unescape.
#pragma once

#include <string>
#include <string_view>

#include "support/text/VbText.h"

namespace kv::settings {

std::string EscapeValue(VbStringView value);
std::string EscapeKey(VbStringView key);
// `text` must be valid UTF-8.
VbString Unescape(std::string_view text);

// The comment the store writes at the top of a file it creates.
extern const std::string_view kFileHeader;

}  // namespace kv::settings
