// failure.h - the one way a fault travels from the kit's libraries to a
// program's entry function, which alone prints it and chooses the status.
#ifndef KIT_COMMON_FAILURE_H
#define KIT_COMMON_FAILURE_H

#include <stdexcept>
#include <string>

namespace kit {

// A fault that ends a run: input that cannot be answered, or an
// environment that cannot serve it.  what() is the one line the program
// prints after its name ("passwindows: " + what()).
class Failure : public std::runtime_error {
public:
  explicit Failure(const std::string &what) : std::runtime_error(what) {}
};

} // namespace kit

#endif
