#pragma once
// Whether a root changed since it was last read or written: the bytes a save
// would write now against those kept then, so no flag has to follow edits.

#include <string>

#include "platform/classes/Classes.h"
#include "platform/classes/Streams.h"

class TSavedImage {
public:
  // The root as it was just read or written.
  void Keep(const TComponent& root) { image_ = WriteComponentImage(root); }
  bool Differs(const TComponent& root) const { return WriteComponentImage(root) != image_; }

private:
  std::string image_;
};
