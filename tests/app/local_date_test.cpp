#include "app/local_date.h"

#include <gtest/gtest.h>

using namespace velmar;

TEST(ShortLocalDate, FollowsTheLocalesShortForm) {
    struct Case {
        QLocale locale;
        const char* stored;
        const char* shown;
    };
    const Case cases[] = {
        {QLocale(QLocale::French, QLocale::France), "2026-12-07 01:39:00", "07/12/2026 01:39"},
        {QLocale(QLocale::German, QLocale::Germany), "2026-12-07 01:39:00", "07.12.26 01:39"},
        {QLocale(QLocale::English, QLocale::UnitedStates), "2026-12-07 13:05:59", "12/7/26 1:05 PM"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(shortLocalDate(c.stored, c.locale), QString::fromUtf8(c.shown)) << c.stored;
}

TEST(ShortLocalDate, LeavesTextThatIsNoStoredDateAlone) {
    const QLocale french(QLocale::French, QLocale::France);
    for (const char* text : {"", "inconnue", "07/12/2026 01:39:00", "2026-02-30 10:00:00"})
        EXPECT_EQ(shortLocalDate(text, french), text);
}
