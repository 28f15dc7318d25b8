#include "explore/phase_gauge.h"

#include <gtest/gtest.h>

#include <numeric>
#include <vector>

using namespace velmar;

namespace {

// Every progress the display is given, by phase.
class ProgressLog final : public ExplorationDisplay {
public:
    void showDirectoryProgress(const PhaseProgress& progress) override { directories.push_back(progress); }
    void showFileProgress(const PhaseProgress& progress) override { files.push_back(progress); }
    std::vector<PhaseProgress> directories;
    std::vector<PhaseProgress> files;
};

std::vector<int> everyPercentage() {
    std::vector<int> all(101);
    std::iota(all.begin(), all.end(), 0);
    return all;
}

} // namespace

// Followed item by item, a phase shows each whole percentage it reaches once,
// with its gauge frame, and only through its own call.
TEST(PhaseGauge, EachPercentageReachesTheDisplayOnce) {
    const struct {
        qint64 total;
        std::vector<int> shown;
    } cases[] = {
        {3, {33, 66, 100}},
        {1, {100}},
        {8, {12, 25, 37, 50, 62, 75, 87, 100}},
        {250, everyPercentage()}, // the items between two percentages show nothing
    };
    for (const auto& c : cases) {
        ProgressLog log;
        PhaseGauge gauge(log, &ExplorationDisplay::showFileProgress, c.total);
        std::vector<int> shown;
        for (qint64 done = 1; done <= c.total; ++done) {
            const std::size_t before = log.files.size();
            const bool showed = gauge.advance(done);
            EXPECT_EQ(showed, log.files.size() == before + 1) << c.total << " " << done;
        }
        for (const PhaseProgress& progress : log.files) {
            shown.push_back(progress.percentage);
            EXPECT_EQ(progress.frame, gaugeFrame(progress.percentage));
        }
        EXPECT_EQ(shown, c.shown) << c.total;
        EXPECT_TRUE(log.directories.empty());
    }
}

// A count of items seen again (several records of one directory) shows nothing new.
TEST(PhaseGauge, TheSameCountShowsNothingNew) {
    ProgressLog log;
    PhaseGauge gauge(log, &ExplorationDisplay::showDirectoryProgress, 4);
    EXPECT_TRUE(gauge.advance(2));
    EXPECT_FALSE(gauge.advance(2));
    EXPECT_TRUE(gauge.advance(4));
    ASSERT_EQ(log.directories.size(), 2u);
    EXPECT_EQ(log.directories[1].percentage, 100);
    EXPECT_EQ(log.directories[1].frame, 26);
    EXPECT_TRUE(log.files.empty());
}
