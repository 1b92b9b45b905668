#pragma once

#include "core/signature.h"

namespace lettrix {

// "OpenDocument Text": a zip package of ODF 1.2 parts (content.xml,
// styles.xml, meta.xml, META-INF/manifest.xml, the pictures under
// Pictures/), as LibreOffice and Word open it.
int dest_odt(const char* stream_path, const char* target_path);

// Its output test: a zip package whose first entry, "mimetype", names an
// OpenDocument text.
OutputMatch output_test_odt(std::span<const std::uint8_t> head);

}  // namespace lettrix
