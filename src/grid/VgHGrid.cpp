#include "grid/VgHGrid.h"

#include "common/VgGlobal.h"
#include "editor/VgHintWindow.h"
#include "platform/app/Application.h"
#include "platform/app/Screen.h"
#include "platform/core/ClassRegistry.h"
#include "platform/hostgrid/InplaceEdit.h"

#include <QApplication>

namespace vg {

namespace {

// Form files create hint grids by class name.
const bool Registered = [] {
    RegisterComponentClass<TVgHintGrid>();
    return true;
}();

} // namespace

const TClassInfo& TVgHintGrid::StaticClassInfo()
{
    static const TClassInfo info =
        TClassBuilder<TVgHintGrid>(QStringLiteral("TVgHintGrid"), &TStringGrid::StaticClassInfo())
            .Bool(QStringLiteral("HintFollowsMouse"), &TVgHintGrid::HintFollowsMouse, &TVgHintGrid::SetHintFollowsMouse)
            .Default(true)
            .Build();
    return info;
}

TVgHintGrid::TVgHintGrid(TComponent* owner, QWidget* parent)
    : TStringGrid(owner, parent)
{
    FHintTimer = std::make_unique<TTimer>();
    FHintTimer->SetEnabled(false);
    FHintTimer->SetInterval(HintTimerInterval);
    FHintTimer->OnTimer = [this](TObject* sender) { OnHintTimer(sender); };
    // At design time no hint window exists and every hint operation does nothing.
    if (ComponentState().IsEmpty()) {
        FHintWindow = Application().Adopt(std::make_unique<TvgHintWindow>());
        FHookId = Application().HookMainWindow([this](TMessage& message) { return HintHook(message); });
        FHooked = true;
        Application().EnableCancelMode();
    }
    FHintFollowsMouse = true;
}

TVgHintGrid::~TVgHintGrid()
{
    if (FHooked)
        Application().UnhookMainWindow(FHookId);
    // The hint window belongs to the application; it must not stay on screen for a grid
    // that no longer exists.
    if (FHintWindow)
        FHintWindow->HideWindow();
}

TGridCoord TVgHintGrid::VgMouseCoord(int X, int Y) const
{
    if (X < 0 || Y < 0)
        return {-1, -1};
    return MouseCoord(X, Y);
}

bool TVgHintGrid::InFocus() const
{
    if (hasFocus())
        return true;
    const TInplaceEdit* editor = InplaceEditor();
    return editor && editor->hasFocus();
}

bool TVgHintGrid::ShouldHintBeUp() const
{
    if (!parentWidget() || !window()->isActiveWindow())
        return false;
    if (FHintCol < 0 || FHintCol >= ColCount() || FHintRow < 0 || FHintRow >= RowCount())
        return false;
    if (!ComponentState().IsEmpty())
        return false;
    return FHintFollowsMouse ? FMouseInside : InFocus();
}

void TVgHintGrid::ShowTheHint(bool Show)
{
    if (!ComponentState().IsEmpty() || !FHintWindow)
        return;
    if (Show && ShouldHintBeUp()) {
        FHintCountDown = HintDelayTicks;
        FHintTimer->SetEnabled(true);
        return;
    }
    FHintWindow->HideWindow();
    FHintShown = false;
    FHintTimer->SetEnabled(false);
}

void TVgHintGrid::MoveHint()
{
    ShowTheHint(false);
    ShowTheHint(true);
}

void TVgHintGrid::SetHintCoord(TGridCoord Coord)
{
    if (Coord.X == FHintCol && Coord.Y == FHintRow)
        return;
    FHintCol = Coord.X;
    FHintRow = Coord.Y;
    MoveHint();
}

void TVgHintGrid::OnHintTimer(TObject* /*Sender*/)
{
    if (--FHintCountDown != 0)
        return;
    const TRect r = CellRect(FHintCol, FHintRow);
    const QPoint client(r.Right, r.Top - RectHeight(r));
    const QPoint screen = viewport()->mapToGlobal(client);
    TPoint p{screen.x(), screen.y()};
    const bool signalled = SignalConnected<&TVgHintGrid::cellHintRequested>();
    if (!OnShowCellHint && !signalled)
        return;
    p.Y += 4;
    QString hint;
    const int col = FHintCol;
    const int row = FHintRow;
    if (OnShowCellHint)
        OnShowCellHint(this, col, row, hint, p);
    if (signalled) {
        QPoint topLeft(p.X, p.Y);
        emit cellHintRequested(col, row, hint, topLeft);
        p = {topLeft.x(), topLeft.y()};
    }
    if (hint.trimmed().isEmpty())
        return;
    FHintWindow->ActivateHint(Rect(p.X, p.Y, 0, 0), hint);
    FHintShown = true;
    FHintTimer->SetEnabled(false);
}

void TVgHintGrid::MouseMove(TShiftState Shift, int X, int Y)
{
    TStringGrid::MouseMove(Shift, X, Y);
    if (FHintFollowsMouse)
        SetHintCoord(VgMouseCoord(X, Y));
}

void TVgHintGrid::CMMouseEnter()
{
    TStringGrid::CMMouseEnter();
    FMouseInside = true;
    ShowTheHint(true);
}

void TVgHintGrid::CMMouseLeave()
{
    TStringGrid::CMMouseLeave();
    const QPoint p = viewport()->mapFromGlobal(QPoint(Screen().CursorPos().X, Screen().CursorPos().Y));
    FMouseInside = viewport()->rect().contains(p);
    if (!FMouseInside && FHintFollowsMouse)
        ShowTheHint(false);
}

void TVgHintGrid::DoEnter()
{
    TStringGrid::DoEnter();
    ShowTheHint(true);
}

void TVgHintGrid::CMCancelMode(TMessage& Message)
{
    TStringGrid::CMCancelMode(Message);
    // The pressed widget is the deepest one under the pointer: the grid's viewport or its
    // editor's count as the grid's own.
    const auto* pressed = reinterpret_cast<const QWidget*>(Message.LParam);
    if (!IsWidgetWithin(pressed, this) && FHintShown)
        ShowTheHint(false);
}

bool TVgHintGrid::HintHook(TMessage& Message)
{
    if (Message.Msg == CM_ACTIVATE)
        ShowTheHint(true);
    else if (Message.Msg == CM_DEACTIVATE)
        ShowTheHint(false);
    return false;
}

} // namespace vg
