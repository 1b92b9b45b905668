// The TextEdit style scrap (StScrpRec) as a "styl" resource stores it, all
// numbers big-endian:
//
//   0   2   number of runs (scrpNStyles)
//   2       20 bytes per run (ScrpSTElement), in text order:
//     0   4   offset of the run's first character in the text (scrpStartChar)
//     4   2   line height (scrpHeight, not read)
//     6   2   font ascent (scrpAscent, not read)
//     8   2   font family number (scrpFont)
//     10  1   face (scrpFace): bold 1, italic 2, underline 4, outline 8,
//             shadow 16, condense 32, extend 64
//     11  1   filler
//     12  2   size in points (scrpSize)
//     14  6   colour: red, green, blue, 16 bits each (scrpColor)
//
// A "FOND" resource's name is a font family's name and its id the family's
// number. "PICT" resources 1000, 1001, ... are QuickDraw pictures (size
// word, frame, opcodes), the n-th drawn in place of the text's n-th 0xCA.
#include "readers/mac_text_styles.h"

#include "core/charset.h"

#include <algorithm>
#include <array>
#include <climits>
#include <string>

#include "core/byte_helpers.h"
#include "core/mac_scripts.h"
#include "core/resource_fork.h"
#include "core/style_bits.h"
#include "readers/mac_picture.h"
#include "support/strings.h"

