#include "readers/clarisworks.h"

#include <gtest/gtest.h>

#include "builders/builder_common.h"
#include "builders/clarisworks_builder.h"
#include "core/driver.h"
#include "core/driver_state.h"
#include "core/format_registry.h"
#include "core/stream_printer.h"
#include "core/source_view.h"
#include "readers/clarisworks_document.h"
#include "reader_refusals.h"
#include "test_util.h"

namespace lettrix {
namespace {

using build::ClarisWorksBuilder;
using build::CwRun;
using testing::bytes;
using testing::ScratchDir;

struct Result {
  int rc = -9;
  std::string stream;  // raw bytes
  std::string printed() const { return print_stream(stream); }
};

Result read_doc(const std::string& source) {
  ScratchDir dir;
  testing::write_file(dir.file("doc"), source);
  Result r;
  r.rc = orig_clarisworks(dir.file("doc").c_str(), dir.file("stream").c_str());
  r.stream = testing::read_file(dir.file("stream"));
  EXPECT_EQ(testing::dir_names(dir.path()).size(), 2u) << "no work file may be left beside the source";
  return r;
}

// The stream of a document whose one run is 10-point font 0 (no Font code).
std::string plain(const std::string& text) {
  return read_doc(ClarisWorksBuilder{}.run({.font = 0, .size = 10}).text(text).build()).printed();
}

// Files of other kinds are refused with a reason; a text cut short converts
// as far as it goes and says where it was cut.
TEST(ClarisWorksReader, RefusalsAndCutsSayWhy) {
  testing::expect_refusals(orig_clarisworks, "Claris/AppleWorks", "macwrite-ii/letter.mw2");
  const std::string doc = ClarisWorksBuilder{}.text(std::string(300, 'x')).build();
  const std::size_t cut = doc.find("xxxx") + 100;
  clear_handler_reason();
  const Result r = read_doc(doc.substr(0, cut));
  EXPECT_EQ(r.rc, kHandlerDamaged);
  EXPECT_EQ(r.stream, std::string(100, 'x'));
  // The rest of the text and its 0x00 (ClarisWorks) or its run count (Ragtime).
  EXPECT_EQ(handler_reason(), "text cut short at byte " + std::to_string(cut) + " of at least " + std::to_string(cut + 201));
}

constexpr char kPlainStart[] = "{FontSize 0,246}";  // the first run always writes its size

TEST(ClarisWorksReader, RefusesWhatIsNoWordProcessingDocument) {
  std::string doc = ClarisWorksBuilder{}.text("Hello").build();
  std::string no_signature = doc;
  no_signature.replace(4, 4, "BOBI");
  Result r = read_doc(no_signature);
  EXPECT_EQ(r.rc, -1);
  EXPECT_EQ(r.stream, "");

  EXPECT_EQ(read_doc("").rc, -1);
  EXPECT_EQ(read_doc(doc.substr(0, 7)).rc, -1);             // too short to hold the signature
  EXPECT_EQ(read_doc(doc.substr(0, 0x100)).rc, -1);         // a header and no zone
  EXPECT_EQ(read_doc(ClarisWorksBuilder{}.without_text().build()).rc, -1);  // spreadsheet, drawing
  ScratchDir dir;
  EXPECT_EQ(orig_clarisworks(dir.file("missing").c_str(), dir.file("out").c_str()), -1);

  // End to end: a refused document leaves no target and no work file behind.
  ScratchDir work(true);
  testing::write_file("letter", no_signature);
  init_path_buffers();
  choose_formats(SrcClarisWorks, DstAnsi);
  ConversionResult result = convert_file("letter");
  EXPECT_EQ(result.status, ConversionStatus::ReaderFailed);
  EXPECT_EQ(result.target, "");
  EXPECT_EQ(testing::dir_names(work.path()), std::vector<std::string>{"letter"});
}

TEST(ClarisWorksReader, TextBytes) {
  const std::string start = kPlainStart;
  EXPECT_EQ(plain("a\tb\rc"), start + "a{Tab}b¶c");
  EXPECT_EQ(plain("one\x01two"), start + "one{PageBreak}two");
  EXPECT_EQ(plain("a\x07" "b"), start + "ab");
  EXPECT_EQ(plain("no\xCAspace"), start + "no{HardSpace}space");
  EXPECT_EQ(plain("C:\\DOS"), start + "C:{Backslash}DOS");
  EXPECT_EQ(plain("caf\x8E \xA5 \xAD"), start + "caf{TableChar 1,41} {TableChar 4,3} {TableChar 6,99}");
  EXPECT_EQ(plain(bytes({'a', 0x06, 0x0A, 0x0C, 0x1F, 'b'})), start + "ab");  // other control bytes
  EXPECT_EQ(plain(std::string("end\0ignored", 11)), start + "end");  // 0x00 ends the text

  // Byte-exact: backslash and non-breaking space are codes, never bare bytes.
  EXPECT_EQ(read_doc(ClarisWorksBuilder{}.run({.font = 0, .size = 10}).text("\\\xCA").build()).stream,
            bytes({0x5C, 0x90, 0x00, 0xF6, 0x5C, 0x5C, 0x5C, 0x34}));

  // The text may be cut into chunks anywhere.
  const std::string text = "A long enough text, cut \x8E into many chunks.\rSecond paragraph.";
  for (std::size_t n : {1, 2, 3, 7, 64})
    EXPECT_EQ(read_doc(ClarisWorksBuilder{}.run({.font = 0, .size = 10}).text(text).chunk_size(n).build()).printed(),
              plain(text))
        << "chunks of " << n;
}

TEST(ClarisWorksReader, CharacterRuns) {
  // A run at position 0 is in force before the first character; the size
  // starts at 0, so even 10 points is written.
  Result r = read_doc(ClarisWorksBuilder{}.run({.font = 20, .size = 12, .style = build::kCwBold}).text("Hi").build());
  EXPECT_EQ(r.rc, 0);
  EXPECT_EQ(r.stream, bytes({0x5C, 0x90, 0x00, 0xF4, 0x5C, 0x8F, 0x00, 0x01, 0x5C, 0x23, 'H', 'i'}))
      << r.printed();

  EXPECT_EQ(read_doc(ClarisWorksBuilder{}
                         .run({.font = 21, .size = 10}).text("The ")
                         .run({.font = 21, .size = 10, .style = build::kCwBold | build::kCwItalic}).text("quick ")
                         .run({.font = 21, .size = 10, .style = build::kCwItalic}).text("brown ")
                         .run({.font = 21, .size = 14, .style = build::kCwUnderline | build::kCwShadow}).text("fox ")
                         .run({.font = 21, .size = 14, .style = build::kCwOutline}).text("jumps ")
                         .run({.font = 21, .size = 14}).text("over")
                         .build())
                .printed(),
            "{FontSize 0,246}{Font 0,2}The {BoldOn}{ItalicOn}quick {BoldOff}brown "
            "{FontSize 246,242}{ItalicOff}{UnderlineOn}{ShadowOn}fox "
            "{UnderlineOff}{OutlineOn}{ShadowOff}jumps {OutlineOff}over");

  // Vertical position: superscript and subscript never both on.
  EXPECT_EQ(read_doc(ClarisWorksBuilder{}
                         .run({.font = 0, .size = 10}).text("x")
                         .run({.font = 0, .size = 10, .vertical = build::kCwSuperscript}).text("2")
                         .run({.font = 0, .size = 10, .vertical = build::kCwSubscript}).text("i")
                         .run({.font = 0, .size = 10, .style = build::kCwBold, .vertical = build::kCwSuperscript})
                         .text("n")
                         .run({.font = 0, .size = 10}).text(".")
                         .build())
                .printed(),
            "{FontSize 0,246}x{SuperscriptOn}2{SuperscriptOff}{SubscriptOn}i{BoldOn}{SubscriptOff}{SuperscriptOn}n"
            "{BoldOff}{SuperscriptOff}.");

  // The font chooses the class and the character table.
  EXPECT_EQ(read_doc(ClarisWorksBuilder{}
                         .run({.font = 23, .size = 10}).text("ap\xB9")
                         .run({.font = 13, .size = 10}).text("x\\")
                         .run({.font = 3, .size = 10}).text("\xB9")
                         .build())
                .printed(),
            "{FontSize 0,246}{Font 0,3}{TableChar 8,1}{TableChar 8,33}{TableChar 6,99}"
            "{Font 3,4}{TableChar 5,122}{TableChar 5,94}{Font 4,2}{TableChar 8,33}");  // 3 is Geneva, sans serif
}

TEST(ClarisWorksReader, RunRecordsOfEachVersion) {
  for (int version : {1, 2, 3, 4, 5, 6}) {
    std::string printed = read_doc(ClarisWorksBuilder{}
                                       .version(version)
                                       .run({.font = 0, .size = 12}).text("The ")
                                       .run({.font = 0, .size = 12, .style = build::kCwBold}).text("quick ")
                                       .run({.font = 0, .size = 12, .style = build::kCwUnderline}).text("brown")
                                       .run({.font = 0, .size = 9, .style = build::kCwItalic}).text(" fox")
                                       .build())
                              .printed();
    EXPECT_EQ(printed,
              "{FontSize 0,244}The {BoldOn}quick {BoldOff}{UnderlineOn}brown"
              "{FontSize 244,247}{ItalicOn}{UnderlineOff} fox")
        << "version " << version;
  }
  // From version 4 on the font field indexes the document's own font list: the
  // 24th font of a document is no Symbol font.
  EXPECT_EQ(read_doc(ClarisWorksBuilder{}.version(5).run({.font = 23, .size = 10}).text("ap").build()).printed(),
            "{FontSize 0,246}ap");
  EXPECT_EQ(read_doc(ClarisWorksBuilder{}.version(2).run({.font = 23, .size = 10}).text("ap").build()).printed(),
            "{FontSize 0,246}{Font 0,3}{TableChar 8,1}{TableChar 8,33}");
  // The font number is a 16-bit word: font 269 is no dingbat font.
  EXPECT_EQ(read_doc(ClarisWorksBuilder{}.version(2).run({.font = 269, .size = 10}).text("ap").build()).printed(),
            "{FontSize 0,246}ap");
}

TEST(ClarisWorksReader, Footnotes) {
  // Two references: each NoteCall carries its number and the text of the
  // matching zone, in file order.
  Result r = read_doc(ClarisWorksBuilder{}
                          .run({.font = 0, .size = 10})
                          .text("One")
                          .footnote("First\r", {.font = 0, .size = 10})
                          .text(" two")
                          .footnote("Second\r", {.font = 0, .size = 10})
                          .text(".\r")
                          .build());
  EXPECT_EQ(r.rc, 0);
  const std::string ten_points = bytes({0x5C, 0x90, 0x00, 0xF6});
  EXPECT_EQ(r.stream, ten_points + "One" + bytes({0x5C, 0xA2, 0x00, 0x01}) + ten_points + "First" +
                          bytes({0x5C, 0x7F}) + " two" + bytes({0x5C, 0xA2, 0x00, 0x02}) + ten_points + "Second" +
                          bytes({0x5C, 0x7F}) + ".\r")
      << r.printed();

  // A note's final paragraph mark is dropped, an inner one kept; a reference
  // inside a note is dropped (notes do not nest).
  EXPECT_EQ(read_doc(ClarisWorksBuilder{}
                         .run({.font = 0, .size = 10})
                         .text("Text")
                         .footnote("Line one\rLine\x02 two\r", {.font = 0, .size = 10})
                         .build())
                .printed(),
            "{FontSize 0,246}Text{NoteCall 0,1}{FontSize 0,246}Line one¶Line two{EndOfText}");

  // More references than zones: every reference still gets a whole, empty note.
  EXPECT_EQ(read_doc(ClarisWorksBuilder{}
                         .run({.font = 0, .size = 10})
                         .text("a")
                         .footnote("N", {.font = 0, .size = 10})
                         .text("b")
                         .reference()
                         .text("c")
                         .reference()
                         .build())
                .printed(),
            "{FontSize 0,246}a{NoteCall 0,1}{FontSize 0,246}N{EndOfText}b{NoteCall 0,2}{EndOfText}c"
            "{NoteCall 0,3}{EndOfText}");

  // A zone left over after the references is not read.
  EXPECT_EQ(read_doc(ClarisWorksBuilder{}.run({.font = 0, .size = 10}).text("a").extra_note_zone("N").build())
                .printed(),
            "{FontSize 0,246}a");
}

TEST(ClarisWorksReader, NoteFormattingStaysInsideTheNote) {
  // The reference is bold 12-point superscript; the note text is plain 9
  // points. Inside the note the main text's attributes are switched off by its
  // run, and before EndOfText everything returns to the main text's state.
  EXPECT_EQ(read_doc(ClarisWorksBuilder{}
                         .run({.font = 20, .size = 12, .style = build::kCwBold}).text("See")
                         .run({.font = 20, .size = 12, .style = build::kCwBold, .vertical = build::kCwSuperscript})
                         .footnote("Note", {.font = 21, .size = 9})
                         .run({.font = 20, .size = 12}).text(" here")
                         .build())
                .printed(),
            "{FontSize 0,244}{Font 0,1}{BoldOn}See{SuperscriptOn}{NoteCall 0,1}"
            "{FontSize 0,247}{Font 1,2}{BoldOff}{SuperscriptOff}Note"
            "{BoldOn}{SuperscriptOn}{FontSize 247,244}{Font 2,1}{EndOfText}"
            "{BoldOff}{SuperscriptOff} here");
}

TEST(ClarisWorksHostileInput, ItemAndChunkLengthsBeyondTheFile) {
  build::CwLayout layout;
  const std::string doc = ClarisWorksBuilder{}.run({.font = 0, .size = 10}).text("Hello world").build(&layout);
  for (int item = 0; item < 5; ++item) {
    for (std::uint32_t length : {0x7FFFFFFFu, 0xFFFFFFFFu, static_cast<std::uint32_t>(doc.size())}) {
      std::string bad = doc;
      build::set_be32(bad, layout.item_length[item], length);
      Result r = read_doc(bad);
      EXPECT_EQ(r.rc, -1) << "item " << item;
      EXPECT_EQ(r.stream, "");
    }
  }
  // A first chunk longer than the file: its text up to the 0x00 that ends it,
  // from a damaged document.
  std::string bad = doc;
  build::set_be32(bad, layout.first_chunk_length, 0xFFFFFFF0u);
  EXPECT_EQ(read_doc(bad).rc, kHandlerDamaged);
  EXPECT_EQ(read_doc(bad).printed(), read_doc(doc).printed());

  // A later chunk longer than the file: the same, the text still whole.
  bad = ClarisWorksBuilder{}.run({.font = 0, .size = 10}).text("Hello world").chunk_size(6).build(&layout);
  build::set_be32(bad, layout.first_chunk_length + 4 + 6, 0x10000000u);
  Result r = read_doc(bad);
  EXPECT_EQ(r.rc, kHandlerDamaged);
  EXPECT_EQ(r.printed(), "{FontSize 0,246}Hello world");
  // Cut inside its text: what there is of it.
  r = read_doc(bad.substr(0, layout.first_chunk_length + 4 + 6 + 4 + 3));
  EXPECT_EQ(r.rc, kHandlerDamaged);
  EXPECT_EQ(r.printed(), "{FontSize 0,246}Hello wor");

  // An item longer than the file between the two note zones, which both
  // still convert: the text is whole, the document damaged.
  const std::string notes = ClarisWorksBuilder{}
                                .run({.font = 0, .size = 10})
                                .text("A")
                                .footnote("n1")
                                .text("B")
                                .footnote("n2")
                                .build(&layout);
  ASSERT_EQ(layout.note_tags.size(), 2u);
  bad = notes;
  bad.insert(layout.note_tags[1], std::string("\x00\xFF\xFF\xFF", 4));
  r = read_doc(bad);
  EXPECT_EQ(r.rc, kHandlerDamaged);
  EXPECT_EQ(r.printed(), read_doc(notes).printed());
}

TEST(ClarisWorksHostileInput, RunsOutOfOrder) {
  // Runs at 0, 6, 3, 8, 8: the run at 3 starts before the one in force and is
  // passed over; of two runs at one position the later counts.
  build::CwLayout layout;
  std::string doc = ClarisWorksBuilder{}
                        .run_at(0, {.font = 0, .size = 10})
                        .run_at(6, {.font = 0, .size = 10, .style = build::kCwBold})
                        .run_at(3, {.font = 0, .size = 10, .style = build::kCwItalic})
                        .run_at(8, {.font = 0, .size = 10, .style = build::kCwUnderline})
                        .run_at(8, {.font = 0, .size = 10, .style = build::kCwShadow})
                        .run_at(0xFFFFFFFF, {.font = 0, .size = 12})
                        .text("abcdefghij")
                        .build(&layout);
  EXPECT_EQ(read_doc(doc).printed(), "{FontSize 0,246}abcdef{BoldOn}gh{BoldOff}{ShadowOn}ij");
  // A run list whose length is no whole number of records: the rest is ignored.
  std::string odd = ClarisWorksBuilder{}.run({.font = 0, .size = 10}).text("abc").build(&layout);
  build::set_be32(odd, layout.item_length[2], 10 + 3);
  odd.insert(layout.item_length[2] + 4 + 10, "xyz");
  EXPECT_EQ(read_doc(odd).printed(), "{FontSize 0,246}abc");
}

TEST(ClarisWorksHostileInput, TruncatedDocumentsAndTagsNearTheEnd) {
  const std::string doc = ClarisWorksBuilder{}
                              .run({.font = 20, .size = 12})
                              .text("Main text")
                              .footnote("First\r")
                              .text(" and")
                              .footnote("Second\r")
                              .build();
  // Cut anywhere: -1 or a well-formed stream of the text read so far (from a
  // document that mostly counts as damaged).
  for (std::size_t n = 0; n <= doc.size(); ++n) {
    Result r = read_doc(doc.substr(0, n));
    ASSERT_TRUE(r.rc == 0 || r.rc == -1 || r.rc == kHandlerDamaged) << n;
    if (r.rc == -1) continue;
    std::string printed = r.printed();
    std::size_t calls = 0, ends = 0;
    for (std::size_t at = 0; (at = printed.find("{NoteCall", at)) != std::string::npos; ++at) ++calls;
    for (std::size_t at = 0; (at = printed.find("{EndOfText}", at)) != std::string::npos; ++at) ++ends;
    EXPECT_EQ(calls, ends) << n << ": " << printed;
    EXPECT_EQ(printed.find("{0x"), std::string::npos) << n << ": " << printed;
  }
  // "DSET" in the last bytes of the file.
  std::string tail = doc.substr(0, 0x100) + "DSET" + std::string("\0\0", 2);
  EXPECT_EQ(read_doc(tail).rc, -1);
  EXPECT_EQ(read_doc(doc.substr(0, 0x100) + "DSET").rc, -1);
  EXPECT_EQ(read_doc(doc.substr(0, 0x100) + "DS").rc, -1);
}

TEST(ClarisWorksHostileInput, WorkGrowsWithTheFileOnly) {
  // Many references and no zone for them, many runs at one position, and
  // many small chunks: each is one pass over the file.
  std::string refs(200000, build::kCwNoteReference);
  Result r = read_doc(ClarisWorksBuilder{}.run({.font = 0, .size = 10}).text(refs).build());
  EXPECT_EQ(r.rc, 0);
  EXPECT_EQ(r.stream.size(), 4 + refs.size() * 6);

  ClarisWorksBuilder many_runs;
  for (int i = 0; i < 100000; ++i) many_runs.run_at(0, {.font = 0, .size = 10, .style = build::kCwBold});
  r = read_doc(many_runs.text(std::string(100000, 'x')).build());
  EXPECT_EQ(r.stream.size(), 4 + 2 + 100000u);

  r = read_doc(ClarisWorksBuilder{}.text(std::string(100000, 'y')).chunk_size(1).build());
  EXPECT_EQ(r.rc, 0);
  EXPECT_EQ(r.stream, std::string(100000, 'y'));  // no run: no code
}

// The kept zone tags answer every search as a search of the file does:
// before the first search's start, among the tags kept, past the last one
// kept when the file holds more than are kept, and at the end.
TEST(ClarisWorksZoneTags, AnswersAsTheFileSearch) {
  constexpr std::uint8_t kTag[] = {'D', 'S', 'E', 'T'};
  const auto doc_with = [](std::size_t tags) {
    std::string doc(64, 'x');
    for (std::size_t i = 0; i < tags; ++i) doc += (i % 3 == 0 ? "DSETDSET" : "ab DSET D");
    return doc + std::string(SourceView::kPageSize, 'y') + "DSET" + "zz";
  };
  struct Case {
    std::size_t tags;   // about as many tags in the document
    std::size_t first;  // where the first search starts
  };
  for (const Case& k : {Case{0, 0}, Case{5, 0}, Case{5, 70}, Case{30000, 0}, Case{30000, 1000}}) {
    const std::string doc = doc_with(k.tags);
    SourceView file({reinterpret_cast<const std::uint8_t*>(doc.data()), doc.size()});
    clarisworks::ZoneTags tags(file);
    std::vector<std::size_t> froms = {k.first, 0, 1, 63, 64, 65, 71, doc.size() / 2, doc.size() - 7,
                                      doc.size() - 6, doc.size() - 5, doc.size() - 1, doc.size()};
    for (std::size_t at = 0; at < doc.size(); at += 997) froms.push_back(at);
    for (std::size_t from : froms)
      EXPECT_EQ(tags.find(from), file.find(from, kTag)) << k.tags << " " << k.first << " " << from;
    EXPECT_FALSE(file.failed());
  }
}

}  // namespace
}  // namespace lettrix
