#include "platform/app/Application.h"
#include "platform/app/Messages.h"
#include "platform/core/Exceptions.h"

#include <QApplication>
#include <QStringList>
#include <QLineEdit>
#include <QTest>
#include <QWidget>

#include <algorithm>

#include "TestEnvironment.h"

#include <gtest/gtest.h>

using namespace vg;

namespace {
// Restores the default handler whatever a test installed.
struct ApplicationTest : ::testing::Test {
    void TearDown() override { Application().OnException = nullptr; }
};
} // namespace

TEST_F(ApplicationTest, GuardedWorkHandsEveryExceptionToTheHandler)
{
    QStringList seen;
    Application().OnException = [&](const std::exception& e) { seen << TApplication::MessageOf(e); };

    EXPECT_TRUE(Application().GuardEvent([] {}));
    EXPECT_FALSE(Application().GuardEvent([] { throw EConvertError("'x' is not a valid date"); }));
    EXPECT_FALSE(Application().GuardEvent([] { throw std::runtime_error("plain"); }));
    EXPECT_FALSE(Application().GuardEvent([] { throw 42; }));
    EXPECT_EQ(seen, QStringList({"'x' is not a valid date", "plain", "Unknown exception"}));
}

TEST_F(ApplicationTest, TheDefaultHandlerPrintsAndAFailingHandlerIsContained)
{
    testing::internal::CaptureStderr();
    Application().GuardEvent([] { throw EListError("List index out of bounds (7)"); });
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "List index out of bounds (7)\n");

    Application().OnException = [](const std::exception&) { throw std::logic_error("handler broke"); };
    testing::internal::CaptureStderr();
    EXPECT_NO_THROW(Application().GuardEvent([] { throw EStreamError("disk gone"); }));
    const std::string printed = testing::internal::GetCapturedStderr();
    EXPECT_NE(printed.find("handler broke"), std::string::npos);
    EXPECT_NE(printed.find("disk gone"), std::string::npos) << "the original error is still reported";
}

// ---- activation and main-window hooks

namespace {
// Starts every test inactive with no hooks of its own left behind.
struct ActivationTest : ApplicationTest {
    void SetUp() override { Application().Deactivate(); }
    void TearDown() override
    {
        for (int id : Ids)
            Application().UnhookMainWindow(id);
        ApplicationTest::TearDown();
    }
    int Hook(QStringList& log, const QString& name, bool consume = false)
    {
        Ids << Application().HookMainWindow([&log, name, consume](TMessage& m) {
            log << name + (m.Msg == CM_ACTIVATE ? ":activate" : m.Msg == CM_DEACTIVATE ? ":deactivate" : ":other");
            return consume;
        });
        return Ids.back();
    }
    QList<int> Ids;
};
} // namespace

TEST_F(ActivationTest, HooksHearEachChangeOfActivationInOrder)
{
    QStringList log;
    Hook(log, "a");
    Hook(log, "b");
    Application().Activate();
    Application().Activate(); // no change, no message
    EXPECT_TRUE(Application().Active());
    Application().Deactivate();
    EXPECT_FALSE(Application().Active());
    EXPECT_EQ(log, QStringList({"a:activate", "b:activate", "a:deactivate", "b:deactivate"}));
}

TEST_F(ActivationTest, UnhookedAndFailingHooksAndConsumedMessages)
{
    QStringList log;
    QStringList errors;
    Application().OnException = [&](const std::exception& e) { errors << TApplication::MessageOf(e); };
    Ids << Application().HookMainWindow([](TMessage&) -> bool { throw EInvalidOperation("hook broke"); });
    const int removed = Hook(log, "removed");
    Hook(log, "after");
    Application().UnhookMainWindow(removed);
    Application().UnhookMainWindow(12345); // unknown ids are ignored

    Application().Activate();
    EXPECT_EQ(log, QStringList({"after:activate"})) << "a throwing hook does not stop the others";
    EXPECT_EQ(errors, QStringList({"hook broke"}));

    // A hook that consumes the message keeps it from the hooks after it.
    log.clear();
    Application().UnhookMainWindow(Ids.takeLast());
    Hook(log, "consumer", true);
    Hook(log, "later");
    Application().Deactivate();
    EXPECT_EQ(log, QStringList({"consumer:deactivate"}));

    EXPECT_THROW(Application().HookMainWindow(nullptr), EInvalidOperation);
}

TEST_F(ActivationTest, AHookMayRemoveAnotherWhileTheMessageGoesRound)
{
    QStringList log;
    int second = 0;
    Ids << Application().HookMainWindow([&](TMessage&) {
        Application().UnhookMainWindow(second);
        log << "first";
        return false;
    });
    second = Hook(log, "second");
    Application().Activate();
    EXPECT_EQ(log, QStringList({"first"}));
}

// ---- cancel mode

