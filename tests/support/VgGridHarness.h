// Driving the column-model grid and its editor as a user would: a window with the grid and
// a line edit after it, shown and active, with helpers that open the editor on a cell,
// press and drag on the editor's buttons, and collect what the application's exception
// handler receives.
#pragma once

#include "editor/VgEdit.h"
#include "editor/VgHintWindow.h"
#include "editor/VgPopupList.h"
#include "grid/VgGrid.h"
#include "platform/app/Application.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTest>
#include <QVBoxLayout>

#include <gtest/gtest.h>

namespace vg::test {

// A grid of 5 columns (one fixed) and 8 rows that edits, in an active window, with a
// line edit below it.
struct TVgGridWindow {
    TVgGridWindow()
    {
        auto* layout = new QVBoxLayout(&Window);
        Grid = new TVelkoGrid(nullptr, &Window);
        Grid->SetColumnCount(5);
        Grid->SetRowCount(8);
        Grid->SetOptions(Grid->Options() + TGridOptions{goEditing});
        Other = new QLineEdit(&Window);
        layout->addWidget(Grid);
        layout->addWidget(Other);
        Window.resize(460, 300);
        Window.move(40, 40);
        Window.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&Window));
        Window.activateWindow();
        QApplication::setActiveWindow(&Window);
        EXPECT_TRUE(QTest::qWaitForWindowActive(&Window));
        Application().Activate();
        Grid->setFocus(Qt::OtherFocusReason);
        QApplication::processEvents();
    }
    ~TVgGridWindow()
    {
        if (TVgInplaceEdit* editor = Grid->VgInplaceEditor())
            editor->HintWindow()->HideWindow();
        Application().OnException = nullptr;
    }

    TvgColumn* Column(int col) const { return Grid->GetVisibleColumn(col); }

    // Makes the cell current and opens the editor on it with the focus in it.
    TVgInplaceEdit* Edit(int col, int row)
    {
        Grid->SetCol(col);
        Grid->SetRow(row);
        Grid->setFocus(Qt::OtherFocusReason);
        Grid->SetEditorMode(true);
        QApplication::processEvents();
        TVgInplaceEdit* editor = Grid->VgInplaceEditor();
        EXPECT_NE(editor, nullptr);
        EXPECT_TRUE(editor && editor->isVisible() && editor->hasFocus());
        return editor;
    }
    // The editor's list, open or not.
    TPopupListbox* List() const { return Grid->VgInplaceEditor()->PickList(); }

    // Exceptions the application's handler receives from here on.
    QStringList& CatchExceptions()
    {
        Application().OnException = [this](const std::exception& e) { Caught << Application().MessageOf(e); };
        return Caught;
    }

    QWidget Window;
    TVelkoGrid* Grid;
    QLineEdit* Other;
    QStringList Caught;
};

inline QPoint Centre(const TRect& r)
{
    return {(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2};
}

// A move with the left button held, sent to the widget that holds the press.
inline void DragTo(QWidget* widget, QPoint at)
{
    QMouseEvent move(QEvent::MouseMove, at, widget->mapToGlobal(at), Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(widget, &move);
}

// Each character goes to the widget that has the focus at that moment; characters beyond
// ASCII as the key events a keyboard layout with them would send.
inline void TypeText(const QString& text)
{
    for (QChar c : text) {
        QWidget* target = QApplication::focusWidget();
        ASSERT_NE(target, nullptr);
        if (c.unicode() < 128) {
            QTest::keyClick(target, c.toLatin1());
            continue;
        }
        const int key = c.toUpper().unicode();
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, QString(c));
        QApplication::sendEvent(target, &press);
        QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, QString(c));
        QApplication::sendEvent(target, &release);
    }
}

} // namespace vg::test
