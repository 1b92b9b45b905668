// Sets our rendering of the corpus's MacWrite 4.6 pictures against
// LibreOffice's (run by hand, with soffice on the PATH):
//
//   build/bin/pict_compare [--keep DIR] [DOCUMENT...]
//
// Without documents, every document of ../shared/corpus/macwrite-4.6/ (the
// .bin files). Each document is read to a stream and each Picture in it
// rendered by graphics/pict_render; for LibreOffice it is written as a .pct
// file (512 zero bytes, then the picture) and, since a Writer-only
// LibreOffice opens no picture file by itself, as a one-picture RTF page
// (\macpict) that LibreOffice exports to HTML with the picture drawn as an
// embedded PNG image. Both images are drawn over white at one size (a
// bitmap picture's own resolution, a drawn picture's frame at 72 dpi) and
// reduced to black and white at half brightness; since LibreOffice draws a
// small picture into a larger square with margins of its own, its ink's box
// is set onto the box of ours. The share of pixels on which they agree is
// printed per picture (--keep DIR keeps the files, both PNGs among them).
// Bitmap pictures must agree on 95% of their pixels, drawn ones on 90%: the
// exit status is 1 when one does not, 2 when nothing could be compared.
#include <cairo.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string_view>
#include <string>
#include <vector>

#include "core/stream_codes.h"
#include "core/stream_reader.h"
#include "graphics/pict_render.h"
#include "readers/macwrite_46.h"
#include "support/file_handle.h"
#include "writers/fodt_reader.h"

namespace fs = std::filesystem;
using namespace lettrix;

