#include "platform/controls/CustomListBox.h"

#include "platform/app/Application.h"
#include "platform/core/Exceptions.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QStyledItemDelegate>

namespace vg {

// The widget's items seen as a string list.
class TCustomListBox::TItemStrings : public TStrings {
public:
    explicit TItemStrings(QListWidget& list)
        : FList(list)
    {
    }

    int Count() const override { return FList.count(); }

    QString Get(int index) const override { return ItemAt(index)->text(); }

    void Put(int index, const QString& s) override
    {
        QListWidgetItem* item = ItemAt(index);
        if (item->text() == s)
            return;
        item->setText(s);
        Changed();
    }

    void Insert(int index, const QString& s) override
    {
        if (index < 0 || index > Count())
            IndexError(index);
        FList.insertItem(index, s);
        Changed();
    }

    void Delete(int index) override
    {
        ItemAt(index);
        delete FList.takeItem(index);
        Changed();
    }

    void Clear() override
    {
        if (Count() == 0)
            return;
        FList.clear();
        Changed();
    }

private:
    QListWidgetItem* ItemAt(int index) const
    {
        if (index < 0 || index >= Count())
            IndexError(index);
        return FList.item(index);
    }

    QListWidget& FList;
};

// Gives every item the list's item height.
class TCustomListBox::TItemHeightDelegate : public QStyledItemDelegate {
public:
    explicit TItemHeightDelegate(TCustomListBox& list)
        : QStyledItemDelegate(&list)
        , FList(list)
    {
    }

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        return QSize(QStyledItemDelegate::sizeHint(option, index).width(), FList.ItemHeight());
    }

private:
    TCustomListBox& FList;
};

const TClassInfo& TCustomListBox::StaticClassInfo()
{
    static const TClassInfo info = TClassBuilder<TCustomListBox>(QStringLiteral("TCustomListBox"), &TObject::StaticClassInfo()).Build();
    return info;
}

TCustomListBox::TCustomListBox(QWidget* parent)
    : QListWidget(parent)
    , FItems(std::make_unique<TItemStrings>(*this))
{
    setSelectionMode(QAbstractItemView::SingleSelection);
    setUniformItemSizes(true);
    setItemDelegate(new TItemHeightDelegate(*this));
    // The sunken frame of a list box, two pixels wide.
    setFrameStyle(QFrame::WinPanel | QFrame::Sunken);
}

TCustomListBox::~TCustomListBox() = default;

TStrings& TCustomListBox::Items()
{
    return *FItems;
}

const TStrings& TCustomListBox::Items() const
{
    return *FItems;
}

int TCustomListBox::ItemIndex() const
{
    QListWidgetItem* current = currentItem();
    return current && current->isSelected() ? row(current) : -1;
}

void TCustomListBox::SetItemIndex(int value)
{
    if (value < -1 || value >= count())
        RaiseListIndexError(value);
    if (value == -1) {
        setCurrentRow(-1);
        clearSelection();
        return;
    }
    setCurrentRow(value, QItemSelectionModel::ClearAndSelect);
    scrollToItem(item(value));
}

int TCustomListBox::ItemHeight() const
{
    return std::max(FItemHeight, fontMetrics().height());
}

void TCustomListBox::SetItemHeight(int value)
{
    if (value < 1)
        throw EInvalidOperation(QStringLiteral("Item height %1 is below 1").arg(value));
    if (FItemHeight == value)
        return;
    FItemHeight = value;
    doItemsLayout();
}

void TCustomListBox::SetIntegralHeight(bool value)
{
    if (FIntegralHeight == value)
        return;
    FIntegralHeight = value;
    if (value)
        resize(width(), IntegralHeightFor(height()));
}

int TCustomListBox::IntegralHeightFor(int height) const
{
    if (!FIntegralHeight)
        return height;
    const int frame = 2 * frameWidth();
    const int items = std::max(height - frame, 0) / ItemHeight();
    return frame + items * ItemHeight();
}

void TCustomListBox::SetBounds(int left, int top, int width, int height)
{
    setGeometry(left, top, std::max(width, 0), IntegralHeightFor(std::max(height, 0)));
}

TRect TCustomListBox::ClientRect() const
{
    return TRect::FromQRect(viewport()->rect());
}

int TCustomListBox::SelectString(int after, const QString& prefix)
{
    const int n = count();
    if (after < -1 || after >= n)
        RaiseListIndexError(after);
    for (int step = 1; step <= n; ++step) {
        const int index = (after + step) % n;
        if (item(index)->text().startsWith(prefix, Qt::CaseInsensitive)) {
            SetItemIndex(index);
            return index;
        }
    }
    return -1;
}

void TCustomListBox::KeyPress(QChar&)
{
}

void TCustomListBox::MouseUp(Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y)
{
    if (OnMouseUp)
        OnMouseUp(this, button, shift, x, y);
}

void TCustomListBox::keyPressEvent(QKeyEvent* event)
{
    Application().GuardEvent([&] {
        const QString text = event->text();
        if (text.size() != 1) {
            QListWidget::keyPressEvent(event);
            return;
        }
        QChar key = text.front();
        KeyPress(key);
        if (key.isNull()) {
            event->accept();
        } else if (key == text.front()) {
            QListWidget::keyPressEvent(event);
        } else {
            QKeyEvent changed(event->type(), event->key(), event->modifiers(), QString(key));
            QListWidget::keyPressEvent(&changed);
            event->setAccepted(changed.isAccepted());
        }
    });
}

void TCustomListBox::mouseReleaseEvent(QMouseEvent* event)
{
    Application().GuardEvent([&] {
        QListWidget::mouseReleaseEvent(event);
        const QPoint p = event->position().toPoint();
        MouseUp(event->button(), event->modifiers(), p.x(), p.y());
    });
}

void TCustomListBox::resizeEvent(QResizeEvent* event)
{
    QListWidget::resizeEvent(event);
    // Sizes set from outside SetBounds (a layout, resize) are trimmed here; the trimmed
    // height is integral already, so this settles after one round.
    const int wanted = IntegralHeightFor(height());
    if (wanted != height())
        resize(width(), wanted);
}

void TCustomListBox::changeEvent(QEvent* event)
{
    QListWidget::changeEvent(event);
    if (event->type() == QEvent::FontChange)
        doItemsLayout();
}

} // namespace vg
