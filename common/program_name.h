// program_name.h - the name a program shows for itself in its usage text.
#ifndef KIT_COMMON_PROGRAM_NAME_H
#define KIT_COMMON_PROGRAM_NAME_H

namespace kit {

// program_name: argv[0] as invoked, or own_name when the program was
// started without one: argc 0, a null argv or argv[0], or the empty
// argument zero Linux passes for an empty argument vector.
inline const char *program_name(int argc, const char *const argv[],
                                const char *own_name) {
  if (argc < 1 || argv == nullptr || argv[0] == nullptr || argv[0][0] == '\0')
    return own_name;
  return argv[0];
}

} // namespace kit

#endif
