/// \file
/// TVgHintGrid: the string grid with cell hints. When a cell's hint is due, the grid asks
/// the application for its text (OnShowCellHint) and shows it, after a fixed delay, in a
/// hint window near the cell. The hint belongs either to the cell under the mouse pointer
/// (HintFollowsMouse, the default) or to the current cell while the grid or its editor has
/// the keyboard focus. Hints are hidden while the application is inactive, and never shown
/// at design time, while loading or while the grid is being destroyed.
#pragma once

#include "platform/app/Timer.h"
#include "platform/core/Export.h"
#include "platform/hostgrid/StringGrid.h"

#include <functional>
#include <memory>

namespace vg {

class TvgHintWindow;

/// Asked for a cell's hint: Hint arrives empty, TopLeft holds the proposed top-left corner
/// of the hint window in screen coordinates; the handler may change both.
using TvgOnShowCellHint = std::function<void(TObject* Sender, int Col, int Row, QString& Hint, TPoint& TopLeft)>;

/// The string grid with cell hints: after a short delay, the text OnShowCellHint supplies is
/// shown in a hint window near the cell under the mouse pointer (HintFollowsMouse) or near the
/// current cell. The base of TVelkoGrid.
/// \ingroup grid
class VELKOGRID_EXPORT TVgHintGrid : public TStringGrid {
    Q_OBJECT
    VG_CLASS(TVgHintGrid)
public:
    /// Timer ticks between arming a hint and asking for it (600 ms at 10 ms a tick).
    static constexpr int HintDelayTicks = 60;
    static constexpr int HintTimerInterval = 10;

    explicit TVgHintGrid(TComponent* owner = nullptr, QWidget* parent = nullptr);
    ~TVgHintGrid() override;

    bool HintFollowsMouse() const { return FHintFollowsMouse; }
    void SetHintFollowsMouse(bool value) { FHintFollowsMouse = value; }

    TvgOnShowCellHint OnShowCellHint;

    /// Makes Coord the hint cell; the same cell again changes nothing (a shown hint stays,
    /// a running delay goes on). Another cell hides the hint and starts the delay again.
    void SetHintCoord(TGridCoord Coord);
    /// Arms the hint of the hint cell (when it may be up) or hides and cancels it.
    void ShowTheHint(bool Show);
    /// The cell at a client point; (-1, -1) for negative coordinates or no cell there.
    TGridCoord VgMouseCoord(int X, int Y) const;

    /// One tick of the hint delay; the timer calls it every 10 ms while armed.
    void OnHintTimer(TObject* Sender);

    /// State, for the grid's own parts and for tests.
    TGridCoord HintCoord() const { return {FHintCol, FHintRow}; }
    bool HintShown() const { return FHintShown; }
    bool HintArmed() const { return FHintTimer->Enabled(); }
    TTimer& HintTimer() { return *FHintTimer; }
    /// The window cell hints appear in; null at design time.
    TvgHintWindow* HintWindow() const { return FHintWindow; }

    // ---- Signals, raised as the host grid's are (see TCustomGrid): OnShowCellHint first,
    // then this signal, whose slots see the hint and corner the handler left and may
    // change them in turn.
signals:
    void cellHintRequested(int column, int row, QString& hint, QPoint& topLeft);

protected:
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void DoEnter() override;
    void CMMouseEnter() override;
    void CMMouseLeave() override;
    void CMCancelMode(TMessage& Message) override;

private:
    bool ShouldHintBeUp() const;
    void MoveHint();
    bool HintHook(TMessage& Message);
    bool InFocus() const;

    // Held directly, not as an owned component: it is no part of the grid's form file.
    std::unique_ptr<TTimer> FHintTimer;
    int FHintCountDown = HintDelayTicks;
    int FHintCol = -1;
    int FHintRow = -1;
    bool FMouseInside = false;
    bool FHintShown = false;
    TvgHintWindow* FHintWindow = nullptr; // adopted by the application object
    int FHookId = 0;
    bool FHooked = false;
    bool FHintFollowsMouse = true;
};

} // namespace vg