namespace {

// A focusable control that records the cancel-mode messages it receives.
class CancelModeProbe : public QWidget {
public:
    explicit CancelModeProbe(QWidget* parent)
        : QWidget(parent)
    {
        setFocusPolicy(Qt::StrongFocus);
        FMessages.On(CM_CANCELMODE, [this](TMessage& m) { Pressed << reinterpret_cast<QWidget*>(m.LParam); });
    }
    QList<QWidget*> Pressed;

protected:
    bool event(QEvent* e) override { return FMessages.Dispatch(e) || QWidget::event(e); }

private:
    TMessageTable FMessages{ApplicationGuard()};
};

void ShowActive(QWidget& window)
{
    window.resize(200, 100);
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
}

} // namespace

TEST_F(ApplicationTest, APressElsewhereTellsTheFocusWidgetWhichWidgetWasPressed)
{
    Application().EnableCancelMode();
    Application().EnableCancelMode();
    QWidget form;
    auto* focused = new CancelModeProbe(&form);
    focused->setGeometry(0, 0, 100, 50);
    auto* inner = new QWidget(focused); // part of the focused control, as a viewport is
    inner->setGeometry(10, 10, 20, 20);
    auto* panel = new QWidget(&form);
    panel->setGeometry(100, 0, 100, 50);
    auto* other = new QWidget(panel);
    other->setGeometry(0, 0, 50, 50);
    ShowActive(form);
    focused->setFocus();
    ASSERT_EQ(QApplication::focusWidget(), focused);

    // other and panel ignore the press, so Qt hands it on up to the form: still one message.
    QTest::mouseClick(other, Qt::LeftButton);
    EXPECT_EQ(focused->Pressed, QList<QWidget*>({other}));

    focused->Pressed.clear();
    QTest::mouseClick(focused, Qt::LeftButton);
    QTest::mouseClick(inner, Qt::LeftButton);
    EXPECT_TRUE(focused->Pressed.isEmpty()) << "presses on the focus widget itself are its own";

    QTest::mouseClick(panel, Qt::RightButton, {}, QPoint(80, 10));
    EXPECT_EQ(focused->Pressed, QList<QWidget*>({panel}));

    // A widget that takes the focus on a press has it before the press is seen; the widget
    // that lost it still hears of the press, once.
    auto* field = new QLineEdit(&form);
    field->setGeometry(0, 60, 100, 30);
    field->show();
    focused->Pressed.clear();
    QTest::mouseClick(field, Qt::LeftButton);
    EXPECT_EQ(QApplication::focusWidget(), field);
    EXPECT_EQ(focused->Pressed, QList<QWidget*>({field}));
    focused->Pressed.clear();
    QTest::mouseClick(field, Qt::LeftButton);
    EXPECT_TRUE(focused->Pressed.isEmpty()) << "the next press belongs to the field, which has the focus now";

    // The focus moved by the mouse without a press (the wheel does that): a later press on
    // a widget that takes no focus tells the widget that has it, not the one before.
    auto* wheeled = new CancelModeProbe(&form);
    wheeled->setGeometry(100, 60, 50, 30);
    wheeled->show();
    wheeled->setFocus(Qt::MouseFocusReason);
    focused->Pressed.clear();
    QTest::mouseClick(other, Qt::LeftButton);
    EXPECT_EQ(wheeled->Pressed, QList<QWidget*>({other}));
    EXPECT_TRUE(focused->Pressed.isEmpty());

    EXPECT_TRUE(IsWidgetWithin(inner, focused));
    EXPECT_FALSE(IsWidgetWithin(focused, inner));
    EXPECT_FALSE(IsWidgetWithin(other, nullptr));
}

// ---- adopted objects

TEST_F(ApplicationTest, AdoptedObjectsLiveUntilFreedAndMayDieEarlier)
{
    Application().FreeAllAdopted();
    QStringList destroyed;
    auto track = [&](QObject* o, const QString& name) {
        QObject::connect(o, &QObject::destroyed, [&destroyed, name] { destroyed << name; });
        return o;
    };
    auto* first = Application().Adopt(std::make_unique<QWidget>());
    auto* second = Application().Adopt(std::make_unique<QObject>());
    auto* third = Application().Adopt(std::make_unique<QWidget>());
    track(first, "first");
    track(second, "second");
    track(third, "third");
    EXPECT_EQ(Application().AdoptedCount(), 3);

    delete second; // destroyed by someone else: not freed twice
    EXPECT_EQ(Application().AdoptedCount(), 2);
    Application().FreeAdopted(third);
    QObject stranger;
    Application().FreeAdopted(&stranger); // not adopted: left alone
    Application().FreeAdopted(nullptr);
    EXPECT_EQ(destroyed, QStringList({"second", "third"}));

    Application().FreeAllAdopted();
    EXPECT_EQ(destroyed, QStringList({"second", "third", "first"}));
    EXPECT_EQ(Application().AdoptedCount(), 0);
}
