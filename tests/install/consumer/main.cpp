// Uses the installed headers and library: the application object and a colour conversion
// that needs Qt Gui, so both the include path and the link dependencies are exercised.
#include "platform/Application.h"
#include "platform/Colors.h"

#include <cstdio>

int main()
{
    vg::Application();
    if (vg::StringToColor(QStringLiteral("clBtnFace")) != vg::clBtnFace) {
        std::fprintf(stderr, "colour names do not convert\n");
        return 1;
    }
    std::printf("VelkoGrid is usable\n");
    return 0;
}
