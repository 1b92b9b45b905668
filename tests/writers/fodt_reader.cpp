#include "writers/fodt_reader.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <fstream>
#include <map>
#include <memory>
#include <sstream>

namespace lettrix::testing {

namespace {

// A small XML tree: elements with attributes and children; text nodes have
// an empty name.
struct Node {
  std::string name;
  std::vector<std::pair<std::string, std::string>> attributes;
  std::vector<std::unique_ptr<Node>> children;
  std::string text;
  Node* parent = nullptr;

  const std::string* attribute(const std::string& key) const {
    for (const auto& [k, v] : attributes)
      if (k == key) return &v;
    return nullptr;
  }
  const Node* child(const std::string& child_name) const {
    for (const auto& c : children)
      if (c->name == child_name) return c.get();
    return nullptr;
  }
};

std::string decode_entities(const std::string& s) {
  std::string out;
  for (std::size_t i = 0; i < s.size(); ++i) {
    if (s[i] != '&') {
      out += s[i];
      continue;
    }
    const std::size_t end = s.find(';', i);
    if (end == std::string::npos) {
      out += s[i];
      continue;
    }
    const std::string entity = s.substr(i + 1, end - i - 1);
    if (entity == "lt") out += '<';
    else if (entity == "gt") out += '>';
    else if (entity == "amp") out += '&';
    else if (entity == "quot") out += '"';
    else if (entity == "apos") out += '\'';
    else if (!entity.empty() && entity[0] == '#') {
      unsigned long code = entity.size() > 1 && entity[1] == 'x' ? std::strtoul(entity.c_str() + 2, nullptr, 16)
                                                                  : std::strtoul(entity.c_str() + 1, nullptr, 10);
      if (code < 0x80) {
        out += static_cast<char>(code);
      } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | (code >> 6));
        out += static_cast<char>(0x80 | (code & 0x3F));
      } else if (code < 0x10000) {
        out += static_cast<char>(0xE0 | (code >> 12));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
      } else {
        out += static_cast<char>(0xF0 | (code >> 18));
        out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
      }
    }
    i = end;
  }
  return out;
}

std::unique_ptr<Node> parse_xml(const std::string& xml) {
  auto root = std::make_unique<Node>();
  Node* current = root.get();
  std::size_t i = 0;
  while (i < xml.size()) {
    if (xml[i] != '<') {
      const std::size_t end = xml.find('<', i);
      const std::string text = xml.substr(i, end == std::string::npos ? std::string::npos : end - i);
      auto node = std::make_unique<Node>();
      node->text = decode_entities(text);
      node->parent = current;
      current->children.push_back(std::move(node));
      if (end == std::string::npos) break;
      i = end;
      continue;
    }
    if (xml.compare(i, 4, "<!--") == 0) {
      const std::size_t end = xml.find("-->", i);
      i = end == std::string::npos ? xml.size() : end + 3;
      continue;
    }
    if (xml.compare(i, 2, "<?") == 0 || xml.compare(i, 2, "<!") == 0) {
      const std::size_t end = xml.find('>', i);
      i = end == std::string::npos ? xml.size() : end + 1;
      continue;
    }
    const std::size_t end = xml.find('>', i);
    if (end == std::string::npos) break;
    std::string tag = xml.substr(i + 1, end - i - 1);
    i = end + 1;
    if (!tag.empty() && tag[0] == '/') {
      if (current->parent) current = current->parent;
      continue;
    }
    const bool empty = !tag.empty() && tag.back() == '/';
    if (empty) tag.pop_back();
    auto node = std::make_unique<Node>();
    std::size_t p = 0;
    while (p < tag.size() && !std::isspace(static_cast<unsigned char>(tag[p]))) ++p;
    node->name = tag.substr(0, p);
    while (p < tag.size()) {
      while (p < tag.size() && std::isspace(static_cast<unsigned char>(tag[p]))) ++p;
      const std::size_t eq = tag.find('=', p);
      if (eq == std::string::npos) break;
      const std::string key = tag.substr(p, eq - p);
      const char quote = eq + 1 < tag.size() ? tag[eq + 1] : '"';
      const std::size_t close = tag.find(quote, eq + 2);
      if (close == std::string::npos) break;
      node->attributes.emplace_back(key, decode_entities(tag.substr(eq + 2, close - eq - 2)));
      p = close + 1;
    }
    node->parent = current;
    Node* raw = node.get();
    current->children.push_back(std::move(node));
    if (!empty) current = raw;
  }
  return root;
}

