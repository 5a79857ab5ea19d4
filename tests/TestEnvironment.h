// Helpers every test program shares: readable Qt strings in failure messages and the
// fixed format settings the tests rely on.
#pragma once

#include <QString>

#include <ostream>

// Readable test failure messages for Qt strings.
inline void PrintTo(const QString& s, std::ostream* os)
{
    *os << '"' << s.toStdString() << '"';
}

namespace vg::test {

// Installs the format settings of the test locale: "," for thousands, "." for decimals,
// "/" and ":" as separators, short date format M/d/yyyy, English month and day names.
void UseTestFormatSettings();

// Makes Qt's accessibility active (as a screen reader would) or inactive again, so that
// accessibility events reach an update handler; false where the platform cannot.
bool SetAccessibilityActive(bool active);

} // namespace vg::test
