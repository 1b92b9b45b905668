#include "core/mac_scripts.h"

#include <array>
#include <cctype>

namespace lettrix {

int mac_font_script(int font_number) {
  if (font_number < 16384) return kScriptRoman;
  const int script = (font_number - 16384) / 512 + 1;
  return script <= 32 ? script : kScriptRoman;
}

namespace {

struct NamedFont {
  std::string_view prefix;  // of the name, letter case aside
  int script;
};

// The names of the fonts that the Japanese, Chinese and Korean systems
// installed and that their documents name: each stands for its family's
// members too ("Osaka" for "Osaka-Mono", "Apple LiSung" for "Apple LiSung
// Light").
constexpr std::array<NamedFont, 21> kNamedFonts = {{
    {"Osaka", kScriptJapanese},
    {"Heisei", kScriptJapanese},
    {"Ryumin", kScriptJapanese},
    {"GothicBBB", kScriptJapanese},
    {"Chu Gothic", kScriptJapanese},
    {"Saimincho", kScriptJapanese},
    {"Taipei", kScriptTraditionalChinese},
    {"Apple LiSung", kScriptTraditionalChinese},
    {"Apple LiGothic", kScriptTraditionalChinese},
    {"LiSung", kScriptTraditionalChinese},
    {"LiGothic", kScriptTraditionalChinese},
    {"Seoul", kScriptKorean},
    {"AppleGothic", kScriptKorean},
    {"Apple Gothic", kScriptKorean},
    {"AppleMyungjo", kScriptKorean},
    {"Apple Myungjo", kScriptKorean},
    {"Pusan", kScriptKorean},
    {"Taegu", kScriptKorean},
    {"Beijing", kScriptSimplifiedChinese},
    {"Fang Song", kScriptSimplifiedChinese},
    {"STSong", kScriptSimplifiedChinese},
}};

bool starts_with_ignoring_case(std::string_view name, std::string_view prefix) {
  if (name.size() < prefix.size()) return false;
  for (std::size_t i = 0; i < prefix.size(); ++i)
    if (std::tolower(static_cast<unsigned char>(name[i])) != std::tolower(static_cast<unsigned char>(prefix[i])))
      return false;
  return true;
}

}  // namespace

int mac_font_name_script(std::string_view name) {
  for (const NamedFont& font : kNamedFonts)
    if (starts_with_ignoring_case(name, font.prefix)) return font.script;
  return kScriptRoman;
}

const ReaderTable* script_table(int script) {
  switch (script) {
    case kScriptGreek: return &kMacGreekTable;
    case kScriptCyrillic: return &kMacCyrillicTable;
    case kScriptCentralEuropean: return &kMacCentralEuropeanTable;
    default: return nullptr;
  }
}

const DoubleByteSet* double_byte_set(int script) {
  switch (script) {
    case kScriptJapanese: return &kMacJapaneseSet;
    case kScriptTraditionalChinese: return &kMacTraditionalChineseSet;
    case kScriptKorean: return &kMacKoreanSet;
    case kScriptSimplifiedChinese: return &kMacSimplifiedChineseSet;
    default: return nullptr;
  }
}

}  // namespace lettrix
