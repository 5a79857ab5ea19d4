// An accessibility client inside the test: while it lives, Qt's accessibility is active
// and every event Qt would send to a screen reader is recorded instead, with the grid cell
// (or the interface's name) it concerns. Platforms with a screen-reader bridge of their
// own (xcb) are switched on only by a client on their bus: there the recorder is not
// active, and tests skip (the screen-reader test covers that platform).
#pragma once

#include "platform/hostgrid/GridCellAccessible.h"

#include "TestEnvironment.h"

#include <QAccessible>

#include <gtest/gtest.h>

#include <vector>

namespace vg::test {

struct TRecordedEvent {
    QAccessible::Event Type;
    TGridCellKey Cell;  // for events on a grid cell
    QString Name;       // the name of the interface the event concerns
    QString Value;      // value changes
    QAccessibleTableModelChangeEvent::ModelChangeType Change = QAccessibleTableModelChangeEvent::ModelReset;
    int First = -1;     // the first and last row (column) a table change concerns
    int Last = -1;
};

class TAccessibilityRecorder {
public:
    TAccessibilityRecorder()
    {
        Events().clear();
        FPrevious = QAccessible::installUpdateHandler(&Record);
        FActive = SetAccessibilityActive(true);
    }
    ~TAccessibilityRecorder()
    {
        SetAccessibilityActive(false);
        QAccessible::installUpdateHandler(FPrevious);
        Events().clear();
    }
    bool Active() const { return FActive; }
    TAccessibilityRecorder(const TAccessibilityRecorder&) = delete;
    TAccessibilityRecorder& operator=(const TAccessibilityRecorder&) = delete;

    static std::vector<TRecordedEvent>& Events()
    {
        static std::vector<TRecordedEvent> events;
        return events;
    }
    static std::vector<TRecordedEvent> Of(QAccessible::Event type)
    {
        std::vector<TRecordedEvent> found;
        for (const TRecordedEvent& e : Events()) {
            if (e.Type == type)
                found.push_back(e);
        }
        return found;
    }
    static void Clear() { Events().clear(); }

private:
    static void Record(QAccessibleEvent* event)
    {
        TRecordedEvent r{event->type(), {}, {}, {}};
        QAccessibleInterface* iface = event->accessibleInterface();
        if (iface)
            r.Name = iface->text(QAccessible::Name);
        if (auto* cell = dynamic_cast<TGridCellAccessible*>(iface))
            r.Cell = cell->Key();
        if (event->type() == QAccessible::ValueChanged)
            r.Value = static_cast<QAccessibleValueChangeEvent*>(event)->value().toString();
        if (event->type() == QAccessible::TableModelChanged) {
            auto* change = static_cast<QAccessibleTableModelChangeEvent*>(event);
            r.Change = change->modelChangeType();
            const bool rows = r.Change == QAccessibleTableModelChangeEvent::RowsInserted ||
                              r.Change == QAccessibleTableModelChangeEvent::RowsRemoved;
            r.First = rows ? change->firstRow() : change->firstColumn();
            r.Last = rows ? change->lastRow() : change->lastColumn();
        }
        Events().push_back(r);
    }

    QAccessible::UpdateHandler FPrevious = nullptr;
    bool FActive = false;
};

#define VG_SKIP_UNLESS_ACTIVE(recorder)                                                                   \
    if (!(recorder).Active())                                                                             \
    GTEST_SKIP() << "accessibility cannot be made active on this platform without a screen reader's bus"

} // namespace vg::test