namespace lettrix {

namespace {

constexpr std::size_t kCountSize = 2;
constexpr std::size_t kRunSize = 20;
constexpr std::int16_t kFirstPicture = 1000;
constexpr std::size_t kPageFrameSize = 8;  // the frame write_mac_picture expects before a picture

constexpr std::uint32_t kStyleType = resource_type("styl");
constexpr std::uint32_t kFontFamilyType = resource_type("FOND");
constexpr std::uint32_t kPictureType = resource_type("PICT");
constexpr std::int16_t kTextEditStyleId = 128;

// The colours of TextColour 1 to 16, as the RTF writer's colour table has them.
constexpr std::array<std::array<int, 3>, 16> kPalette = {{{0, 0, 0},
                                                          {0, 0, 255},
                                                          {0, 255, 255},
                                                          {0, 255, 0},
                                                          {255, 0, 255},
                                                          {255, 0, 0},
                                                          {255, 255, 0},
                                                          {255, 255, 255},
                                                          {0, 0, 127},
                                                          {0, 127, 127},
                                                          {0, 127, 0},
                                                          {127, 0, 127},
                                                          {127, 0, 0},
                                                          {127, 127, 0},
                                                          {127, 127, 127},
                                                          {192, 192, 192}}};

// The "styl" resource to read: id 128, which the editors write, else the
// first of the map.
const ResourceRef* style_resource(const std::vector<ResourceRef>& refs) {
  const ResourceRef* first = nullptr;
  for (const ResourceRef& ref : refs) {
    if (ref.type != kStyleType) continue;
    if (ref.id == kTextEditStyleId) return &ref;
    if (!first) first = &ref;
  }
  return first;
}

// The "PICT" resources numbered from 1000 on, by number.
std::vector<const ResourceRef*> picture_resources(const std::vector<ResourceRef>& refs) {
  std::vector<const ResourceRef*> pictures;
  for (const ResourceRef& ref : refs)
    if (ref.type == kPictureType && ref.id >= kFirstPicture) pictures.push_back(&ref);
  std::stable_sort(pictures.begin(), pictures.end(),
                   [](const ResourceRef* a, const ResourceRef* b) { return a->id < b->id; });
  return pictures;
}

}  // namespace

void decode_style_scrap(std::span<const std::uint8_t> resource, std::uint64_t text_length, MacTextLook& look,
                        Damage& damage) {
  ByteReader r(resource.data(), resource.size());
  const std::size_t count = r.be16();
  if (!r.ok()) {
    damage.note("the style table is empty (" + std::to_string(resource.size()) + " bytes)");
    return;
  }
  const std::size_t room = (resource.size() - kCountSize) / kRunSize;
  if (count > room)
    damage.note("the style table counts " + std::to_string(count) + " runs but holds " + std::to_string(room));
  const std::size_t runs = count < room ? count : room;
  look.runs.reserve(runs);
  for (std::size_t i = 0; i < runs; ++i) {
    TextStyleRun run;
    run.start = r.be32();
    r.skip(4);  // line height, ascent
    run.font = r.be16s();
    run.face = r.u8();
    r.skip(1);
    run.size = r.be16s();
    run.red = r.be16();
    run.green = r.be16();
    run.blue = r.be16();
    if (run.start > text_length) {
      damage.note("style run " + std::to_string(i + 1) + " starts at byte " + with_thousands(run.start) +
                  ", beyond the text's " + with_thousands(text_length));
      continue;
    }
    if (!look.runs.empty() && run.start < look.runs.back().start) {
      damage.note("style run " + std::to_string(i + 1) + " starts at byte " + with_thousands(run.start) +
                  ", before the run ahead of it");
      continue;
    }
    // Of runs that start together the last one holds.
    if (!look.runs.empty() && run.start == look.runs.back().start)
      look.runs.back() = run;
    else
      look.runs.push_back(run);
  }
}

MacTextLook read_mac_text_look(SourceView& fork, std::uint64_t text_length, Damage& damage) {
  MacTextLook look;
  ResourceFork map(fork);
  if (map.read_map() != ResourceForkStatus::Ok) return look;
  const std::vector<ResourceRef>& refs = map.refs();

  for (const ResourceRef& ref : refs)
    if (ref.type == kFontFamilyType && !ref.name.empty()) look.font_names.push_back({ref.id, ref.name});

  std::vector<std::uint8_t> data;
  if (const ResourceRef* style = style_resource(refs)) {
    if (map.read_data(*style, data))
      decode_style_scrap(data, text_length, look, damage);
    else
      damage.note("the style table lies outside the resource fork");
  }

  // Pictures from 1000 up to the first number missing (or repeated).
  const std::vector<const ResourceRef*> pictures = picture_resources(refs);
  for (std::size_t n = 0; n < pictures.size(); ++n) {
    const ResourceRef* ref = pictures[n];
    if (ref->id != static_cast<int>(kFirstPicture + n)) break;
    std::vector<std::uint8_t> picture(kPageFrameSize, 0);  // an empty frame: the picture's own one holds
    if (!map.read_data(*ref, data)) {
      damage.note("picture " + std::to_string(kFirstPicture + n) + " lies outside the resource fork");
      break;
    }
    picture.insert(picture.end(), data.begin(), data.end());
    if (classify_mac_picture(picture) != MacPictureKind::Picture) picture.clear();
    look.pictures.push_back(std::move(picture));
  }
  return look;
}

int nearest_text_colour(std::uint16_t red, std::uint16_t green, std::uint16_t blue) {
  const int rgb[3] = {red >> 8, green >> 8, blue >> 8};
  int best = 0;
  long best_distance = LONG_MAX;
  for (std::size_t i = 0; i < kPalette.size(); ++i) {
    long distance = 0;
    for (int k = 0; k < 3; ++k) {
      const long d = rgb[k] - kPalette[i][static_cast<std::size_t>(k)];
      distance += d * d;
    }
    if (distance < best_distance) {
      best_distance = distance;
      best = static_cast<int>(i);
    }
  }
  return best == 0 ? 0 : best + 1;
}

RunCharacters write_style_run(std::FILE* out, CharState& cs, MacFontNumberCache& fonts, const MacTextLook& look,
                              const TextStyleRun& run) {
  RunCharacters chars;
  int script = mac_font_script(run.font);
  chars.table = nullptr;
  for (const MacTextLook::FontName& f : look.font_names)
    if (f.number == run.font) {
      chars.table = &select_mac_font_name(cs, f.name, out);
      if (script == kScriptRoman) script = mac_font_name_script(f.name);
      break;
    }
  if (!chars.table) chars.table = &fonts.select(cs, run.font, out);
  // A font of another script reads its bytes in that script's character set.
  if (const ReaderTable* table = script_table(script)) chars.table = table;
  chars.wide = double_byte_set(script);
  if (run.size > 0) set_font_size(out, cs, run.size);
  write_style(out, cs, kTextEditStyle, run.face);
  set_text_colour(out, cs, nearest_text_colour(run.red, run.green, run.blue));
  return chars;
}

}  // namespace lettrix
