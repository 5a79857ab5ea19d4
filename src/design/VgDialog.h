/// \file
/// TfrmvgColumnsEditor: the dialog in which a developer edits a grid's columns and headings.
/// It works on copies of the grid's Columns and Headings and writes them back on "Ok" or
/// "Apply"; "Cancel" drops them. The width of the selected column and the heights of rows
/// act on the grid at once. Every refused entry is reported through ShowDesignError.
///
/// The dialog is split by concern: VgDialog.cpp (opening, the column list, writing back,
/// closing), VgDialogLayout.cpp (building the controls), VgDialogColumn.cpp (showing a
/// column and the controls that edit it), VgDialogHeadings.cpp (the headings page) and
/// VgDialogSizes.cpp (column width and row heights).
#pragma once

#include "common/VgColumn.h"
#include "platform/core/Export.h"
#include "platform/core/Persistent.h"

#include <QDialog>
#include <QListWidget>

#include <functional>
#include <memory>

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QSlider;
class QSpinBox;
class QStackedWidget;
class QTabWidget;
class QToolButton;

namespace vg {

class TVelkoGrid;

/// What opened the columns editor when it is not the grid itself: it names the grid and is
/// told when "Apply" changed it (the designer's modified notification).
/// \ingroup design
class VELKOGRID_EXPORT TvgColumnsEditorOpener : public TObject {
public:
    virtual TVelkoGrid* EditedGrid() const = 0;
    virtual void DesignerModified() = 0;
};

/// The column list: one entry per column with its caption (its name where it has none),
/// the column renamed in place, entries dragged onto each other, and headings dragged onto entries from the headings list.
/// \ingroup design
class VELKOGRID_EXPORT TvgColumnListWidget : public QListWidget {
    Q_OBJECT
public:
    static inline const QString ColumnMime = QStringLiteral("application/x-velkogrid-column");
    static inline const QString HeadingMime = QStringLiteral("application/x-velkogrid-heading");

    explicit TvgColumnListWidget(QWidget* parent = nullptr);

    /// Whether a heading may be dropped now (a heading is selected in the headings list).
    std::function<bool()> CanDropHeading;

signals:
    void ColumnDropped(int FromRow, int ToRow);
    void HeadingDropped(int HeadingIndex, int ToRow);

protected:
    QStringList mimeTypes() const override;
    QMimeData* mimeData(const QList<QListWidgetItem*>& items) const override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    bool Accepts(const QMimeData* data) const;
};

/// The headings list: its entries drag as headings.
/// \ingroup design
class VELKOGRID_EXPORT TvgHeadingListWidget : public QListWidget {
    Q_OBJECT
public:
    explicit TvgHeadingListWidget(QWidget* parent = nullptr);

protected:
    QStringList mimeTypes() const override;
    QMimeData* mimeData(const QList<QListWidgetItem*>& items) const override;
};

/// The columns editor: the dialog in which a developer edits a grid's columns and headings. It
/// works on copies of the grid's Columns and Headings and writes them back on Ok or Apply; Cancel
/// drops them. The width of the selected column and the heights of rows act on the grid at once.
/// \ingroup design
class VELKOGRID_EXPORT TfrmvgColumnsEditor : public QDialog {
    Q_OBJECT
public:
    /// Opener is the grid itself or a TvgColumnsEditorOpener that names it. The dialog frees
    /// itself when it closes.
    explicit TfrmvgColumnsEditor(TObject* Opener, QWidget* parent = nullptr);
    ~TfrmvgColumnsEditor() override;

    TObject* Opener() const { return FOpener; }
    TVelkoGrid* Grid() const { return FGrid; }
    TvgColumns* WorkColumns() const { return FWorkColumns.get(); }
    TvgHeadings* WorkHeadings() const { return FWorkHeadings.get(); }
    /// Set before the dialog is shown: it opens on its headings page.
    bool StartOnHeadings = false;

    /// Writes the working copies back to the grid; false (with a message) when they
    /// describe no column or no visible column.
    bool ColumnsBackToGrid();

    /// The column list's operations, also reached by its buttons and by dragging.
    void NewColumn();
    void DeleteColumn();
    void DuplicateColumn();
    void MoveColumnOnto(int FromRow, int ToRow);
    void HeadingOntoColumn(int HeadingIndex, int Row);
    /// Renames the selected column; refused with a message when another column bears Name.
    void RenameSelectedColumn(const QString& Name);

    /// The headings page's operations.
    void NewHeading();
    void DeleteHeading();

    /// The selected column of WorkColumns and heading of WorkHeadings, or null.
    TvgColumn* SelectedColumn() const;
    TvgHeading* SelectedHeading() const;
    /// The grid column the selected column stands for (found by name), or -1.
    int SelectedGridColumn() const;

    /// Loads a picture file into the selected column's button picture.
    void LoadButtonPicture(const QString& FileName);

    // ---- Controls, named as the columns they edit.
    TvgColumnListWidget* lsvColumns;
    QPushButton* btnNew;
    QPushButton* btnDelete;
    QPushButton* btnDuplicate;
    QPushButton* btnOk;
    QPushButton* btnApply;
    QPushButton* btnCancel;
    QTabWidget* pgcMain;
    QWidget* tbsGeneral;
    QWidget* tbsHeadings;
    QWidget* tbsControl;
    QWidget* tbsFormat;
    QWidget* tbsRows;

