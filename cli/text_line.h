// text_line.h - a line of a text file that a tool reads whole (a mask, a
// catalog), of bounded length (the cli library).
#ifndef KIT_CLI_TEXT_LINE_H
#define KIT_CLI_TEXT_LINE_H

#include <sys/types.h>

#include <cstddef>
#include <cstdio>

namespace cli {

// The longest line the kit's text files may hold, its line end included.
inline constexpr std::size_t kLongestLine = 65536;

// The value text_line returns for a line longer than kLongestLine.
inline constexpr ssize_t kLineTooLong = -2;

// ---------------------------------------------------------------------------
// text_line: the next line of f, as getline(3) reads it (into *buffer, of
// *capacity bytes, grown with realloc; null-terminated; its line end kept),
// but never more than kLongestLine bytes of it.
//
// Returned (function value): the line's length; -1 at the end of the file
// or on a read error (ferror tells them apart); kLineTooLong once a line
// has run past kLongestLine bytes without a line end (what was read of it
// is dropped), so that a file of endless bytes (/dev/zero) is refused, not
// read into memory.  Throws std::bad_alloc when the buffer cannot grow.
// ---------------------------------------------------------------------------
ssize_t text_line(char **buffer, std::size_t *capacity, std::FILE *f);

} // namespace cli

#endif
