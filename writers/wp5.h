#pragma once

namespace lettrix {

// "Wordperfect 5": a WordPerfect 5.0 document, written in one pass. Characters
// of the repertoire keep their table and index as WordPerfect character set
// and character. Returns 0 (an empty stream gives an empty document), or -1
// when a file cannot be opened or the document cannot be written.
int dest_wp5(const char* stream_path, const char* target_path);

}  // namespace lettrix
