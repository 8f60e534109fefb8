#pragma once
// Replacing a whole file so that a failure leaves the old one as it was.

#include <string>
#include <string_view>

// The bytes go first into a new file beside the target, named after it with
// this suffix and six random characters.
inline constexpr const char* kTemporarySaveSuffix = ".tmp";

// Writes bytes as the whole of fileName: into a temporary file beside it,
// flushed to the disk, then renamed over it. A symbolic link is followed, also
// one that points nowhere: the file it names is replaced or created and the
// link stays. A file the user may not write is left as it is. A replaced file
// keeps its permissions, a new one gets the usual ones. On failure the
// temporary file goes and EFCreateError is raised: `failure` (by default "Não
// foi possível criar o arquivo " and the file name), ": " and the system's
// reason.
void ReplaceFileContents(const std::string& fileName, std::string_view bytes, const std::string& failure = {});

// Whether a save may replace a file: 0, or the system's reason (an errno
// value) for refusing; a file that is not there may be created. By default
// the user's write permission as access() tells it.
using SaveAccessCheck = int (*)(const std::string& fileName);
// Puts check in place of the current one and returns that; nullptr brings
// the default back. For tests, which may run as the superuser, whom access()
// never refuses.
SaveAccessCheck SetSaveAccessCheck(SaveAccessCheck check);

// Copies the file, byte for byte, to a name beside it that is still free:
// fileName + suffix, then with "-2", "-3", ... after it. Returns the name
// used. Raises EFCreateError (the file name and the system's reason) when it
// cannot be read or copied; no copy is left then.
std::string KeepFileCopy(const std::string& fileName, const std::string& suffix);
