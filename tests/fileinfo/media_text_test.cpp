#include "fileinfo/media_text.h"

#include <gtest/gtest.h>

using namespace velmar::probes;

TEST(MediaText, DurationSplitsMinutesSecondsAndMilliseconds) {
    const struct {
        qint64 milliseconds;
        const char* text;
    } cases[] = {
        {0, "0 min 0 sec 0 ms"},           {3500, "0 min 3 sec 500 ms"}, {61001, "1 min 1 sec 1 ms"},
        {7'200'000, "120 min 0 sec 0 ms"}, {-5, "0 min 0 sec 0 ms"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(durationText(c.milliseconds), QString::fromUtf8(c.text)) << c.milliseconds;
}

TEST(MediaText, ChannelsNameMonoAndStereoAndCountTheRest) {
    EXPECT_EQ(channelsText(0), QString());
    EXPECT_EQ(channelsText(1), QStringLiteral("Mono"));
    EXPECT_EQ(channelsText(2), QStringLiteral("Stéréo"));
    EXPECT_EQ(channelsText(6), QStringLiteral("6 canaux"));
}
