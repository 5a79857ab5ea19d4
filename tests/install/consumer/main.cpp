// Uses the installed headers and library through the one public header: the application
// object, a colour conversion that needs Qt Gui, a bitmap the library carries as a
// resource, and a column-model grid with a formatted column, so the include path, the link
// dependencies and the library's resources are all exercised.
#include <VelkoGrid/VelkoGrid.h>

#include <QApplication>

#include <cstdio>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
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
    vg::TVelkoGrid grid;
    grid.SetColumnCount(3);
    vg::TvgColumn* price = grid.GetVisibleColumn(2);
    price->SetFormatType(vg::vgfmtNumeric);
    grid.SetCells(2, 1, QStringLiteral("1234.5"));
    if (grid.GetDisplayText(2, 1).isEmpty()) {
        std::fprintf(stderr, "the grid shows nothing\n");
        return 1;
    }
    std::printf("VelkoGrid is usable\n");
    return 0;
}
