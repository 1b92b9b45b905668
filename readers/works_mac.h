#pragma once

#include "core/signature.h"

namespace lettrix {

// Readers of "MS-Works 2" and "MS-Works 3": the data fork of a word-processing
// document of Microsoft Works for the Macintosh, version 2 or 3. The version
// byte of the file decides the layout: either reader reads a document of
// either version. Return 0, -1 when a file cannot be opened or the source is
// no Works 2 or 3 document (a Works 3 document also when its body cannot be
// found; handler_reason() says why), -2 when the source is empty.
int orig_works_mac2(const char* source_path, const char* stream_path);
int orig_works_mac3(const char* source_path, const char* stream_path);

// Their signature tests (core/signature.h).
Confidence signature_works_2(const DataForkView& fork, std::string* why);
Confidence signature_works_3(const DataForkView& fork, std::string* why);

// For a file whose wrapper kept a Works creator and a type other than word
// processing ("AWSS"): what it is ("a Works document of another kind (type
// "AWSS": a spreadsheet)"); "" otherwise.
std::string works_other_kind(const DataForkView& fork);

}  // namespace lettrix
