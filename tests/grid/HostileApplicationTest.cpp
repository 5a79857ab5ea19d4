// The hostile-application test: random public calls of both grids, good and bad, with
// their invariants checked after every call (see HostileRun.h).
//
// ./run test runs one seed of 3,000 calls. A longer run is asked for through the
// environment (see the README):
//   VELKOGRID_HOSTILE_SEED=N       the first seed (1)
//   VELKOGRID_HOSTILE_SEEDS=N      how many seeds (1)
//   VELKOGRID_HOSTILE_OPS=N        calls per seed (3000)
//   VELKOGRID_HOSTILE_MINUTES=M    goes on with further seeds until M minutes have passed
//   VELKOGRID_HOSTILE_PATHS=A,B    takes these paths under repair too, or all (HostileRun.h)
//   VELKOGRID_HOSTILE_TRACE=1      prints every call as it completes
#include "HostileRun.h"

#include <QElapsedTimer>

#include "TestEnvironment.h"

#include <gtest/gtest.h>

#include <iostream>

namespace vg::test {
namespace {

int EnvironmentInt(const char* name, int fallback)
{
    bool ok = false;
    const int value = qEnvironmentVariableIntValue(name, &ok);
    return ok ? value : fallback;
}

TEST(HostileApplication, RandomCallsWithGoodAndBadValuesLeaveBothGridsWhole)
{
    const int firstSeed = EnvironmentInt("VELKOGRID_HOSTILE_SEED", 1);
    const int seeds = EnvironmentInt("VELKOGRID_HOSTILE_SEEDS", 1);
    const int calls = EnvironmentInt("VELKOGRID_HOSTILE_OPS", 3000);
    const int minutes = EnvironmentInt("VELKOGRID_HOSTILE_MINUTES", 0);
    const bool soak = minutes > 0 || seeds > 1;
    QElapsedTimer clock;
    clock.start();
    long long total = 0;
    long long refused = 0;
    long long paints = 0;
    int ran = 0;
    for (int seed = firstSeed; ran < seeds || clock.elapsed() < qint64(minutes) * 60000; ++seed, ++ran) {
        THostileRun run(unsigned(seed), soak);
        const bool whole = run.Run(calls);
        total += run.Calls();
        refused += run.Refused();
        paints += run.Paints();
        ASSERT_TRUE(whole) << "seed " << seed << ", call " << run.Calls() << ": " << run.Finding().toStdString();
        if (soak)
            std::cout << "seed " << seed << ": " << run.Calls() << " calls, " << run.Refused() << " refused, "
                      << run.Paints() << " paints, no finding" << std::endl;
    }
    std::cout << ran << " seeds from " << firstSeed << ", " << total << " calls (" << refused << " refused), " << paints
              << " paints, no finding" << std::endl;
}

} // namespace
} // namespace vg::test
