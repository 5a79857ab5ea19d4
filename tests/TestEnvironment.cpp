#include "TestEnvironment.h"

#include "platform/locale/FormatSettings.h"

#include <QAccessible>

namespace vg::test {

void UseTestFormatSettings()
{
    // Spelled out field by field so that the tests do not depend on the defaults.
    TFormatSettings fs;
    fs.DecimalSeparator = u'.';
    fs.ThousandSeparator = u',';
    fs.DateSeparator = u'/';
    fs.TimeSeparator = u':';
    fs.ShortDateFormat = QStringLiteral("m/d/yyyy");
    fs.LongDateFormat = QStringLiteral("dddd, mmmm d, yyyy");
    fs.ShortTimeFormat = QStringLiteral("h:nn ampm");
    fs.LongTimeFormat = QStringLiteral("h:nn:ss ampm");
    fs.TimeAMString = QStringLiteral("AM");
    fs.TimePMString = QStringLiteral("PM");
    fs.ShortMonthNames = {QStringLiteral("Jan"), QStringLiteral("Feb"), QStringLiteral("Mar"),
                          QStringLiteral("Apr"), QStringLiteral("May"), QStringLiteral("Jun"),
                          QStringLiteral("Jul"), QStringLiteral("Aug"), QStringLiteral("Sep"),
                          QStringLiteral("Oct"), QStringLiteral("Nov"), QStringLiteral("Dec")};
    fs.LongMonthNames = {QStringLiteral("January"), QStringLiteral("February"), QStringLiteral("March"),
                         QStringLiteral("April"), QStringLiteral("May"), QStringLiteral("June"),
                         QStringLiteral("July"), QStringLiteral("August"), QStringLiteral("September"),
                         QStringLiteral("October"), QStringLiteral("November"), QStringLiteral("December")};
    fs.ShortDayNames = {QStringLiteral("Sun"), QStringLiteral("Mon"), QStringLiteral("Tue"), QStringLiteral("Wed"),
                        QStringLiteral("Thu"), QStringLiteral("Fri"), QStringLiteral("Sat")};
    fs.LongDayNames = {QStringLiteral("Sunday"), QStringLiteral("Monday"), QStringLiteral("Tuesday"),
                       QStringLiteral("Wednesday"), QStringLiteral("Thursday"), QStringLiteral("Friday"),
                       QStringLiteral("Saturday")};
    fs.TwoDigitYearCenturyWindow = 50;
    SetFormatSettings(fs);
}

} // namespace vg::test

// Qt reports accessibility events only while its platform accessibility is active, which a
// platform client (a screen reader on the accessibility bus) switches on. The offscreen
// platform keeps Qt's generic platform accessibility; the platform headers that declare it
// are not installed, so its two exported members are declared here as Qt's library
// defines them (QPlatformIntegration::accessibility does not depend on the object).
class QPlatformAccessibility {
public:
    void setActive(bool active);
};
class QPlatformIntegration {
public:
    QPlatformAccessibility* accessibility() const;
};

namespace vg::test {

bool SetAccessibilityActive(bool active)
{
    alignas(void*) static const char anyObject[sizeof(void*)] = {};
    const auto* integration = reinterpret_cast<const QPlatformIntegration*>(anyObject);
    if (QPlatformAccessibility* accessibility = integration->accessibility())
        accessibility->setActive(active);
    return QAccessible::isActive() == active;
}

} // namespace vg::test
