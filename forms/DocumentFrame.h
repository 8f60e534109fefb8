#pragma once
// The file commands of a frame.

#include <string>

// A frame whose document or catalogue the window's file commands act on.
class IDocumentFrame {
public:
  virtual ~IDocumentFrame() = default;
  virtual bool Open() = 0;
  // False when nothing was written: a dialog was cancelled, or the user
  // would not write over a file another program changed.
  virtual bool Save() = 0;
  virtual bool SaveAs() = 0;
  // A save would write other bytes than were last read or written.
  virtual bool Changed() = 0;
  // Asked before a change would be lost.
  virtual std::string SaveQuestion() const = 0;
  // The file last read or written; empty for a document not yet saved.
  virtual std::string Path() const = 0;
};

// The frame of the program's own document (the simulation, the plan).
class IMainDocumentFrame : public IDocumentFrame {
public:
  // "Novo": the template as a new document.
  virtual void New() = 0;
};
