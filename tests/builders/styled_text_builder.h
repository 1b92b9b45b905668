// Builds the resource fork of a styled text file as TeachText and SimpleText
// save it: a "styl" resource (the TextEdit style scrap: a run count, then 20
// bytes a run), "FOND" resources that name fonts, "PICT" resources from 1000
// on; laid out as the Resource Manager writes a fork (header, data area at
// 256, map with its type list, reference lists and name list). Wrap the
// text and fork with wrapper_builder.h.
//
//   auto fork = resource_fork({{"styl", 128, style_scrap({{0, 20, 1, 12}})}});
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace lettrix::build {

struct StyleRunSpec {
  std::uint32_t start = 0;
  std::int16_t font = 0;
  std::uint8_t face = 0;
  std::int16_t size = 12;
  std::uint16_t red = 0, green = 0, blue = 0;
};

// The style scrap of the runs; `count` overrides the stored run count.
std::string style_scrap(const std::vector<StyleRunSpec>& runs, int count = -1);

struct ResourceSpec {
  std::string type;  // four characters
  std::int16_t id = 128;
  std::string data;
  std::string name = {};
};

// A resource fork of the resources, types in the order of their first one.
std::string resource_fork(const std::vector<ResourceSpec>& resources);

// A "FOND" resource naming font family `number` (its data is not read).
ResourceSpec font_family(std::int16_t number, const std::string& name);

}  // namespace lettrix::build
