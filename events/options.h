// options.h - what the command lines of the kit's windows tools share (the
// events library).
#ifndef KIT_EVENTS_OPTIONS_H
#define KIT_EVENTS_OPTIONS_H

#include <string>

namespace events {

// The kit's version, "0.1.0".
const char *kit_version();

// A number given as an option's value: the whole text read by strtod,
// finite; false for anything else (empty, trailing text, inf, nan).
bool parse_number(const char *text, double &value);

// "NAME=VALUE": false when the text holds no "=".
bool split_assignment(const char *text, std::string &name, std::string &value);

} // namespace events

#endif
