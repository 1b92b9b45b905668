#include "writers/rtf_keywords.h"

#include <array>
#include <utility>

namespace lettrix {

namespace {

constexpr std::pair<int, std::string_view> kKeywords[] = {
    {KwAnsi, "ansi"},       {KwPc, "pc"},           {KwPar, "par"},
    {KwTab, "tab"},         {KwPard, "pard"},       {KwFs, "fs"},
    {KwF, "f"},             {KwB, "b"},             {KwI, "i"},
    {KwV, "v"},             {KwOutl, "outl"},       {KwShad, "shad"},
    {KwCaps, "caps"},       {KwScaps, "scaps"},     {KwStrike, "strike"},
    {KwUldb, "uldb"},       {KwUl, "ul"},           {KwUp, "up"},
    {KwDn, "dn"},           {KwPlain, "plain"},     {KwQl, "ql"},
    {KwQr, "qr"},           {KwQj, "qj"},           {KwQc, "qc"},
    {KwTx, "tx"},           {KwTb, "tb"},           {KwTqr, "tqr"},
    {KwTqc, "tqc"},         {KwTqdec, "tqdec"},     {KwCf, "cf"},
    {KwHeader, "header"},   {KwFooter, "footer"},   {KwFootnote, "footnote"},
    {KwChftn, "chftn"},     {KwPict, "pict"},       {KwMacpict, "macpict"},
    {KwWmetafile8, "wmetafile8"}, {KwWmetafile, "wmetafile"}, {KwPich, "pich"},
    {KwPicw, "picw"},       {KwBox, "box"},         {KwBrdrt, "brdrt"},
    {KwBrdrb, "brdrb"},     {KwBrdrl, "brdrl"},     {KwBrdrr, "brdrr"},
    {KwBrdrs, "brdrs"},     {KwBrdrdb, "brdrdb"},   {KwBrdrw, "brdrw"},
    {KwBrsp, "brsp"},       {KwPage, "page"},       {KwSuper, "super"},
    {KwLi, "li"},           {KwFi, "fi"},           {KwRi, "ri"},
    {KwSl, "sl"},           {KwSlmult, "slmult"},   {KwHeaderl, "headerl"},
    {KwHeaderr, "headerr"}, {KwFooterl, "footerl"}, {KwFooterr, "footerr"},
    {KwFacingp, "facingp"}, {KwChpgn, "chpgn"},     {KwUc, "uc"},
    {KwU, "u"},
};

constexpr int kLastNumber = KwBrsp;

constexpr auto kByNumber = [] {
  std::array<std::string_view, kLastNumber + 1> table{};
  for (const auto& [number, text] : kKeywords) table[static_cast<std::size_t>(number)] = text;
  return table;
}();

}  // namespace

std::string_view rtf_keyword(int number) {
  if (number < 0 || number > kLastNumber) return {};
  return kByNumber[static_cast<std::size_t>(number)];
}

}  // namespace lettrix
