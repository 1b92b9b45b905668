// Builds word-processing documents of Microsoft Works for the Macintosh,
// version 2 or 3: the 32-byte file header, then records (type, 3 bytes not
// used, 16-bit data length, data). Works 3 documents get leading records
// before the body, which begins with a paragraph-format record (type 0x80).
//
//   auto doc = WorksBuilder{2}
//                  .align('C').paragraph("Title")
//                  .style(works::kBold, 12).text("bold").style(0).paragraph(" plain")
//                  .build();
//
// Texts are given in the Macintosh character set.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace lettrix::build {

namespace works {
// Style bits of a format change.
inline constexpr std::uint8_t kBold = 0x01;
inline constexpr std::uint8_t kItalic = 0x02;
inline constexpr std::uint8_t kUnderline = 0x04;
inline constexpr std::uint8_t kOutline = 0x08;  // Works 2
inline constexpr std::uint8_t kStrike = 0x08;   // Works 3
inline constexpr std::uint8_t kShadow = 0x10;   // Works 2
inline constexpr std::uint8_t kSuperscript = 0x20;
inline constexpr std::uint8_t kSubscript = 0x40;

// Record types.
inline constexpr std::uint8_t kTextRecord = 0x00;     // text, the paragraph goes on
inline constexpr std::uint8_t kParagraphRecord = 0x20;  // text that ends its paragraph
inline constexpr std::uint8_t kFormatRecord = 0x80;
}  // namespace works

class WorksBuilder {
 public:
  // version 2 or 3.
  explicit WorksBuilder(int version);

  // Bytes of the open text record.
  WorksBuilder& text(std::string_view mac_bytes);
  // A format change in the open text record (size used by Works 2; 0 keeps it).
  WorksBuilder& style(std::uint8_t bits, std::uint8_t size = 0);
  // Ends the open text record (with the text given) as a record that ends
  // its paragraph (type 0x20), or with another text type.
  WorksBuilder& paragraph(std::string_view mac_bytes = "", std::uint8_t type = works::kParagraphRecord);
  // Ends the open text record, if any, with type 0 (the paragraph goes on).
  WorksBuilder& end_record();
  // A paragraph-format record: alignment letter L, C, F or R.
  WorksBuilder& align(char letter);
  // Any record of the body, as given.
  WorksBuilder& record(std::uint8_t type, std::string_view data);
  // Works 3: a zero-length record of type 0 and the 11-byte item after it.
  WorksBuilder& empty_item();

  // Works 3 leading part, before the body (replaces the default one record):
  // a record, or a record of length 0 followed by raw bytes.
  WorksBuilder& leading_record(std::uint8_t type, std::string_view data);
  WorksBuilder& leading_gap(std::string_view bytes);

  // Header byte 17 (1 by default in Works 3, 0 in Works 2).
  WorksBuilder& works3_mark(std::uint8_t value);
  // The record count of the header, in place of the body's real count.
  WorksBuilder& record_count(std::uint16_t count);

  std::string build() const;

 private:
  void close_open(std::uint8_t type);

  int version_;
  std::string open_;
  bool has_open_ = false;
  std::vector<std::string> body_;     // records, each with its header
  std::vector<std::string> leading_;  // Works 3 leading part
  bool leading_given_ = false;
  int mark_ = -1;
  int count_ = -1;
};

}  // namespace lettrix::build
