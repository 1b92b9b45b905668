#include "builders/styled_text_builder.h"

#include <map>

#include "builders/builder_common.h"

namespace lettrix::build {

namespace {

constexpr std::size_t kDataAreaStart = 256;
constexpr std::size_t kMapHeaderSize = 28;

}  // namespace

std::string style_scrap(const std::vector<StyleRunSpec>& runs, int count) {
  std::string s;
  put_be16(s, static_cast<std::uint16_t>(count < 0 ? static_cast<int>(runs.size()) : count));
  for (const StyleRunSpec& r : runs) {
    put_be32(s, r.start);
    put_be16(s, static_cast<std::uint16_t>(r.size + 4));  // line height
    put_be16(s, static_cast<std::uint16_t>(r.size));      // ascent
    put_be16(s, static_cast<std::uint16_t>(r.font));
    s += static_cast<char>(r.face);
    s += '\0';
    put_be16(s, static_cast<std::uint16_t>(r.size));
    put_be16(s, r.red);
    put_be16(s, r.green);
    put_be16(s, r.blue);
  }
  return s;
}

ResourceSpec font_family(std::int16_t number, const std::string& name) {
  std::string data;
  put_be16(data, 0);  // flags
  put_be16(data, static_cast<std::uint16_t>(number));
  return {"FOND", number, data, name};
}

std::string resource_fork(const std::vector<ResourceSpec>& resources) {
  std::vector<std::string> types;
  std::map<std::string, std::vector<const ResourceSpec*>> by_type;
  for (const ResourceSpec& r : resources) {
    if (by_type[r.type].empty()) types.push_back(r.type);
    by_type[r.type].push_back(&r);
  }
  std::string data, type_list, references, names;
  put_be16(type_list, static_cast<std::uint16_t>(types.size() - 1));
  const std::size_t ref_start = 2 + 8 * types.size();
  for (const std::string& t : types) {
    type_list += t;
    put_be16(type_list, static_cast<std::uint16_t>(by_type[t].size() - 1));
    put_be16(type_list, static_cast<std::uint16_t>(ref_start + references.size()));
    for (const ResourceSpec* r : by_type[t]) {
      put_be16(references, static_cast<std::uint16_t>(r->id));
      if (r->name.empty()) {
        put_be16(references, 0xFFFF);
      } else {
        put_be16(references, static_cast<std::uint16_t>(names.size()));
        names += static_cast<char>(r->name.size());
        names += r->name;
      }
      put_be32(references, static_cast<std::uint32_t>(data.size()));
      put_be32(references, 0);  // handle
      put_be32(data, static_cast<std::uint32_t>(r->data.size()));
      data += r->data;
    }
  }
  const std::size_t name_list = kMapHeaderSize + type_list.size() + references.size();
  std::string header;
  put_be32(header, static_cast<std::uint32_t>(kDataAreaStart));
  put_be32(header, static_cast<std::uint32_t>(kDataAreaStart + data.size()));
  put_be32(header, static_cast<std::uint32_t>(data.size()));
  put_be32(header, static_cast<std::uint32_t>(name_list + names.size()));
  std::string fork = header;
  fork.resize(kDataAreaStart, '\0');
  fork += data + header;
  fork.append(8, '\0');  // next map's handle, file reference, attributes
  put_be16(fork, static_cast<std::uint16_t>(kMapHeaderSize));
  put_be16(fork, static_cast<std::uint16_t>(name_list));
  return fork + type_list + references + names;
}

}  // namespace lettrix::build