const Node* find(const Node* node, const std::string& name) {
  if (node->name == name) return node;
  for (const auto& c : node->children)
    if (const Node* found = find(c.get(), name)) return found;
  return nullptr;
}

// A length in inches ("0.5in", "1.27cm", "12.7mm", "36pt").
double inches(const std::string& value) {
  const double number = std::atof(value.c_str());
  if (value.ends_with("cm")) return number / 2.54;
  if (value.ends_with("mm")) return number / 25.4;
  if (value.ends_with("pt")) return number / 72;
  return number;
}

// Styles by family and name, with the family's default style.
struct Styles {
  std::map<std::string, const Node*> named;  // "family/name"
  std::map<std::string, const Node*> defaults;  // family

  void collect(const Node* node) {
    for (const auto& c : node->children) {
      const std::string* family = c->attribute("style:family");
      if (c->name == "style:style" && family) {
        if (const std::string* name = c->attribute("style:name")) named[*family + "/" + *name] = c.get();
      } else if (c->name == "style:default-style" && family) {
        defaults[*family] = c.get();
      }
    }
  }

  // A property of a style, looked up through its parents and the default style.
  const std::string* property(const std::string& family, const std::string* name, const std::string& element,
                              const std::string& key) const {
    for (int guard = 0; name && guard < 32; ++guard) {
      auto it = named.find(family + "/" + *name);
      if (it == named.end()) break;
      if (const Node* props = it->second->child(element))
        if (const std::string* v = props->attribute(key)) return v;
      name = it->second->attribute("style:parent-style-name");
    }
    auto d = defaults.find(family);
    if (d != defaults.end())
      if (const Node* props = d->second->child(element))
        if (const std::string* v = props->attribute(key)) return v;
    return nullptr;
  }
};

struct Walker {
  Styles styles;
  FodtDocument& doc;
  // Tab stop positions counted from the paragraph's indent, not from the
  // page's margin (the document's setting TabsRelativeToIndent).
  bool tabs_from_indent = false;

  // The text property of a character: the innermost span that sets it, else the paragraph's style.
  const std::string* text_property(const std::vector<const std::string*>& spans, const std::string* para_style,
                                   const std::string& key) const {
    for (auto it = spans.rbegin(); it != spans.rend(); ++it)
      if (const std::string* v = styles.property("text", *it, "style:text-properties", key)) return v;
    return styles.property("paragraph", para_style, "style:text-properties", key);
  }

  FodtChar make_char(std::string text, const std::vector<const std::string*>& spans, const std::string* para_style) {
    FodtChar c;
    c.text = std::move(text);
    if (const std::string* size = text_property(spans, para_style, "fo:font-size")) c.points = std::atof(size->c_str());
    const std::string* weight = text_property(spans, para_style, "fo:font-weight");
    c.bold = weight && *weight == "bold";
    const std::string* style = text_property(spans, para_style, "fo:font-style");
    c.italic = style && *style == "italic";
    const std::string* underline = text_property(spans, para_style, "style:text-underline-style");
    c.underline = underline && *underline != "none";
    const std::string* position = text_property(spans, para_style, "style:text-position");
    c.raised = position && (position->starts_with("super") || (!position->empty() && (*position)[0] != '-' &&
                                                                std::atof(position->c_str()) > 0));
    if (const std::string* font = text_property(spans, para_style, "style:font-name")) c.font = *font;
    return c;
  }

