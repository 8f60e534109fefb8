#pragma once
// The file commands of a frame.

#include <string>

// A frame whose document or catalogue the window's file commands act on.
class IDocumentFrame {
public:
  virtual ~IDocumentFrame() = default;
  virtual bool Open() = 0;
  virtual bool Save() = 0;
  virtual bool SaveAs() = 0;
  // A save would write other bytes than were last read or written.
  virtual bool Changed() = 0;
  // Asked before the program ends with the change unsaved.
  virtual std::string SaveQuestion() const = 0;
};
