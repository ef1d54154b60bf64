// Recordings written for tests: the first frames of a recording, through
// the recording writer of the frame document.
#pragma once

#include <QString>

#include <cstdint>

namespace roadtest {

// Writes the first `frames` frames of `source` to `path`; false on failure.
bool write_recording_prefix(const QString& source, const QString& path, uint32_t frames);
// Writes frames first .. first + frames - 1 of `source` to `path`, with
// their frame times; false on failure.
bool write_recording_part(const QString& source, const QString& path, uint32_t first, uint32_t frames);

}  // namespace roadtest
