#include "builders/works_builder.h"

#include "builders/builder_common.h"

namespace lettrix::build {

namespace {

std::string make_record(std::uint8_t type, std::string_view data) {
  std::string r(1, static_cast<char>(type));
  r.append(3, '\0');
  put_be16(r, static_cast<std::uint16_t>(data.size()));
  r.append(data);
  return r;
}

}  // namespace

WorksBuilder::WorksBuilder(int version) : version_(version) {}

WorksBuilder& WorksBuilder::text(std::string_view mac_bytes) {
  open_.append(mac_bytes);
  has_open_ = true;
  return *this;
}

WorksBuilder& WorksBuilder::style(std::uint8_t bits, std::uint8_t size) {
  open_ += '\x02';
  open_.append(2, '\0');
  open_ += static_cast<char>(size);
  open_ += static_cast<char>(bits);
  open_ += '\0';
  has_open_ = true;
  return *this;
}

void WorksBuilder::close_open(std::uint8_t type) {
  body_.push_back(make_record(type, open_));
  open_.clear();
  has_open_ = false;
}

WorksBuilder& WorksBuilder::paragraph(std::string_view mac_bytes, std::uint8_t type) {
  text(mac_bytes);
  close_open(type);
  return *this;
}

WorksBuilder& WorksBuilder::end_record() {
  if (has_open_) close_open(works::kTextRecord);
  return *this;
}

WorksBuilder& WorksBuilder::align(char letter) {
  end_record();
  std::string data(1, letter);
  data.append(15, '\0');  // the rest of the paragraph format, not read
  body_.push_back(make_record(works::kFormatRecord, data));
  return *this;
}

WorksBuilder& WorksBuilder::record(std::uint8_t type, std::string_view data) {
  end_record();
  body_.push_back(make_record(type, data));
  return *this;
}

WorksBuilder& WorksBuilder::empty_item() {
  end_record();
  std::string r = make_record(works::kTextRecord, "");
  r.append(11, '\x01');
  body_.push_back(r);
  return *this;
}

WorksBuilder& WorksBuilder::leading_record(std::uint8_t type, std::string_view data) {
  leading_given_ = true;
  leading_.push_back(make_record(type, data));
  return *this;
}

WorksBuilder& WorksBuilder::leading_gap(std::string_view bytes) {
  leading_given_ = true;
  leading_.push_back(make_record(0, "") + std::string(bytes));
  return *this;
}

WorksBuilder& WorksBuilder::works3_mark(std::uint8_t value) {
  mark_ = value;
  return *this;
}

WorksBuilder& WorksBuilder::record_count(std::uint16_t count) {
  count_ = count;
  return *this;
}

std::string WorksBuilder::build() const {
  WorksBuilder b = *this;
  b.end_record();
  std::vector<std::string> body = b.body_;
  std::string leading;
  if (version_ == 3) {
    // The body begins with a paragraph format, whatever the text says.
    body.insert(body.begin(), make_record(works::kFormatRecord, std::string("L") + std::string(15, '\0')));
    if (leading_given_) {
      for (const std::string& r : leading_) leading += r;
    } else {
      leading = make_record(0x01, "document") + make_record(0, "") + std::string(20, '\x07');
    }
  }
  std::string out(32, '\0');
  out[0] = 0x00;
  out[1] = 0x00;
  out[2] = 0x00;
  out[3] = static_cast<char>(version_ == 3 ? 9 : 8);
  out[17] = static_cast<char>(mark_ >= 0 ? mark_ : (version_ == 3 ? 1 : 0));
  set_be16(out, 18, static_cast<std::uint16_t>(count_ >= 0 ? count_ : static_cast<int>(body.size())));
  out += leading;
  for (const std::string& r : body) out += r;
  return out;
}

}  // namespace lettrix::build
