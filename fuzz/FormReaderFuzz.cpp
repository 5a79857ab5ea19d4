// libFuzzer target for the form-file reader. Arbitrary bytes, taken as UTF-8 text, are
// read as a component of a registered class: the probe the form-file tests use, which has
// published properties of every kind, the string grid, whose column widths and row
// heights are lists of their own, or the column-model grid with its column and heading
// collections and its count of visible columns.
// Reading may succeed or raise an exception of the library's own hierarchy; anything
// else is a finding: a crash, a sanitizer report, a foreign exception, or one of the
// invariants below failing:
//   - what was read writes back to text that reads again to the same text;
//   - a text that ReadComponentInto refuses leaves the instance as it was.
#include "grid/VgGrid.h"
#include "platform/core/Component.h"
#include "platform/core/Exceptions.h"
#include "platform/core/FormFile.h"
#include "platform/hostgrid/StringGrid.h"

#include "support/FormProbe.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>

#include <QApplication>

namespace {

using namespace vg;
using vg::test::TFormProbe;

[[noreturn]] void Finding(const char* what, const QString& detail)
{
    std::fprintf(stderr, "%s\n%s\n", what, qPrintable(detail));
    std::abort();
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    // Grids are widgets: they need an application, which renders offscreen here.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // The application is never destroyed by a static's destructor: a fuzz run ends in
    // exit(), after Qt's own globals are gone, and the clean-up an application's destructor
    // runs (the accessibility factories', for one) would touch them. The replay program
    // deletes it before it returns.
    static QApplication* const application = new QApplication(*argc, *argv);
    (void)application;
    RegisterComponentClass<TFormProbe>();
    RegisterComponentClass<TStringGrid>();
    RegisterComponentClass<TVelkoGrid>();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));

    try {
        const std::unique_ptr<TComponent> read = ReadComponentFromText(text);
        const QString written = WriteComponentToText(*read);
        const std::unique_ptr<TComponent> again = ReadComponentFromText(written);
        if (WriteComponentToText(*again) != written)
            Finding("a component read back from its own text writes differently", written);
    } catch (const Exception&) {
    }

    TFormProbe instance;
    const QString before = WriteComponentToText(instance);
    try {
        ReadComponentInto(text, instance);
    } catch (const Exception&) {
        if (WriteComponentToText(instance) != before || !instance.ComponentState().IsEmpty() || instance.ComponentCount() != 0)
            Finding("a refused text changed the instance it was read into", WriteComponentToText(instance));
    }
    // The probe records every property write; nothing here looks at the record.
    vg::test::ProbeEvents.clear();
    return 0;
}
