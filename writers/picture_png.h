// The pictures of the stream for the targets that show them as PNG: the
// picture's own bytes from its hex digits, the PNG the renderer draws of a
// Macintosh picture, and the one-line stand-in of the text targets.
#pragma once

#include <chrono>
#include <string>
#include <string_view>

#include "core/stream_reader.h"
#include "graphics/pict_render.h"

namespace lettrix {

// The bytes of a Picture item (its hex digits after the 8 bytes of height and
// width, in pairs; other bytes skipped, a last odd digit dropped).
std::string picture_bytes(const StreamItem& item);

// The drawing time one document's pictures may take together, so that a
// document of a thousand slow pictures cannot hold a conversion for hours:
// each picture gets at most its own limit (graphics/pict_render.h) and what
// is left of this; once it is spent, the pictures that follow are not drawn
// (a note says so).
inline constexpr std::chrono::milliseconds kDocumentPictureTime{60000};
// Writers that draw pictures call this as they start a document.
void begin_document_pictures();
// Tests: the time of a document's pictures (kDocumentPictureTime again after).
void set_document_picture_time_for_tests(std::chrono::milliseconds time);

// The PNG of a Picture item that holds a Macintosh picture (kind 1). False
// for other kinds and for a picture of which nothing could be drawn. A
// picture drawn only in part, or not at all, leaves a note for -v
// ("picture 3 drawn in part: ..."), `number` counting the document's
// pictures from 1.
bool picture_png(const StreamItem& item, int number, RenderedPicture& out);

// Appends the Base64 form of `bytes` (RFC 4648, with padding).
void append_base64(std::string& out, std::string_view bytes);

// A length in points as CSS and XML attributes take it: "185", "112.5".
std::string points_text(double points);

// "[picture 185 × 113]": the picture's width and height in points, as the
// stream gives them.
std::string picture_placeholder(const StreamItem& item);

}  // namespace lettrix
