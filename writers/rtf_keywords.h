// The RTF control words the RTF writers use, by number. A control word is
// written as a backslash and its text; the number of a picture type is the
// picture keyword's number plus the picture kind of the stream (1, 2, 3).
#pragma once

#include <string_view>

namespace lettrix {

enum RtfKeyword : int {
  KwAnsi = 1,
  KwPc = 3,
  KwPar = 5,
  KwTab = 6,
  KwPage = 7,
  KwPard = 9,
  KwFs = 10,
  KwF = 11,
  KwB = 20,
  KwI = 21,
  KwV = 22,
  KwOutl = 23,
  KwShad = 24,
  KwCaps = 25,
  KwScaps = 26,
  KwStrike = 27,
  KwUldb = 28,
  KwUl = 29,
  KwUp = 30,
  KwDn = 31,
  KwPlain = 32,
  KwSuper = 33,
  KwQl = 40,
  KwQr = 41,
  KwQj = 42,
  KwQc = 43,
  KwLi = 44,
  KwFi = 45,
  KwRi = 46,
  KwSl = 47,
  KwSlmult = 48,
  KwTx = 57,
  KwTb = 58,
  KwTqr = 59,
  KwTqc = 60,
  KwTqdec = 61,
  KwCf = 62,
  KwUc = 63,
  KwU = 64,
  KwHeader = 100,
  KwFooter = 101,
  KwFootnote = 102,
  KwChftn = 103,
  KwHeaderl = 104,
  KwHeaderr = 105,
  KwFooterl = 106,
  KwFooterr = 107,
  KwFacingp = 108,
  KwChpgn = 109,
  KwPict = 200,  // 201 macpict, 202 wmetafile8, 203 wmetafile
  KwMacpict = 201,
  KwWmetafile8 = 202,
  KwWmetafile = 203,
  KwPich = 204,
  KwPicw = 205,
  KwBox = 300,
  KwBrdrt = 301,
  KwBrdrb = 302,
  KwBrdrl = 303,
  KwBrdrr = 304,
  KwBrdrs = 306,
  KwBrdrdb = 309,
  KwBrdrw = 310,
  KwBrsp = 311,
};

// The control word's text without its backslash ("par"); empty for a number
// that names none.
std::string_view rtf_keyword(int number);

}  // namespace lettrix
