// escape.h - a text made safe for one line of output: the characters that
// would end or break it escaped (the cli library).
#ifndef KIT_CLI_ESCAPE_H
#define KIT_CLI_ESCAPE_H

#include <string>

namespace cli {

// The text with each character of `backslashed` preceded by a backslash and
// each control character (below 0x20, and 0x7f) written with the printf
// format `control` (such as "\\x%02x" or "\\u%04x"); every other byte as it
// is.
std::string escape(const std::string &text, const char *backslashed, const char *control);

} // namespace cli

#endif
