// The RTF reader on any bytes: it finishes, and what it gives keeps its
// limits (cells within the column count, sizes and edges within bounds).
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "platform/rtf/RtfReader.h"

namespace {

void Check(const RtfCharFormat& f) {
  if (f.halfPoints < RtfReader::kMinHalfPoints || f.halfPoints > RtfReader::kMaxHalfPoints) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const RtfDocument doc = RtfReader::Read(std::string_view(reinterpret_cast<const char*>(data), size));
  for (const RtfBlock& block : doc.blocks) {
    if (const auto* p = std::get_if<RtfParagraph>(&block)) {
      for (const RtfRun& run : p->runs) Check(run.format);
      continue;
    }
    const RtfTable& table = std::get<RtfTable>(block);
    if (table.columns < 1 || table.columns > RtfReader::kMaxColumns || table.rows.empty()) std::abort();
    for (int edge : table.definition.rightEdges)
      if (edge < 0 || edge > RtfReader::kMaxTwips) std::abort();
    for (const RtfRow& row : table.rows)
      if (row.cells.empty() || static_cast<int>(row.cells.size()) > table.columns) std::abort();
  }
  return 0;
}
