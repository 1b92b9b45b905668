// Word (DOCX) from the intermediate stream, in one pass: document.xml is
// written as the stream is read, into a work file that the package then
// takes whole, and so are the notes and each running head; memory stays the
// same for any size. The package's entries, in this order:
//
//   [Content_Types].xml            the parts and their types
//   _rels/.rels                    the document and its properties
//   word/document.xml              the text (writers/docx_text.cpp)
//   word/styles.xml                defaults: Times New Roman, 10 points
//   word/settings.xml              w:evenAndOddHeaders when heads differ
//   word/_rels/document.xml.rels
//   word/footnotes.xml             when the stream has notes
//   word/header1.xml, header2.xml  the default (odd) and even pages' header
//   word/footer1.xml, footer2.xml
//   docProps/core.xml, app.xml
//   word/media/image1.png ...      the pictures, drawn
//
// A head for every page serves the odd pages as well when the stream has
// none for them, and the even ones likewise.
#include "writers/docx.h"

#include <memory>
#include <string>

#include "core/driver_state.h"
#include "core/handler.h"
#include "support/file_handle.h"
#include "support/output_buffer.h"
#include "support/work_file.h"
#include "writers/docx_package.h"
#include "writers/docx_parts.h"
#include "writers/docx_text.h"
#include "writers/picture_png.h"

namespace lettrix {

namespace {

// Indexes of DocxText::heads.
enum HeadKind { EvenHeader, OddHeader, AllHeader, EvenFooter, OddFooter, AllFooter };

constexpr std::string_view kZipStart = "PK\x03\x04";
constexpr std::string_view kFirstEntry = "[Content_Types].xml";

}  // namespace

int dest_docx(const char* stream_path, const char* target_path) {
  begin_document_pictures();
  FilePtr in = open_file(stream_path, "rb");
  if (!in) return kHandlerCannotOpen;  // (before the target is created)
  FilePtr out = open_file(target_path, "w+b");
  if (!out) return kHandlerCannotOpen;
  set_target_kind(KindNeutral);
  FilePtr body = open_work_file();
  FilePtr notes = open_work_file();
  if (!body || !notes) return kHandlerCannotOpen;
  DocxText text;
  bool ok = true;
  {
    auto body_out = std::make_unique<OutputBuffer>(body.get());
    auto notes_out = std::make_unique<OutputBuffer>(notes.get());
    body_out->put(docx_document_start());
    notes_out->put(docx_notes_start());
    ok = write_docx_text(in.get(), *body_out, *notes_out, text);
    DocxHeadSet set;
    const auto& heads = text.heads;
    set.even_and_odd = heads[EvenHeader] || heads[OddHeader] || heads[EvenFooter] || heads[OddFooter];
    set.header_default = heads[OddHeader] || heads[AllHeader];
    set.header_even = heads[EvenHeader] || (set.even_and_odd && heads[AllHeader]);
    set.footer_default = heads[OddFooter] || heads[AllFooter];
    set.footer_even = heads[EvenFooter] || (set.even_and_odd && heads[AllFooter]);
    set.notes = text.notes > 0;
    set.images = text.images.size();
    body_out->put(docx_document_end(set));
    notes_out->put(docx_notes_end());
    body_out.reset();
    notes_out.reset();
    if (!ok || text.read_failed) return kHandlerCannotOpen;

    auto head = [&](HeadKind own, HeadKind all) { return heads[own] ? heads[own].get() : heads[all].get(); };
    const std::string content_types = docx_content_types(set);
    const std::string document_relationships = docx_document_relationships(set);
    const std::string styles = docx_styles();
    const std::string settings = docx_settings(set);
    DocxPackage package(out.get());
    ok = package.add("[Content_Types].xml", content_types) &&
         package.add("_rels/.rels", docx_package_relationships()) &&
         package.add("word/document.xml", body.get(), 1) && package.add("word/styles.xml", styles) &&
         package.add("word/settings.xml", settings) &&
         package.add("word/_rels/document.xml.rels", document_relationships) &&
         (!set.notes || package.add("word/footnotes.xml", notes.get(), 1)) &&
         (!set.header_default || package.add(kHeaderDefaultPart.data(), head(OddHeader, AllHeader))) &&
         (!set.header_even || package.add(kHeaderEvenPart.data(), head(EvenHeader, AllHeader))) &&
         (!set.footer_default || package.add(kFooterDefaultPart.data(), head(OddFooter, AllFooter))) &&
         (!set.footer_even || package.add(kFooterEvenPart.data(), head(EvenFooter, AllFooter))) &&
         package.add("docProps/core.xml", docx_core_properties()) &&
         package.add("docProps/app.xml", docx_app_properties());
    for (std::size_t i = 0; ok && i < text.images.size(); ++i) {
      const std::string name = "word/media/image" + std::to_string(i + 1) + ".png";
      ok = package.add(name.c_str(), text.media.get(), text.images[i].start, text.images[i].length);
    }
    ok = ok && package.close();
  }
  if (!ok || std::fflush(out.get()) != 0 || std::ferror(out.get())) return kHandlerCannotOpen;
  return kHandlerOk;
}

OutputMatch output_test_docx(std::span<const std::uint8_t> head) {
  if (!starts_with(head, kZipStart) || !starts_with(head, kFirstEntry, 30)) return {};
  return {"Word (DOCX)"};
}

}  // namespace lettrix
