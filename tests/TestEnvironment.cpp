#include "TestEnvironment.h"

#include "platform/locale/FormatSettings.h"

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