    // Page "Column".
    QPlainTextEdit* memCaption;
    QCheckBox* cbxVisible;
    QCheckBox* cbxReadOnly;
    QComboBox* cmbHeadings;
    QLineEdit* edtMaxTextLength;
    QToolButton *sbnHLeft, *sbnHCenter, *sbnHRight, *sbnVTop, *sbnVCenter, *sbnVBottom;
    QToolButton *sbnClip, *sbnEllipsis, *sbnWrap;
    QToolButton *sbnTInnerRaised, *sbnTInnerLowered, *sbnTOuterRaised, *sbnTOuterLowered;
    QToolButton *sbnTitleColor, *sbnTitleFont;
    QToolButton *sbnCHLeft, *sbnCHCenter, *sbnCHRight, *sbnCVTop, *sbnCVCenter, *sbnCVBottom;
    QToolButton *sbnCClip, *sbnCEllipsis, *sbnCWrap;
    QToolButton *sbnCInnerRaised, *sbnCInnerLowered, *sbnCOuterRaised, *sbnCOuterLowered;
    QToolButton *sbnCColor, *sbnCFont;
    QSlider* tbrWidth;
    QLineEdit* edtColumnWidth;

    // Page "Headings".
    TvgHeadingListWidget* lbxHeadings;
    QPushButton* btnNewHeading;
    QPushButton* sbnDeleteHeading;
    QWidget* pnlHeadingProperties;
    QPlainTextEdit* memHDCaption;
    QToolButton *sbnHHleft, *sbnHHcenter, *sbnHHRight, *sbnHVTop, *sbnHVCenter, *sbnHVBottom;
    QToolButton *sbnHClip, *sbnHEllipsis, *sbnHWrap;
    QToolButton *sbnHInnerRaised, *sbnHInnerLowered, *sbnHOuterRaised, *sbnHOuterLowered;
    QToolButton *sbnHColor, *sbnHFont;

    // Page "Control".
    QToolButton* sbnComboBox;
    QToolButton* sbnButton;
    QTabWidget* pgcControlInfo;
    QWidget* tbsButton;
    QWidget* tbsDropDown;
    QPlainTextEdit* memComboBoxItems;
    QCheckBox* cbxAutoSuggest;
    QCheckBox* cbxComboMaxWidth;
    QCheckBox* cbxComboDropDownList;
    QLineEdit* edtDropDownCount;
    QToolButton *sbnEllipsisButton, *sbnDropDownButton, *sbnCustomButton;
    QWidget* pnlButtonPicture;
    QLabel* imgButtonPicture;
    QPushButton* sbnLoadImage;
    QPushButton* sbnClearImage;
    QCheckBox* cbxDrawButtonFace;
    QToolButton *sbnButtonVTop, *sbnButtonVCenter, *sbnButtonVBottom;

    // Page "Format".
    QComboBox* cmbFormats;
    QStackedWidget* pgcFormats;
    QSpinBox* edtDigits;
    QLineEdit* edtPrefix;
    QCheckBox* cbxThousands;
    QCheckBox* cbxNegative;
    QListWidget* lbxDateFormats;
    QListWidget* lbxTimeFormats;
    QSpinBox* edtScientificDecimals;

    // Page "Rows".
    QComboBox* cmbRows;
    QSlider* tbrRowHeight;
    QLineEdit* edtRowHeight;

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // VgDialogLayout.cpp
    void BuildControls();
    QWidget* BuildColumnPage();
    QWidget* BuildHeadingsPage();
    QWidget* BuildControlPage();
    QWidget* BuildFormatPage();
    QWidget* BuildRowsPage();
    void ConnectColumnControls();
    void ConnectHeadingControls();

    // VgDialog.cpp
    void FormShow();
    void ShowTitle();
    void FillColumnList();
    // Adds the entry of the next column of WorkColumns at the end of the column list; the
    // entry of the column at Row shows its caption again.
    QListWidgetItem* AddColumnEntry();
    void ShowColumnEntry(int Row);
    void ColumnSelectionChanged();
    void ColumnRenamed(QListWidgetItem* Item);
    void Ok();
    void Apply();
    void Cancel();
    void DetachListHandlers();
    int SelectedRow() const;

    // VgDialogColumn.cpp
    void ShowColumn();
    // Runs Edit on the selected column when there is one.
    void EditColumn(const std::function<void(TvgColumn&)>& Edit);
    void PickColor(const QString& Title, TColor Current, const std::function<void(TColor)>& Chosen);
    void PickFont(TFont& Font);
    void ChooseButtonPicture();
    void ApplyControlType();
    void ShowFormatPage(int Index);
    void FillFormatLists();
    // Validates a box of a count; false (focus back in the box) when it holds no integer >= 0.
    bool ValidateCount(QLineEdit* Box, const std::function<void(int)>& Apply);

    // VgDialogHeadings.cpp
    void FillHeadingLists();
    void ShowHeading();
    void EditHeading(const std::function<void(TvgHeading&)>& Edit);
    void HeadingCaptionEdited();

    // VgDialogSizes.cpp
    void ShowColumnWidth();
    void ColumnWidthTracked(int Value);
    void ColumnWidthEntered();
    void FillRows();
    void ShowRowHeight();
    void RowHeightTracked(int Value);
    void RowHeightEntered();

    TObject* FOpener = nullptr;
    TVelkoGrid* FGrid = nullptr;
    std::unique_ptr<TvgColumns> FWorkColumns;
    std::unique_ptr<TvgHeadings> FWorkHeadings;
    bool FShown = false;
    bool FLoading = false; // while controls take a column's or heading's values
};

} // namespace vg
