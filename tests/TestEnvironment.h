// Helpers every test program shares: the fixed format settings the tests rely on.
#pragma once

namespace vg::test {

// Installs the format settings of the test locale: "," for thousands, "." for decimals,
// "/" and ":" as separators, short date format M/d/yyyy, English month and day names.
void UseTestFormatSettings();

} // namespace vg::test
