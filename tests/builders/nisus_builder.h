// Builds Nisus Writer documents as MacBinary files (type "TEXT", creator
// "NISI"): the text in the data fork, each footnote reference a byte 0x1C;
// the footnote texts in "FNTX" resources of the resource fork, each text
// introduced by 0x1C. The resource fork is laid out as the Resource Manager
// writes it: the 16-byte header, the data area at 256, the map with its
// header copy, type list, reference lists and name list.
//
//   auto doc = NisusBuilder{}.text("See").footnote("A note.").text(" here.\r").build();
//
// Texts are given in the Macintosh character set.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace lettrix::build {

// Where the builder put the parts of the resource fork (file offsets), for
// tests that damage a document on purpose.
struct NisusLayout {
  std::size_t resource_fork = 0;
  std::size_t map = 0;
  std::size_t type_list = 0;                 // its count word
  std::vector<std::size_t> reference_lists;  // one per type, in type-list order
  std::vector<std::size_t> data_items;       // each resource's length word, in map order
};

class NisusBuilder {
 public:
  // Text of the data fork.
  NisusBuilder& text(std::string_view mac_bytes);
  // A reference (0x1C) in the text, and the footnote's text.
  NisusBuilder& footnote(std::string_view mac_bytes);
  // How many footnote texts each "FNTX" resource holds (default: all in one).
  NisusBuilder& notes_per_resource(std::size_t n);
  // A resource of another type, written before the "FNTX" type in the map.
  NisusBuilder& other_resource(const std::string& type, std::string_view data, const std::string& name = "");
  // No resource fork at all.
  NisusBuilder& without_resource_fork();

  // The MacBinary file.
  std::string build(NisusLayout* layout = nullptr) const;
  // The resource fork alone, offsets of layout counted from its start.
  std::string resource_fork(NisusLayout* layout = nullptr) const;
  const std::string& data_fork() const { return text_; }

 private:
  std::string text_;
  std::vector<std::string> notes_;
  std::size_t per_resource_ = 0;
  struct Resource {
    std::string type;
    std::string data;
    std::string name;
  };
  std::vector<Resource> others_;
  bool fork_ = true;
};

}  // namespace lettrix::build