namespace {

struct PictFile {
  std::string name;
  std::vector<std::uint8_t> bytes;
  fs::path pct;
};

int hex_value(std::uint8_t c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// The Macintosh pictures of a stream.
std::vector<std::vector<std::uint8_t>> stream_pictures(const fs::path& stream) {
  std::vector<std::vector<std::uint8_t>> out;
  FilePtr in = open_file(stream.string(), "rb");
  if (!in) return out;
  StreamItem item;
  while (read_stream_item(in.get(), item)) {
    if (!item.is_code(Picture) || item.op1 != 1 || item.data.size() < 8) continue;
    std::vector<std::uint8_t> bytes;
    int high = -1;
    for (std::size_t i = 8; i < item.data.size(); ++i) {
      const int v = hex_value(item.data[i]);
      if (v < 0) continue;
      if (high < 0) {
        high = v;
      } else {
        bytes.push_back(static_cast<std::uint8_t>(high * 16 + v));
        high = -1;
      }
    }
    out.push_back(std::move(bytes));
  }
  return out;
}

struct Image {
  int width = 0, height = 0;
  std::vector<bool> black;
};

struct Box {
  double x0 = 0, y0 = 0, x1 = 0, y1 = 0;
  bool empty() const { return x1 <= x0 || y1 <= y0; }
};

bool dark(std::uint32_t argb) {
  const double a = 255 - (argb >> 24);  // over white
  const double lum = 0.299 * (((argb >> 16) & 255) + a) + 0.587 * (((argb >> 8) & 255) + a) + 0.114 * ((argb & 255) + a);
  return lum < 128;
}

// The box around a surface's dark pixels, in its pixels.
Box dark_box(cairo_surface_t* s) {
  Box box{1e9, 1e9, -1, -1};
  cairo_surface_flush(s);
  const unsigned char* data = cairo_image_surface_get_data(s);
  const int w = cairo_image_surface_get_width(s), h = cairo_image_surface_get_height(s);
  const int stride = cairo_image_surface_get_stride(s);
  const bool alpha = cairo_image_surface_get_format(s) == CAIRO_FORMAT_ARGB32;
  for (int y = 0; y < h; ++y) {
    const auto* row = reinterpret_cast<const std::uint32_t*>(data + static_cast<std::size_t>(y) * stride);
    for (int x = 0; x < w; ++x) {
      if (!dark(alpha ? row[x] : row[x] | 0xFF000000u)) continue;
      box.x0 = std::min<double>(box.x0, x), box.y0 = std::min<double>(box.y0, y);
      box.x1 = std::max<double>(box.x1, x + 1), box.y1 = std::max<double>(box.y1, y + 1);
    }
  }
  return box.empty() ? Box{} : box;
}

// The surface's `from` box drawn over white onto the `to` box of a
// width x height image, reduced to black and white at half brightness.
Image threshold(cairo_surface_t* png, int width, int height, const Box& from, const Box& to) {
  Image img;
  cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_RGB24, width, height);
  cairo_t* cr = cairo_create(s);
  cairo_set_source_rgb(cr, 1, 1, 1);
  cairo_paint(cr);
  cairo_translate(cr, to.x0, to.y0);
  cairo_scale(cr, (to.x1 - to.x0) / (from.x1 - from.x0), (to.y1 - to.y0) / (from.y1 - from.y0));
  cairo_translate(cr, -from.x0, -from.y0);
  cairo_set_source_surface(cr, png, 0, 0);
  cairo_pattern_set_filter(cairo_get_source(cr), CAIRO_FILTER_GOOD);
  cairo_paint(cr);
  cairo_destroy(cr);
  cairo_surface_flush(s);
  const unsigned char* data = cairo_image_surface_get_data(s);
  const int stride = cairo_image_surface_get_stride(s);
  img.width = width;
  img.height = height;
  img.black.resize(static_cast<std::size_t>(width) * height);
  for (int y = 0; y < height; ++y) {
    const auto* row = reinterpret_cast<const std::uint32_t*>(data + static_cast<std::size_t>(y) * stride);
    for (int x = 0; x < width; ++x) img.black[static_cast<std::size_t>(y) * width + x] = dark(row[x] | 0xFF000000u);
  }
  cairo_surface_destroy(s);
  return img;
}

struct PngRead {
  const std::string* data;
  std::size_t at;
};

cairo_status_t read_png(void* closure, unsigned char* out, unsigned int length) {
  auto* r = static_cast<PngRead*>(closure);
  if (r->data->size() - r->at < length) return CAIRO_STATUS_READ_ERROR;
  std::copy_n(r->data->data() + r->at, length, out);
  r->at += length;
  return CAIRO_STATUS_SUCCESS;
}


std::string base64_decode(std::string_view text) {
  std::string out;
  std::uint32_t buffer = 0;
  int bits = 0;
  for (const char c : text) {
    int v;
    if (c >= 'A' && c <= 'Z') v = c - 'A';
    else if (c >= 'a' && c <= 'z') v = c - 'a' + 26;
    else if (c >= '0' && c <= '9') v = c - '0' + 52;
    else if (c == '+') v = 62;
    else if (c == '/') v = 63;
    else continue;
    buffer = (buffer << 6) | static_cast<std::uint32_t>(v);
    bits += 6;
    if (bits >= 8) {
      bits -= 8;
      out.push_back(static_cast<char>((buffer >> bits) & 0xFF));
    }
  }
  return out;
}

std::string file_text(const fs::path& p) {
  std::ifstream f(p, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>());
}

// LibreOffice's image of the picture: the first PNG its HTML embeds.
cairo_surface_t* libreoffice_image(const fs::path& html) {
  const std::string page = file_text(html);
  const std::string lead = "<img src=\"data:image/png;base64,";
  const std::size_t img = page.find(lead);
  if (img == std::string::npos) return nullptr;
  const std::size_t from = img + lead.size(), to = page.find('"', from);
  if (to == std::string::npos) return nullptr;
  const std::string png = base64_decode(std::string_view(page).substr(from, to - from));
  PngRead r{&png, 0};
  cairo_surface_t* s = cairo_image_surface_create_from_png_stream(read_png, &r);
  if (cairo_surface_status(s) == CAIRO_STATUS_SUCCESS) return s;
  cairo_surface_destroy(s);
  return nullptr;
}

// A page the size of the picture holding it alone.
void write_rtf(const fs::path& path, const std::vector<std::uint8_t>& pict) {
  const int w = pict.size() >= 10 ? ((pict[8] << 8 | pict[9]) - (pict[4] << 8 | pict[5])) : 0;
  const int h = pict.size() >= 10 ? ((pict[6] << 8 | pict[7]) - (pict[2] << 8 | pict[3])) : 0;
  std::ofstream f(path, std::ios::binary);
  f << "{\\rtf1\\ansi\\paperw" << w * 20 + 40 << "\\paperh" << h * 20 + 400
    << "\\margl0\\margr0\\margt0\\margb0\\pard\\plain {\\pict\\macpict\\picw" << w << "\\pich" << h << "\\picwgoal"
    << w * 20 << "\\pichgoal" << h * 20 << " ";
  static const char hex[] = "0123456789abcdef";
  for (std::size_t i = 0; i < pict.size(); ++i) {
    f << hex[pict[i] >> 4] << hex[pict[i] & 15];
    if (i % 64 == 63) f << "\n";
  }
  f << "}\\par}\n";
}

}  // namespace

