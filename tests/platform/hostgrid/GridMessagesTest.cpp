// Messages and notifications a grid descendant hooks into: handlers added to the grid's
// message table, the cancel-mode message, the mouse entering and leaving the grid.
#include "platform/app/Application.h"

#include "support/GridHarness.h"
#include "TestEnvironment.h"

namespace vg::test {
namespace {

class THookedGrid : public TStringGrid {
public:
    using TStringGrid::TStringGrid;
    std::vector<QString> Log;

protected:
    void CMMouseEnter() override { Log.push_back(QStringLiteral("enter")); }
    void CMMouseLeave() override { Log.push_back(QStringLiteral("leave")); }
    void CMCancelMode(TMessage& Message) override
    {
        Log.push_back(QStringLiteral("cancel %1").arg(Message.LParam == reinterpret_cast<std::intptr_t>(this)));
        TStringGrid::CMCancelMode(Message);
    }
};

TEST(GridMessages, DescendantsAnswerTheirOwnMessagesThroughTheTable)
{
    THookedGrid grid;
    grid.Messages().On(4025, [&](TMessage& message) {
        grid.SetColWidths(int(message.WParam), int(message.LParam));
        message.Result = 1;
    });
    PostMessage(&grid, 4025, 2, 90);
    EXPECT_EQ(grid.ColWidths(2), 64); // posted: handled once the event loop gets to it
    QCoreApplication::processEvents();
    EXPECT_EQ(grid.ColWidths(2), 90);
    EXPECT_EQ(SendMessage(&grid, 4025, 3, 70), 1);
    EXPECT_EQ(grid.ColWidths(3), 70);

    // A failing handler is reported, never thrown out of the event.
    QStringList reported;
    Application().OnException = [&](const std::exception& e) { reported << TApplication::MessageOf(e); };
    SendMessage(&grid, 4025, 99, 70);
    Application().OnException = nullptr;
    ASSERT_EQ(reported.size(), 1);
    EXPECT_EQ(reported[0], QStringLiteral("List index out of bounds (99)"));
}

TEST(GridMessages, CancelModeAndTheMouseEnteringAndLeavingReachTheirHandlers)
{
    THookedGrid grid;
    SendMessage(&grid, CM_CANCELMODE, 0, reinterpret_cast<std::intptr_t>(&grid));
    QEvent enter(QEvent::Enter);
    QApplication::sendEvent(&grid, &enter);
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(&grid, &leave);
    EXPECT_EQ(grid.Log, (std::vector<QString>{QStringLiteral("cancel 1"), QStringLiteral("enter"), QStringLiteral("leave")}));
}

TEST(GridMessages, AGridOwnedByAWidgetComponentSitsOnIt)
{
    // A component owner that is a widget becomes the grid's parent; deleting the owner
    // deletes the grid once.
    class TPanel : public QWidget, public TComponent {
    public:
        TPanel() = default;
    };
    auto* panel = new TPanel;
    auto* grid = new TStringGrid(panel);
    grid->SetName(QStringLiteral("Grid1"));
    EXPECT_EQ(grid->parentWidget(), panel);
    EXPECT_EQ(grid->objectName(), QStringLiteral("Grid1"));
    EXPECT_EQ(panel->FindComponent(QStringLiteral("Grid1")), grid);
    delete panel;
}

} // namespace
} // namespace vg::test
