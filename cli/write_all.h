// write_all.h - a whole buffer written to a descriptor (the cli library).
#ifndef KIT_CLI_WRITE_ALL_H
#define KIT_CLI_WRITE_ALL_H

#include <cstddef>

namespace cli {

// write_all: writes size bytes of data to fd, again after an interrupted
// or partial write.  Returns false on any failure (errno says why; a
// reader gone away is EPIPE where SIGPIPE is ignored).
bool write_all(int fd, const char *data, std::size_t size);

} // namespace cli

#endif
