// Writer of AVI files of uncompressed 32-bit frames with an idx1 index, for
// the live recorders and the clip cutter. One recorder thread owns each
// file; errors are reported by a -1 result (or a null open) and the
// process-wide avi_error() code.
#pragma once

#include <QString>

#include <cstdint>

enum AviError {
    AVI_ERR_NONE = 0,
    AVI_ERR_SIZELIMIT = 1,  // the frame would take the file past the size limit
    AVI_ERR_OPEN = 2,       // the file could not be opened
    AVI_ERR_WRITE = 4,      // a frame could not be written
    AVI_ERR_WRITE_INDEX = 5,
    AVI_ERR_CLOSE = 6,      // the header could not be rewritten or the file cut
    AVI_ERR_NOT_PERM = 7,   // not permitted in the file's mode
    AVI_ERR_NO_MEM = 8,
};

// The most recent error of any AVI file of the process.
int avi_error();

// Files never grow past this many bytes, index included.
constexpr int64_t kAviMaxBytes = 2000000000;

struct AviOutput;

// Opens (creating when needed) the file and writes its 2,048-byte header;
// null on failure. The header is rewritten after every frame, so a file
// whose writer was killed plays up to its last whole frame.
AviOutput* avi_open_output_file(const QString& path);

// Video size (a negative height stores the frames top row first), rate and
// compressor FourCC (null: uncompressed).
void avi_set_video(AviOutput* avi, int width, int height, double fps, const char* compressor);

// Appends one frame as a key-frame chunk; 0, or -1 with the error set and
// nothing written.
int avi_write_frame(AviOutput* avi, const void* data, int64_t bytes);

// Bytes written so far (the next write offset).
int64_t avi_bytes_written(const AviOutput* avi);

// Writes the index and the header, cuts the file to its length, closes it
// and frees the record (always, even on failure). 0, or -1.
int avi_close_output_file(AviOutput* avi);
