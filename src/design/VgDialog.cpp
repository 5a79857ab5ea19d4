#include "design/VgDialog.h"

#include "design/VgMessages.h"
#include "grid/VgGrid.h"
#include "platform/core/Exceptions.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QDragEnterEvent>
#include <QMimeData>
#include <QLineEdit>
#include <QPushButton>
#include <QStyledItemDelegate>
#include <QTabWidget>

namespace vg {

namespace {

QMimeData* RowMime(const QString& format, const QListWidget& list, const QList<QListWidgetItem*>& items)
{
    if (items.isEmpty())
        return nullptr;
    auto* data = new QMimeData;
    data->setData(format, QByteArray::number(list.row(items.first())));
    return data;
}

// A column list entry keeps its column's name under this role; it shows the caption.
constexpr int NameRole = Qt::UserRole;

// Editing an entry in place renames its column: the box starts with the name, not with
// the caption the entry shows, and the name it gives goes back under NameRole.
class TColumnNameDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void setEditorData(QWidget* editor, const QModelIndex& index) const override
    {
        if (auto* box = qobject_cast<QLineEdit*>(editor))
            box->setText(index.data(NameRole).toString());
    }
    void setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const override
    {
        if (auto* box = qobject_cast<QLineEdit*>(editor))
            model->setData(index, box->text(), NameRole);
    }
};

// The caption on one line, or the name where there is no caption.
QString EntryText(const TvgColumn& column)
{
    const QString caption = column.Caption().simplified();
    return caption.isEmpty() ? column.Name() : caption;
}

} // namespace

// ---- The two lists

TvgColumnListWidget::TvgColumnListWidget(QWidget* parent)
    : QListWidget(parent)
{
    setSelectionMode(QAbstractItemView::SingleSelection);
    setDragEnabled(true);
    setAcceptDrops(true);
    setDropIndicatorShown(true);
    setDragDropMode(QAbstractItemView::DragDrop);
    setDefaultDropAction(Qt::MoveAction);
    setEditTriggers(QAbstractItemView::EditKeyPressed | QAbstractItemView::SelectedClicked);
    setItemDelegate(new TColumnNameDelegate(this));
}

QStringList TvgColumnListWidget::mimeTypes() const
{
    return {ColumnMime, HeadingMime};
}

QMimeData* TvgColumnListWidget::mimeData(const QList<QListWidgetItem*>& items) const
{
    return RowMime(ColumnMime, *this, items);
}

bool TvgColumnListWidget::Accepts(const QMimeData* data) const
{
    if (!data)
        return false;
    if (data->hasFormat(ColumnMime))
        return true;
    return data->hasFormat(HeadingMime) && (!CanDropHeading || CanDropHeading());
}

void TvgColumnListWidget::dragEnterEvent(QDragEnterEvent* event)
{
    if (!Accepts(event->mimeData())) {
        event->ignore();
        return;
    }
    event->setDropAction(event->mimeData()->hasFormat(ColumnMime) ? Qt::MoveAction : Qt::LinkAction);
    event->accept();
}

void TvgColumnListWidget::dragMoveEvent(QDragMoveEvent* event)
{
    // Only entries are targets.
    if (!Accepts(event->mimeData()) || !itemAt(event->position().toPoint())) {
        event->ignore();
        return;
    }
    event->setDropAction(event->mimeData()->hasFormat(ColumnMime) ? Qt::MoveAction : Qt::LinkAction);
    event->accept();
}

void TvgColumnListWidget::dropEvent(QDropEvent* event)
{
    const QMimeData* data = event->mimeData();
    QListWidgetItem* target = itemAt(event->position().toPoint());
    if (!Accepts(data) || !target) {
        event->ignore();
        return;
    }
    // The list is rebuilt by whoever handles the signal; nothing is moved here.
    event->setDropAction(Qt::IgnoreAction);
    event->accept();
    bool ok = false;
    if (data->hasFormat(ColumnMime)) {
        const int from = data->data(ColumnMime).toInt(&ok);
        if (ok)
            emit ColumnDropped(from, row(target));
    } else {
        const int heading = data->data(HeadingMime).toInt(&ok);
        if (ok)
            emit HeadingDropped(heading, row(target));
    }
}

