// bound.cpp - names of bounds made at run time.
#include "bound.h"

#include <set>

namespace windows {

const char kStart[] = "start";
const char kEnd[] = "end";
const char kGap[] = "gap";
const char kDay[] = "day";

Bound intern(const std::string &name) {
  static std::set<std::string> names;
  return names.insert(name).first->c_str();
}

} // namespace windows
