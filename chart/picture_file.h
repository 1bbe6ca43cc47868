// picture_file.h - a picture written beside its name and put in its place
// only when whole (the chart library).
#ifndef KIT_CHART_PICTURE_FILE_H
#define KIT_CHART_PICTURE_FILE_H

#include <sys/types.h>

#include <string>

namespace chart {

// ---------------------------------------------------------------------------
// PictureFile: a private file beside OUTPUT (".passchart.XXXXXX" in
// OUTPUT's folder), renamed over OUTPUT by commit(), removed otherwise (by
// the destructor, or by the handler of a hangup, an interrupt, a quit, a
// termination, an alarm or a user signal that was not ignored, which then
// says "passchart: stopped by a signal, no picture written" and ends the
// process with status 1).  Once commit() renames, those signals are held
// back until the process ends.
//
// Throws kit::Failure: "'OUTPUT' is a folder, not a picture file", "cannot
// write 'OUTPUT': REASON" (its folder missing, not a folder, or not
// writable).  commit() gives the file the mode a new file gets under the
// umask, and throws "cannot write 'OUTPUT': REASON" when the rename fails.
// ---------------------------------------------------------------------------
class PictureFile {
public:
  explicit PictureFile(const std::string &output);
  ~PictureFile();
  PictureFile(const PictureFile &) = delete;
  PictureFile &operator=(const PictureFile &) = delete;

  int descriptor() const { return fd_; }
  // A second private file in the same folder, already unlinked: room for
  // what gnuplot says.  -1 when it cannot be made.
  int scratch() const;
  void commit();
  // The process a hangup, an interrupt or a termination ends too, before
  // the file is removed (0: none).
  void stop_on_signal(pid_t child);

private:
  std::string output_, path_;
  std::string template_; // the private files' names: mkostemp's template
  int fd_ = -1;
};

} // namespace chart

#endif
