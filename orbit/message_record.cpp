// message_record.cpp - a message's state as an orbit record.
#include "message_record.h"

namespace tracking {

bool message_record(const oem::OemRecord &m, OrbitRecord &r) {
  const long long fields[5] = {m.year, m.month, m.day, m.hour, m.minute};
  if (!set_timestamp(fields, m.second, r))
    return false;
  r.x = m.x;
  r.y = m.y;
  r.z = m.z;
  r.vx = m.vx;
  r.vy = m.vy;
  r.vz = m.vz;
  return true;
}

} // namespace tracking
