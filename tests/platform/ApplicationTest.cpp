#include "platform/Application.h"
#include "platform/Exceptions.h"

#include <QStringList>

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