  void add_text(FodtParagraph& p, const std::string& text, const std::vector<const std::string*>& spans,
                const std::string* para_style) {
    for (std::size_t i = 0; i < text.size();) {
      std::size_t n = 1;
      const unsigned char lead = static_cast<unsigned char>(text[i]);
      if (lead >= 0xF0) n = 4;
      else if (lead >= 0xE0) n = 3;
      else if (lead >= 0xC0) n = 2;
      FodtChar c = make_char(text.substr(i, n), spans, para_style);
      p.chars.push_back(c);
      doc.chars.push_back(c);
      i += n;
    }
  }

  void inline_content(const Node* node, FodtParagraph& p, std::vector<const std::string*>& spans,
                      const std::string* para_style, std::vector<FodtParagraph>& notes) {
    for (const auto& c : node->children) {
      if (c->name.empty()) {
        add_text(p, c->text, spans, para_style);
      } else if (c->name == "text:span" || c->name == "text:a") {
        spans.push_back(c->attribute("text:style-name"));
        inline_content(c.get(), p, spans, para_style, notes);
        spans.pop_back();
      } else if (c->name == "text:s") {
        const std::string* count = c->attribute("text:c");
        add_text(p, std::string(count ? static_cast<std::size_t>(std::atoi(count->c_str())) : 1, ' '), spans, para_style);
      } else if (c->name == "text:tab") {
        add_text(p, "\t", spans, para_style);
      } else if (c->name == "text:line-break") {
        add_text(p, "\n", spans, para_style);
      } else if (c->name == "text:note") {
        ++doc.notes;
        if (const Node* body = c->child("text:note-body")) block_content(body, "note", notes);
      } else if (c->name != "text:note-citation" && c->name != "text:soft-page-break" &&
                 c->name != "text:page-number" && c->name != "text:page-count" && c->name != "draw:frame" &&
                 c->name != "text:bookmark" && c->name != "text:bookmark-start" &&
                 c->name != "text:bookmark-end") {
        // Fields and the like: their text (a picture's frame holds its data, no text).
        inline_content(c.get(), p, spans, para_style, notes);
      }
    }
  }

  void paragraph(const Node* node, const std::string& where, std::vector<FodtParagraph>& out) {
    FodtParagraph p;
    p.where = where;
    const std::string* style = node->attribute("text:style-name");
    auto prop = [&](const std::string& key) {
      return styles.property("paragraph", style, "style:paragraph-properties", key);
    };
    if (const std::string* v = prop("fo:text-align"); v && *v != "start" && *v != "left") p.align = *v;
    if (const std::string* v = prop("fo:margin-left")) p.margin_left = inches(*v);
    if (const std::string* v = prop("fo:margin-right")) p.margin_right = inches(*v);
    if (const std::string* v = prop("fo:text-indent")) p.text_indent = inches(*v);
    if (const std::string* v = prop("fo:line-height"); v && *v != "100%") p.line_height = *v;
    if (const std::string* v = prop("fo:break-before")) p.page_break_before = *v == "page";
    // Tab stops: the nearest style that has any.
    for (const std::string* name = style; name;) {
      auto it = styles.named.find("paragraph/" + *name);
      if (it == styles.named.end()) break;
      const Node* props = it->second->child("style:paragraph-properties");
      const Node* tabs = props ? props->child("style:tab-stops") : nullptr;
      if (tabs && !tabs->children.empty()) {
        for (const auto& t : tabs->children) {
          if (t->name != "style:tab-stop") continue;
          const std::string* position = t->attribute("style:position");
          const std::string* type = t->attribute("style:type");
          p.tabs.push_back((position ? inches(*position) : 0) + (tabs_from_indent ? p.margin_left : 0));
          p.tab_kinds.push_back(type ? *type : "left");
        }
        break;
      }
      name = it->second->attribute("style:parent-style-name");
    }
    std::vector<const std::string*> spans;
    std::vector<FodtParagraph> notes;
    inline_content(node, p, spans, style, notes);
    out.push_back(std::move(p));
    for (auto& n : notes) out.push_back(std::move(n));
  }

