// The demo page of cell hints: a few thousand orders in a hint grid whose cells explain
// themselves when the pointer rests on them (or, switched over, when they are current).
#pragma once

#include <QWidget>

namespace vg {
class TVgHintGrid;
}

namespace vg::demo {

class CellHintsPage : public QWidget {
    Q_OBJECT

public:
    explicit CellHintsPage(QWidget* parent = nullptr);

    TVgHintGrid* Grid() const { return FGrid; }
    // Rests the pointer on a cell and waits until its hint is up (for screenshots).
    void RestPointerOn(int col, int row);

private:
    TVgHintGrid* FGrid = nullptr;
};

} // namespace vg::demo
