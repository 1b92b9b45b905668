// The writing systems (scripts) of Macintosh fonts. A font of another script
// than Roman holds that script's character set: its bytes are read through
// the set's table rather than the Macintosh one.
#pragma once

#include <string_view>

#include "core/charset.h"
#include "core/double_byte.h"

namespace lettrix {

// The Script Manager's codes of the scripts this program reads.
inline constexpr int kScriptRoman = 0;
inline constexpr int kScriptJapanese = 1;
inline constexpr int kScriptTraditionalChinese = 2;
inline constexpr int kScriptKorean = 3;
inline constexpr int kScriptGreek = 6;
inline constexpr int kScriptCyrillic = 7;
inline constexpr int kScriptSimplifiedChinese = 25;
inline constexpr int kScriptCentralEuropean = 29;

// The script of a font family number: the Script Manager gives script s (1
// to 32) the numbers from 16384 + 512 * (s - 1), 512 of them; Roman for the
// numbers below.
int mac_font_script(int font_number);
// The script of a font told by its name, for the fonts of other scripts that
// the systems of those countries installed (Osaka, Taipei, Seoul...); Roman
// for any other name.
int mac_font_name_script(std::string_view name);

// The reader table of a single-byte script whose letters the repertoire
// holds (Greek, Cyrillic, Central European); null for any other.
const ReaderTable* script_table(int script);
// The character set of a script written with two bytes a character
// (Japanese, Chinese, Korean); null for any other.
const DoubleByteSet* double_byte_set(int script);

}  // namespace lettrix