TvgHeadingListWidget::TvgHeadingListWidget(QWidget* parent)
    : QListWidget(parent)
{
    setSelectionMode(QAbstractItemView::SingleSelection);
    setDragEnabled(true);
    setDragDropMode(QAbstractItemView::DragOnly);
    setDefaultDropAction(Qt::LinkAction);
}

QStringList TvgHeadingListWidget::mimeTypes() const
{
    return {TvgColumnListWidget::HeadingMime};
}

QMimeData* TvgHeadingListWidget::mimeData(const QList<QListWidgetItem*>& items) const
{
    return RowMime(TvgColumnListWidget::HeadingMime, *this, items);
}

// ---- Opening

TfrmvgColumnsEditor::TfrmvgColumnsEditor(TObject* Opener, QWidget* parent)
    : QDialog(parent, Qt::Tool | Qt::WindowTitleHint | Qt::WindowCloseButtonHint)
    , FOpener(Opener)
{
    setAttribute(Qt::WA_DeleteOnClose);
    setObjectName(QStringLiteral("frmvgColumnsEditor"));
    if (auto* opener = dynamic_cast<TvgColumnsEditorOpener*>(Opener))
        FGrid = opener->EditedGrid();
    else
        FGrid = dynamic_cast<TVelkoGrid*>(Opener);
    if (!FGrid)
        throw EInvalidOperation(QStringLiteral("The columns editor needs a grid to edit"));

    FWorkColumns = std::make_unique<TvgColumns>();
    FWorkHeadings = std::make_unique<TvgHeadings>(TCollectionItemClass::Of<TvgHeading>());
    FWorkColumns->Assign(FGrid->Columns());
    FWorkHeadings->Assign(FGrid->Headings());
    // A grid showing fewer columns than it has visible objects edits only those it shows.
    for (int excess = FGrid->GetVisibleColumnCount() - FGrid->ColCount(); excess > 0; --excess)
        FWorkColumns->Delete(FWorkColumns->Count() - 1);

    ShowTitle();
    BuildControls();
    ConnectColumnControls();
    ConnectHeadingControls();

    // Selection, not the current entry: a click makes an entry current before it selects it.
    connect(lsvColumns, &QListWidget::itemSelectionChanged, this, &TfrmvgColumnsEditor::ColumnSelectionChanged);
    connect(lsvColumns, &QListWidget::itemChanged, this, &TfrmvgColumnsEditor::ColumnRenamed);
    connect(lsvColumns, &TvgColumnListWidget::ColumnDropped, this, &TfrmvgColumnsEditor::MoveColumnOnto);
    connect(lsvColumns, &TvgColumnListWidget::HeadingDropped, this, &TfrmvgColumnsEditor::HeadingOntoColumn);
    lsvColumns->CanDropHeading = [this] { return SelectedHeading() != nullptr; };
    connect(btnNew, &QPushButton::clicked, this, &TfrmvgColumnsEditor::NewColumn);
    connect(btnDelete, &QPushButton::clicked, this, &TfrmvgColumnsEditor::DeleteColumn);
    connect(btnDuplicate, &QPushButton::clicked, this, &TfrmvgColumnsEditor::DuplicateColumn);
    connect(btnOk, &QPushButton::clicked, this, &TfrmvgColumnsEditor::Ok);
    connect(btnApply, &QPushButton::clicked, this, &TfrmvgColumnsEditor::Apply);
    connect(btnCancel, &QPushButton::clicked, this, &TfrmvgColumnsEditor::Cancel);
    resize(sizeHint().expandedTo(QSize(720, 480)));
}

