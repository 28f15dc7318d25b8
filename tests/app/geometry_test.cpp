#include "app/geometry.h"
#include "support/scripted_dialogs.h"

#include <gtest/gtest.h>

using namespace velmar;

namespace {

Settings geometrySettings(const QString& h, const QString& w, const QString& l, const QString& t) {
    Settings s;
    for (const QString& name : {Option::Hauteur, Option::Largeur, Option::PosGauche, Option::PosHaut})
        s.DeclareVariable(name, "NUM", "", 0);
    s.SetValue(Option::Hauteur, h);
    s.SetValue(Option::Largeur, w);
    s.SetValue(Option::PosGauche, l);
    s.SetValue(Option::PosHaut, t);
    return s;
}

} // namespace

TEST(AffecteTailleEcran, ClampsSavedGeometryToTheScreen) {
    velmar::test::ScriptedDialogs dialogs;
    struct Case {
        QString h, w, l, t;
        TwipRect expected;
    };
    const int sw = 28800, sh = 16200;
    const Case cases[] = {
        {"9000", "12000", "300", "400", {300, 400, 12000, 9000}},
        {"", "", "", "", {50, 50, sw - 200, sh - 200}},                   // nothing saved
        {"99999", "99999", "-10", "99999", {50, 50, sw - 200, sh - 200}}, // too large, off screen
        {"9000.6", "12000.4", "28800", "0", {28800, 0, 12000, 9001}}, // rounded; the edge itself is allowed
    };
    for (const Case& c : cases) {
        const TwipRect r = AffecteTailleEcran(geometrySettings(c.h, c.w, c.l, c.t), sw, sh);
        EXPECT_EQ(r.left, c.expected.left) << c.l.toStdString();
        EXPECT_EQ(r.top, c.expected.top);
        EXPECT_EQ(r.width, c.expected.width);
        EXPECT_EQ(r.height, c.expected.height) << c.h.toStdString();
    }
    EXPECT_TRUE(dialogs.messages().isEmpty());
}

TEST(Geometry, MinimumSizeAndShutdownSave) {
    const TwipRect small = clampToMinimumSize({10, 20, 5000, 9000});
    EXPECT_EQ(small.width, kMinimumWidth);
    EXPECT_EQ(small.height, 9000);
    EXPECT_EQ(small.left, 10);

    Settings s = geometrySettings("1", "2", "3", "4");
    saveGeometry(s, {100, 200, 12000, 9000}, false); // maximised: kept as saved before
    EXPECT_EQ(s.GetValue(Option::Hauteur), "1");
    saveGeometry(s, {100, 200, 12000, 9000}, true);
    EXPECT_EQ(s.GetValue(Option::Hauteur), "9000");
    EXPECT_EQ(s.GetValue(Option::Largeur), "12000");
    EXPECT_EQ(s.GetValue(Option::PosGauche), "100");
    EXPECT_EQ(s.GetValue(Option::PosHaut), "200");
}
