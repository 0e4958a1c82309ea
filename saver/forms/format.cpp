#include "forms/format.h"

#include "number_text.h"

namespace qgf {

std::string FormatHash(double value) { return qg::FormatHash(value); }
double Val(const std::string& text) { return qg::Val(text); }

}  // namespace qgf
