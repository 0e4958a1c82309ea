// Any bytes as a form property file: parsing never fails hard, and whatever
// it keeps survives being written out and read back unchanged.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "forms/form_property_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace qgf;
  const FormProperties first = ParseFormProperties(std::string_view(reinterpret_cast<const char*>(data), size));
  const std::string text = SerializeFormProperties(first);
  const FormProperties second = ParseFormProperties(text);
  // Names and keys with line breaks, '=' or ']' cannot be written back; the
  // parser never produces them from one line, so the round trip is exact.
  if (second.skipped_lines != 0 || second.controls.size() != first.controls.size()) std::abort();
  for (std::size_t i = 0; i < first.controls.size(); ++i) {
    const auto& a = first.controls[i];
    const auto& b = second.controls[i];
    if (a.first != b.first || a.second.Entries() != b.second.Entries()) std::abort();
  }
  return 0;
}
