#include "explore/liste_auto.h"

#include <QStringList>
#include <gtest/gtest.h>

using namespace velmar;

namespace {

ListeAuto listOf(const QStringList& items) {
    ListeAuto l;
    for (const QString& s : items)
        l.AjoutElement(s);
    return l;
}

QStringList contents(const ListeAuto& l) {
    QStringList out;
    for (int i = 0; i < l.NbElementsListe(); ++i)
        out << l.RenvoieElement(i);
    return out;
}

} // namespace

TEST(ListeAuto, GrowsByTwentySlotsKeepingElements) {
    ListeAuto l;
    EXPECT_EQ(l.NbElementsListe(), 0);
    EXPECT_EQ(l.RenvoieElement(0), "");
    EXPECT_EQ(l.capacity(), 51);
    for (int i = 0; i < 52; ++i)
        l.AjoutElement(QString::number(i));
    EXPECT_EQ(l.capacity(), 71);
    EXPECT_EQ(l.RenvoieElement(0), "0");
    EXPECT_EQ(l.RenvoieElement(51), "51");
    EXPECT_EQ(l.RenvoieElement(52), "");
    EXPECT_EQ(l.RenvoieElement(-1), "");
    l.EffaceTableau();
    EXPECT_EQ(l.NbElementsListe(), 0);
    EXPECT_EQ(l.capacity(), 51);
}

TEST(ListeAuto, OutOfRangeIndicesAreIgnored) {
    ListeAuto l = listOf({"a", "b", "c"});
    l.ModifieElement(3, "z");
    l.SupprimeElement(3);
    l.SupprimeElement(-1);
    EXPECT_EQ(contents(l), QStringList({"a", "b", "c"}));
    l.SupprimeElement(2);
    EXPECT_EQ(contents(l), QStringList({"a", "b"}));
    l.SupprimeElement(0);
    EXPECT_EQ(contents(l), QStringList({"b"}));
    EXPECT_EQ(l.ChercheElement("b"), 0);
    EXPECT_EQ(l.ChercheElement("B"), -1);
}

TEST(ListeAuto, SortOrdersAndFoldings) {
    struct Case {
        QStringList input;
        bool ascending;
        bool lowerFolding; // TriRapide folds to lower case, sorted appends to upper case
        QStringList expected;
    };
    const Case cases[] = {
        {{"b", "A", "c"}, false, true, {"c", "b", "A"}},
        {{"b", "A", "c"}, true, true, {"A", "b", "c"}},
        // '_' lies between the upper- and lower-case letters: the two foldings disagree.
        {{"_x", "a"}, true, true, {"_x", "a"}},
        {{"_x", "a"}, true, false, {"a", "_x"}},
        {{"d", "a", "c", "b", "e", "a"}, true, true, {"a", "a", "b", "c", "d", "e"}},
    };
    for (const Case& c : cases) {
        ListeAuto l;
        if (c.lowerFolding) {
            l = listOf(c.input);
            l.TriRapide(c.ascending);
        } else {
            for (const QString& s : c.input)
                l.AjoutElement(s, true, c.ascending);
        }
        EXPECT_EQ(contents(l), c.expected) << c.input.join(',').toStdString();
    }
}

TEST(ListeAuto, DuplicateRemovalComparesCaseButSortsFolded) {
    ListeAuto mixed = listOf({"x", "X", "x"});
    mixed.TriEtSupprimeDoublons(true);
    EXPECT_EQ(mixed.NbElementsListe(), 3);

    ListeAuto plain = listOf({"b", "a", "b", "a"});
    plain.TriEtSupprimeDoublons(true);
    EXPECT_EQ(contents(plain), QStringList({"a", "b"}));
}

TEST(ListeAuto, FollowerKeepsItsPairs) {
    ListeAuto keys = listOf({"MP3", "jpg", "Zip", "avi", "jpg"});
    ListeAuto modes = listOf({"m", "j1", "z", "a", "j2"});
    keys.TriRapideSuivi(modes, true);
    const QStringList k = contents(keys);
    const QStringList m = contents(modes);
    EXPECT_EQ(k, QStringList({"avi", "jpg", "jpg", "MP3", "Zip"}));
    for (int i = 0; i < k.size(); ++i)
        EXPECT_EQ(m[i].left(1), k[i].left(1).toLower());

    keys.TriEtSupprimeDoublons(true, &modes);
    EXPECT_EQ(contents(keys), QStringList({"avi", "jpg", "MP3", "Zip"}));
    EXPECT_EQ(modes.NbElementsListe(), 4);
    EXPECT_EQ(modes.RenvoieElement(2), "m");
}

TEST(ListeAuto, LargeSortedInputStaysShallow) {
    ListeAuto l;
    for (int i = 0; i < 200000; ++i)
        l.AjoutElement(QStringLiteral("%1").arg(i, 6, 10, QLatin1Char('0')));
    l.TriRapide(false);
    EXPECT_EQ(l.RenvoieElement(0), "199999");
    EXPECT_EQ(l.RenvoieElement(199999), "000000");
}
