#include "platform/controls/CustomListBox.h"
#include "platform/core/Exceptions.h"

#include <QTest>

#include "TestEnvironment.h"

#include <gtest/gtest.h>

using namespace vg;

namespace {

// Swallows 'x' and records every character it sees.
class ProbeListBox : public TCustomListBox {
public:
    QString Seen;

protected:
    void KeyPress(QChar& key) override
    {
        Seen += key;
        if (key == u'x')
            key = QChar();
    }
};

} // namespace

TEST(CustomListBoxTest, ItemsAreTheWidgetsOwnContent)
{
    TCustomListBox list;
    int changes = 0;
    list.Items().OnChange = [&](TObject*) { ++changes; };
    list.Items().SetStrings({"one", "two"});
    EXPECT_EQ(list.count(), 2);
    EXPECT_EQ(list.item(1)->text(), "two");
    EXPECT_EQ(changes, 1) << "a batch is reported once";

    list.addItem("three"); // from the widget's side
    EXPECT_EQ(list.Items().ToStringList(), QStringList({"one", "two", "three"}));
    list.Items().Insert(0, "zero");
    list.Items().Put(2, "TWO");
    list.Items().Delete(3);
    EXPECT_EQ(list.Items().ToStringList(), QStringList({"zero", "one", "TWO"}));
    EXPECT_EQ(list.Items().IndexOf("two"), 2);

    EXPECT_THROW(list.Items().Get(3), EListError);
    EXPECT_THROW(list.Items().Insert(4, "far"), EListError);
    EXPECT_THROW(list.Items().Delete(-1), EListError);
    list.Items().Clear();
    EXPECT_EQ(list.count(), 0);
}

TEST(CustomListBoxTest, ItemIndexSelectsOneItemOrNone)
{
    TCustomListBox list;
    list.Items().SetStrings({"a", "b", "c"});
    EXPECT_EQ(list.ItemIndex(), -1);
    list.SetItemIndex(1);
    EXPECT_EQ(list.ItemIndex(), 1);
    EXPECT_EQ(list.selectedItems(), QList<QListWidgetItem*>({list.item(1)}));
    list.SetItemIndex(-1);
    EXPECT_EQ(list.ItemIndex(), -1);
    EXPECT_TRUE(list.selectedItems().isEmpty());

    EXPECT_THROW(list.SetItemIndex(3), EListError);
    EXPECT_THROW(list.SetItemIndex(-2), EListError);
    EXPECT_EQ(list.ItemIndex(), -1);

    // Replacing the items drops the selection with the items.
    list.SetItemIndex(2);
    list.Items().SetStrings({"x"});
    EXPECT_EQ(list.ItemIndex(), -1);
}

TEST(CustomListBoxTest, SelectStringFindsAPrefixIgnoringCaseAndGoesRound)
{
    TCustomListBox list;
    list.Items().SetStrings({"Apple", "banana", "Avocado", "cherry"});
    EXPECT_EQ(list.SelectString(-1, "a"), 0);
    EXPECT_EQ(list.SelectString(0, "A"), 2);
    EXPECT_EQ(list.SelectString(2, "ap"), 0) << "goes round to the top";
    EXPECT_EQ(list.SelectString(-1, "BAN"), 1);
    EXPECT_EQ(list.ItemIndex(), 1);
    EXPECT_EQ(list.SelectString(-1, "kiwi"), -1);
    EXPECT_EQ(list.ItemIndex(), 1) << "no match leaves the selection";
    EXPECT_THROW(list.SelectString(4, "a"), EListError);
    EXPECT_THROW(list.SelectString(-2, "a"), EListError);
}

TEST(CustomListBoxTest, ItemHeightAndIntegralHeight)
{
    TCustomListBox list;
    list.Items().SetStrings({"a", "b", "c", "d"});
    const int lineHeight = list.fontMetrics().height();
    list.SetItemHeight(lineHeight + 10);
    EXPECT_EQ(list.ItemHeight(), lineHeight + 10);
    list.resize(100, 200);
    list.show();
    EXPECT_EQ(list.visualItemRect(list.item(1)).height(), lineHeight + 10);
    list.SetItemHeight(3);
    EXPECT_EQ(list.ItemHeight(), lineHeight) << "never lower than the font needs";
    EXPECT_THROW(list.SetItemHeight(0), EInvalidOperation);

    const int ih = list.ItemHeight();
    const int frame = 2 * list.frameWidth();
    EXPECT_EQ(frame, 4);
    list.SetBounds(0, 0, 100, 3 * ih + frame + ih - 1);
    EXPECT_EQ(list.height(), 3 * ih + frame + ih - 1) << "free height without IntegralHeight";
    list.SetIntegralHeight(true);
    EXPECT_EQ(list.height(), 3 * ih + frame);
    list.SetBounds(0, 0, 100, 2 * ih + frame + 1);
    EXPECT_EQ(list.height(), 2 * ih + frame);
    list.resize(100, ih + frame + 2);
    EXPECT_EQ(list.height(), ih + frame) << "a plain resize is trimmed as well";
    list.SetBounds(0, 0, 100, frame);
    EXPECT_EQ(list.height(), frame) << "room for the frame only";
}

TEST(CustomListBoxTest, KeysReachKeyPressFirstAndMouseUpReachesOnMouseUp)
{
    ProbeListBox list;
    list.Items().SetStrings({"xray", "yak", "zebra"});
    list.resize(100, 100);
    list.show();
    QTest::keyClick(&list, Qt::Key_X);
    EXPECT_EQ(list.ItemIndex(), -1) << "a swallowed key does no type-ahead search";
    QTest::keyClick(&list, Qt::Key_Z);
    EXPECT_EQ(list.ItemIndex(), 2) << "a key left alone does";
    QTest::keyClick(&list, Qt::Key_Backspace);
    EXPECT_EQ(list.Seen, QString("xz\b"));

    struct Release {
        TObject* Sender;
        Qt::MouseButton Button;
        int X, Y;
    };
    QList<Release> releases;
    list.OnMouseUp = [&](TObject* sender, Qt::MouseButton button, Qt::KeyboardModifiers, int x, int y) {
        releases.append({sender, button, x, y});
    };
    const QRect second = list.visualItemRect(list.item(1));
    QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, second.center());
    ASSERT_EQ(releases.size(), 1);
    EXPECT_EQ(releases[0].Sender, &list);
    EXPECT_EQ(releases[0].Button, Qt::LeftButton);
    EXPECT_EQ(QPoint(releases[0].X, releases[0].Y), second.center());
    EXPECT_EQ(list.ItemIndex(), 1);
    EXPECT_TRUE(list.ClientRect().Contains(Point(releases[0].X, releases[0].Y)));
}
