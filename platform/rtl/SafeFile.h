#pragma once
// Replacing a whole file so that a failure leaves the old one as it was.

#include <string>
#include <string_view>

// The bytes go first into a new file beside the target, named after it with
// this suffix and six random characters.
inline constexpr const char* kTemporarySaveSuffix = ".tmp";

// Writes bytes as the whole of fileName: into a temporary file beside it,
// flushed to the disk, then renamed over it. A symbolic link is followed (the
// file it points to is replaced); a replaced file keeps its permissions, a
// new one gets the usual ones. On failure the temporary file goes and
// EFCreateError is raised: `failure` (by default "Não foi possível criar o
// arquivo " and the file name), ": " and the system's reason.
void ReplaceFileContents(const std::string& fileName, std::string_view bytes, const std::string& failure = {});

// Copies the file, byte for byte, to a name beside it that is still free:
// fileName + suffix, then with "-2", "-3", ... after it. Returns the name
// used. Raises EFCreateError (the file name and the system's reason) when it
// cannot be read or copied; no copy is left then.
std::string KeepFileCopy(const std::string& fileName, const std::string& suffix);