  void block_content(const Node* node, const std::string& where, std::vector<FodtParagraph>& out) {
    for (const auto& c : node->children) {
      if (c->name == "text:p" || c->name == "text:h")
        paragraph(c.get(), where, out);
      else if (!c->name.empty() && c->name != "text:sequence-decls" && c->name != "office:forms")
        block_content(c.get(), where, out);
    }
  }
};

bool tabs_relative_to_indent(const Node* node) {
  for (const auto& c : node->children) {
    if (c->name == "config:config-item") {
      const std::string* name = c->attribute("config:name");
      if (name && *name == "TabsRelativeToIndent")
        return !c->children.empty() && c->children.front()->text == "true";
    } else if (!c->name.empty() && tabs_relative_to_indent(c.get())) {
      return true;
    }
  }
  return false;
}

const Node* first_paragraph(const Node* node) {
  for (const auto& c : node->children) {
    if (c->name == "text:p" || c->name == "text:h") return c.get();
    if (!c->name.empty())
      if (const Node* found = first_paragraph(c.get())) return found;
  }
  return nullptr;
}

// The page style of the first page: the one the first body paragraph's style
// names (an import may give the running heads to a page style of its own),
// else the first one.
const Node* first_page_style(const Node* master, const Node* text, const Styles& styles) {
  const Node* first = master->child("style:master-page");
  const Node* p = first_paragraph(text);
  const std::string* name = p ? p->attribute("text:style-name") : nullptr;
  for (int guard = 0; name && guard < 32; ++guard) {
    auto it = styles.named.find("paragraph/" + *name);
    if (it == styles.named.end()) break;
    if (const std::string* page = it->second->attribute("style:master-page-name")) {
      for (const auto& c : master->children)
        if (c->name == "style:master-page" && c->attribute("style:name") && *c->attribute("style:name") == *page)
          return c.get();
      break;
    }
    name = it->second->attribute("style:parent-style-name");
  }
  return first;
}

}  // namespace

std::string FodtParagraph::text() const {
  std::string s;
  for (const FodtChar& c : chars) s += c.text;
  return s;
}

bool read_fodt(const std::filesystem::path& file, FodtDocument& doc) {
  std::ifstream in(file, std::ios::binary);
  if (!in) return false;
  std::stringstream buffer;
  buffer << in.rdbuf();
  auto root = parse_xml(buffer.str());
  const Node* document = find(root.get(), "office:document");
  if (!document) return false;
  Walker w{{}, doc};
  if (const Node* settings = document->child("office:settings")) w.tabs_from_indent = tabs_relative_to_indent(settings);
  for (const char* part : {"office:styles", "office:automatic-styles"})
    if (const Node* styles = document->child(part)) w.styles.collect(styles);
  const Node* body = document->child("office:body");
  const Node* text = body ? body->child("office:text") : nullptr;
  if (!text) return false;
  if (const Node* master = document->child("office:master-styles")) {
    if (const Node* page = first_page_style(master, text, w.styles)) {
      for (const char* part : {"style:header", "style:header-left", "style:footer", "style:footer-left"})
        if (const Node* n = page->child(part)) w.block_content(n, std::string(part).substr(6), doc.paragraphs);
    }
  }
  w.block_content(text, "body", doc.paragraphs);
  return true;
}

bool libreoffice_available() { return std::system("command -v soffice >/dev/null 2>&1") == 0; }

bool libreoffice_convert(const std::vector<std::filesystem::path>& files, const std::string& format,
                         const std::filesystem::path& out_dir) {
  std::string command = "soffice -env:UserInstallation=file://" + (out_dir / "profile").string() +
                        " --headless --convert-to " + format + " --outdir '" + out_dir.string() + "'";
  // HTML opens as a Writer/Web document, which has no ODF text export: HTML
  // files are imported into Writer itself.
  if (!files.empty() && std::all_of(files.begin(), files.end(), [](const auto& f) { return f.extension() == ".html"; }))
    command += " '--infilter=HTML (StarWriter)'";
  for (const auto& f : files) command += " '" + f.string() + "'";
  command += " >/dev/null 2>&1";
  return std::system(command.c_str()) == 0;
}

}  // namespace lettrix::testing