TfrmvgColumnsEditor::~TfrmvgColumnsEditor()
{
    DetachListHandlers();
}

void TfrmvgColumnsEditor::showEvent(QShowEvent* event)
{
    if (!FShown) {
        FShown = true;
        FormShow();
    }
    QDialog::showEvent(event);
}

void TfrmvgColumnsEditor::FormShow()
{
    pgcMain->setCurrentWidget(StartOnHeadings ? tbsHeadings : tbsGeneral);
    ShowTitle();
    FillColumnList();
    if (lsvColumns->count() > 0) {
        lsvColumns->setCurrentRow(0);
        lsvColumns->setFocus();
    }
    FillFormatLists();
    FillHeadingLists();
    cmbFormats->setCurrentIndex(0);
    ShowColumn();
    ShowHeading();
    FillRows();
}

// The title names the grid: by its component name, else by its object name (the name a
// form, and Qt Designer, give it).
void TfrmvgColumnsEditor::ShowTitle()
{
    const QString name = FGrid->Name().isEmpty() ? FGrid->objectName() : FGrid->Name();
    const QString title = QStringLiteral("TVelkoGrid Columns");
    setWindowTitle(name.isEmpty() ? title : title + QStringLiteral(" - ") + name);
}

// ---- The column list

int TfrmvgColumnsEditor::SelectedRow() const
{
    QListWidgetItem* item = lsvColumns->currentItem();
    return item && item->isSelected() ? lsvColumns->row(item) : -1;
}

TvgColumn* TfrmvgColumnsEditor::SelectedColumn() const
{
    const int row = SelectedRow();
    return row >= 0 && row < FWorkColumns->Count() ? (*FWorkColumns)[row] : nullptr;
}

QListWidgetItem* TfrmvgColumnsEditor::AddColumnEntry()
{
    auto* item = new QListWidgetItem;
    item->setFlags(item->flags() | Qt::ItemIsEditable | Qt::ItemIsDragEnabled);
    const QSignalBlocker blocker(lsvColumns);
    lsvColumns->addItem(item);
    ShowColumnEntry(lsvColumns->count() - 1);
    return item;
}

void TfrmvgColumnsEditor::ShowColumnEntry(int Row)
{
    QListWidgetItem* item = lsvColumns->item(Row);
    if (!item || Row >= FWorkColumns->Count())
        return;
    const TvgColumn& column = *(*FWorkColumns)[Row];
    const QSignalBlocker blocker(lsvColumns);
    item->setText(EntryText(column));
    item->setData(NameRole, column.Name());
    item->setToolTip(column.Name());
}

void TfrmvgColumnsEditor::FillColumnList()
{
    {
        const QSignalBlocker blocker(lsvColumns);
        lsvColumns->clear();
    }
    while (lsvColumns->count() < FWorkColumns->Count())
        AddColumnEntry();
}

void TfrmvgColumnsEditor::ColumnSelectionChanged()
{
    ShowColumn();
}

void TfrmvgColumnsEditor::NewColumn()
{
    FWorkColumns->Add();
    QListWidgetItem* item = AddColumnEntry();
    lsvColumns->setCurrentItem(item);
    ShowColumn();
    lsvColumns->editItem(item);
}

void TfrmvgColumnsEditor::DeleteColumn()
{
    const int row = SelectedRow();
    if (row < 0)
        return;
    std::unique_ptr<TvgColumn> column((*FWorkColumns)[row]);
    {
        const QSignalBlocker blocker(lsvColumns);
        delete lsvColumns->takeItem(row);
        lsvColumns->clearSelection();
    }
    // The entry leaves the list, then the column the collection; the column list selects
    // the entry that took the deleted one's place, or the last.
    column.reset();
    if (lsvColumns->count() > 0) {
        const QSignalBlocker blocker(lsvColumns);
        lsvColumns->setCurrentRow(std::min(row, lsvColumns->count() - 1));
    }
    ShowColumn();
}

