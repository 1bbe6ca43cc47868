// message_record.h - a state of an orbit ephemeris message as the kit's
// orbit record (the tracking library).
#ifndef KIT_ORBIT_MESSAGE_RECORD_H
#define KIT_ORBIT_MESSAGE_RECORD_H

#include "oem.h"
#include "orbit_record.h"

namespace tracking {

// ---------------------------------------------------------------------------
// message_record: the orbit record of a message's state.
//
// Given:   m  a state as the message reader gives it (UTC fields, GCRS axes)
// Returned:
//   r               the record whose timestamp has m's fields, checked as
//                   read_orbit_record checks a timestamp it reads
//                   (set_timestamp), so that its record time and Julian
//                   date are those of the same record in an orbit file
//   function value  false when set_timestamp refuses the fields
// ---------------------------------------------------------------------------
bool message_record(const oem::OemRecord &m, OrbitRecord &r);

} // namespace tracking

#endif
