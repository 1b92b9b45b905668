// lettrix-convert --extract-pictures: every picture of a document as a file
// of its own.
#pragma once

#include <ostream>
#include <string>

namespace lettrix {

// Reads `file` (its format chosen or detected, as for --dump-stream) and
// writes each of its Macintosh pictures into `dir` (created when missing) as
// NAME-NN.pict (a 512-byte header of zeros, then the picture: the form a
// picture file takes on a PC) and NAME-NN.png (the picture drawn), NAME the
// file's name without its extension, NN counting from 01. A name already
// taken is never replaced: that file is reported and not written. Prints
// each file written to out (unless quiet), errors to err. Returns 0 when
// every picture was written, 1 otherwise.
int extract_pictures(int source_row, const std::string& file, const std::string& dir, bool quiet,
                     std::ostream& out, std::ostream& err);

}  // namespace lettrix
