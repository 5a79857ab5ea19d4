// Uses the installed headers and library: the application object, a colour conversion
// that needs Qt Gui, and a bitmap the library carries as a resource, so the include path,
// the link dependencies and the library's resources are all exercised.
#include "platform/app/Application.h"
#include "platform/core/Colors.h"
#include "platform/core/Exceptions.h"
#include "platform/graphics/Bitmaps.h"

#include <cstdio>

int main()
{
    vg::Application();
    if (vg::StringToColor(QStringLiteral("clBtnFace")) != vg::clBtnFace) {
        std::fprintf(stderr, "colour names do not convert\n");
        return 1;
    }
    vg::TBitmap checkBox;
    try {
        checkBox.LoadFromResourceName(QStringLiteral("VG_CHECKBOX"));
    } catch (const vg::Exception& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
    if (checkBox.Width() != 20 || checkBox.Height() != 10) {
        std::fprintf(stderr, "the check-box bitmap has the wrong size\n");
        return 1;
    }
    std::printf("VelkoGrid is usable\n");
    return 0;
}