int main(int argc, char** argv) {
  fs::path keep;
  std::vector<fs::path> documents;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--keep" && i + 1 < argc)
      keep = argv[++i];
    else
      documents.push_back(arg);
  }
  if (documents.empty()) {
    const fs::path corpus = fs::path(LETTRIX_SHARED_DIR) / "corpus" / "macwrite-4.6";
    std::error_code ec;
    for (const auto& e : fs::directory_iterator(corpus, ec))
      if (e.path().extension() == ".bin") documents.push_back(e.path());
    std::sort(documents.begin(), documents.end());
  }
  if (documents.empty()) {
    std::fprintf(stderr, "pict_compare: no documents\n");
    return 2;
  }
  if (!testing::libreoffice_available()) {
    std::fprintf(stderr, "pict_compare: LibreOffice (soffice) is not installed\n");
    return 2;
  }
  const fs::path work = keep.empty() ? fs::temp_directory_path() / ("pict_compare." + std::to_string(::getpid())) : keep;
  fs::create_directories(work);
  std::vector<PictFile> pictures;
  for (const fs::path& doc : documents) {
    const fs::path stream = work / "stream";
    if (orig_macw46(doc.c_str(), stream.c_str()) != 0) {
      std::fprintf(stderr, "%s: the reader refused it\n", doc.filename().c_str());
      continue;
    }
    int n = 0;
    for (auto& bytes : stream_pictures(stream)) {
      PictFile p;
      p.name = doc.stem().string() + "-" + std::to_string(++n);
      p.pct = work / (p.name + ".pct");
      std::ofstream f(p.pct, std::ios::binary);
      const std::string header(512, '\0');
      f.write(header.data(), 512);
      f.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
      p.bytes = std::move(bytes);
      pictures.push_back(std::move(p));
    }
  }
  std::vector<fs::path> files;
  for (const PictFile& p : pictures) {
    files.push_back(work / (p.name + ".rtf"));
    write_rtf(files.back(), p.bytes);
  }
  if (files.empty() || !testing::libreoffice_convert(files, "'html:HTML (StarWriter):EmbedImages'", work)) {
    std::fprintf(stderr, "pict_compare: LibreOffice converted nothing\n");
    return 2;
  }
  int compared = 0, failed = 0;
  std::printf("%-34s %-7s %5s %5s  %s\n", "picture", "kind", "size", "agree", "note");
  for (const PictFile& p : pictures) {
    RenderedPicture ours;
    const bool drawn = render_pict(p.bytes, ours);
    cairo_surface_t* b = drawn ? libreoffice_image(work / (p.name + ".html")) : nullptr;
    if (!drawn || !b) {
      std::printf("%-34s %-7s %5s %5s  %s\n", p.name.c_str(), "-", "-", "-",
                  !drawn ? ours.note.c_str() : "LibreOffice made no image");
      ++failed;
      continue;
    }
    if (!keep.empty()) std::ofstream(work / (p.name + ".ours.png"), std::ios::binary) << ours.png;
    if (!keep.empty()) cairo_surface_write_to_png(b, (work / (p.name + ".theirs.png")).c_str());
    // Drawn pictures are compared at 72 dpi, bitmaps at their resolution.
    const bool bitmap = ours.bitmaps_only;
    const int w = bitmap ? ours.width_px : static_cast<int>(ours.width_pt);
    const int h = bitmap ? ours.height_px : static_cast<int>(ours.height_pt);
    PngRead r{&ours.png, 0};
    cairo_surface_t* a = cairo_image_surface_create_from_png_stream(read_png, &r);
    const double ka = double(w) / cairo_image_surface_get_width(a), kb = double(h) / cairo_image_surface_get_height(a);
    const Box whole_a{0, 0, double(cairo_image_surface_get_width(a)), double(cairo_image_surface_get_height(a))};
    const Box whole_b{0, 0, double(cairo_image_surface_get_width(b)), double(cairo_image_surface_get_height(b))};
    // LibreOffice draws a small picture into a larger square with margins
    // of its own: its ink is set onto ours, box onto box.
    const Box ink_a = dark_box(a), ink_b = dark_box(b);
    const bool register_ink = !ink_a.empty() && !ink_b.empty();
    const Box to = register_ink ? Box{ink_a.x0 * ka, ink_a.y0 * kb, ink_a.x1 * ka, ink_a.y1 * kb} : Box{0, 0, double(w), double(h)};
    const Image ia = threshold(a, w, h, whole_a, Box{0, 0, double(w), double(h)});
    const Image ib = threshold(b, w, h, register_ink ? ink_b : whole_b, to);
    cairo_surface_destroy(a);
    cairo_surface_destroy(b);
    if (ia.black.empty() || ib.black.empty()) {
      std::printf("%-34s %-7s %5s %5s  %s\n", p.name.c_str(), "-", "-", "-", "an image could not be read");
      ++failed;
      continue;
    }
    std::size_t same = 0;
    for (std::size_t i = 0; i < ia.black.size(); ++i) same += ia.black[i] == ib.black[i];
    const double share = double(same) / ia.black.size();
    const bool ok = share >= (bitmap ? 0.95 : 0.90);
    ++compared;
    failed += !ok;
    std::printf("%-34s %-7s %5zu %.3f%s %s\n", p.name.c_str(), bitmap ? "bitmap" : "drawn", p.bytes.size() / 1024,
                share, ok ? " " : "!", ours.note.c_str());
  }
  std::printf("%d pictures compared, %d below their threshold or not compared\n", compared, failed);
  if (keep.empty()) fs::remove_all(work);
  return compared == 0 ? 2 : failed > 0 ? 1 : 0;
}