void TfrmvgColumnsEditor::DuplicateColumn()
{
    TvgColumn* source = SelectedColumn();
    if (!source)
        return;
    TvgColumn* copy = FWorkColumns->Add();
    const QString name = copy->Name();
    copy->Assign(source);
    copy->SetName(name); // its own new name back: no other column bears it
    AddColumnEntry();
}

void TfrmvgColumnsEditor::MoveColumnOnto(int FromRow, int ToRow)
{
    if (FromRow == ToRow || FromRow < 0 || ToRow < 0 || FromRow >= FWorkColumns->Count() ||
        ToRow >= FWorkColumns->Count())
        return;
    FWorkColumns->Move(FromRow, ToRow);
    FillColumnList();
    const QSignalBlocker blocker(lsvColumns);
    lsvColumns->setCurrentRow(ToRow);
    ShowColumn();
}

void TfrmvgColumnsEditor::HeadingOntoColumn(int HeadingIndex, int Row)
{
    if (HeadingIndex < 0 || HeadingIndex >= FWorkHeadings->Count() || Row < 0 || Row >= FWorkColumns->Count())
        return;
    TvgColumn* column = (*FWorkColumns)[Row];
    column->SetHeadingIndex(HeadingIndex);
    if (column == SelectedColumn())
        ShowColumn();
}

void TfrmvgColumnsEditor::ColumnRenamed(QListWidgetItem* Item)
{
    const int row = lsvColumns->row(Item);
    if (row < 0 || row >= FWorkColumns->Count())
        return;
    if (row != SelectedRow()) {
        const QSignalBlocker blocker(lsvColumns);
        lsvColumns->setCurrentRow(row);
    }
    RenameSelectedColumn(Item->data(NameRole).toString());
}

void TfrmvgColumnsEditor::RenameSelectedColumn(const QString& Name)
{
    TvgColumn* column = SelectedColumn();
    if (!column)
        return;
    try {
        column->SetName(Name);
    } catch (const EvgColumnNameExists&) {
        ShowDesignError(this, QStringLiteral("A column by that name already exists."));
    }
    // The entry keeps the name the column bears now.
    ShowColumnEntry(SelectedRow());
}

// ---- Writing back and closing

bool TfrmvgColumnsEditor::ColumnsBackToGrid()
{
    if (FWorkColumns->Count() == 0) {
        ShowDesignError(this, QStringLiteral("Please define at least one column"));
        return false;
    }
    bool anyVisible = false;
    for (int i = 0; i < FWorkColumns->Count() && !anyVisible; ++i)
        anyVisible = (*FWorkColumns)[i]->Visible();
    if (!anyVisible) {
        ShowDesignError(this, QStringLiteral("Please make at least one column visible"));
        return false;
    }
    FGrid->HideEditor();
    FGrid->Headings()->Assign(FWorkHeadings.get());
    FGrid->Columns()->Assign(FWorkColumns.get());
    FGrid->SetColCount(FGrid->GetVisibleColumnCount());
    FGrid->InvalidateGrid();
    return true;
}

void TfrmvgColumnsEditor::Ok()
{
    if (ColumnsBackToGrid())
        done(QDialog::Accepted);
}

void TfrmvgColumnsEditor::Apply()
{
    if (!ColumnsBackToGrid())
        return;
    if (auto* opener = dynamic_cast<TvgColumnsEditorOpener*>(FOpener))
        opener->DesignerModified();
    ShowColumn();
}

void TfrmvgColumnsEditor::Cancel()
{
    done(QDialog::Rejected);
}

void TfrmvgColumnsEditor::DetachListHandlers()
{
    if (lsvColumns)
        disconnect(lsvColumns, nullptr, this, nullptr);
}

void TfrmvgColumnsEditor::closeEvent(QCloseEvent* event)
{
    DetachListHandlers();
    QDialog::closeEvent(event);
}

} // namespace vg
