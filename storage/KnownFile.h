#pragma once
// What the program last read from or wrote to a file, so that a save there
// can tell whether another program changed it since.

#include <optional>
#include <string>

#include "platform/services/Services.h"

// Asked before writing over a file changed outside the program:
// kMsgChangedOutside1, the full path, kMsgChangedOutside2.
inline constexpr const char* kMsgChangedOutside1 = "O arquivo \"";
inline constexpr const char* kMsgChangedOutside2 =
    "\" foi alterado fora do programa desde que foi lido. Salvar assim mesmo?";

class TKnownFile {
public:
  // The file at path holds these bytes: they were just read or written.
  void Keep(const std::string& path, std::string bytes);
  // There was no file at path when it was looked for.
  void KeepMissing(const std::string& path);
  // Nothing known: the next save asks nothing.
  void Forget();

  // Before a save to path. Another file than the one known may be written;
  // the known one too while it holds what was kept. When it is missing or
  // holds other bytes, the dialogs ask (Sim, Não, Cancelar): true for Sim.
  bool MayWrite(const std::string& path, IDialogs& dialogs) const;

private:
  // Empty: nothing known.
  std::string path_;
  // None: there was no file.
  std::optional<std::string> bytes_;
};
