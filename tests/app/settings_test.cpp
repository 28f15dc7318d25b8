#include "app/files.h"
#include "app/settings.h"
#include "support/scripted_dialogs.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace velmar;
using velmar::test::ScriptedDialogs;

namespace {

class SettingsTest : public ::testing::Test {
protected:
    QString write(const QString& name, const QStringList& lines) {
        const QString path = dir.filePath(name);
        writeTextLines(path, lines);
        return path;
    }
    QTemporaryDir dir;
    ScriptedDialogs dialogs;
    Settings settings;
};

const QStringList kGeometry = {"Fenêtre", "-Hauteur[NUM][LOGICIEL_HAUTEUR]",
                               "-Largeur[NUM][LOGICIEL_LARGEUR]", "xGauche[NUM][LOGICIEL_POS_GAUCHE]",
                               "xHaut[NUM] en twips [LOGICIEL_POS_HAUT]"};

} // namespace

TEST_F(SettingsTest, DeclaresOptionLinesUnderTheirGroups) {
    settings.LoadOptionNames(write("o.dat", kGeometry), 0, true);
    EXPECT_TRUE(dialogs.messages().isEmpty());
    ASSERT_EQ(settings.count(), 4);
    EXPECT_EQ(settings.GetVariableName(4), "LOGICIEL_POS_HAUT");
    EXPECT_EQ(settings.GetVariableType(1), "NUM");
    EXPECT_EQ(settings.GetVariableList(1), "0");
    EXPECT_EQ(settings.GetValue("LOGICIEL_HAUTEUR"), "");
}

TEST_F(SettingsTest, BadOptionLinesStopTheReadingWithTheirMessage) {
    struct Case {
        QString line;
        QString message;
    };
    const Case cases[] = {
        {"xHauteur NUM LOGICIEL_HAUTEUR", "L'option xHauteur NUM LOGICIEL_HAUTEUR n'a pas de type."},
        {"xHauteur[ENTIER][LOGICIEL_HAUTEUR]",
         "L'option xHauteur[ENTIER][LOGICIEL_HAUTEUR] utilise un type non géré"},
        {"xHauteur[NUM] LOGICIEL_HAUTEUR", "L'option xHauteur[NUM] LOGICIEL_HAUTEUR n'a pas de variable."},
        {"-Hauteur[NUM][LOGICIEL_HAUTEUR]", "L'option -Hauteur[NUM][LOGICIEL_HAUTEUR] n'a pas de parent."},
    };
    for (const Case& c : cases) {
        dialogs.clear();
        settings.LoadOptionNames(write("o.dat", {"xA[TXT][A]", c.line, "xB[TXT][B]"}), 0, true);
        ASSERT_EQ(dialogs.messages().size(), 1) << c.line.toStdString();
        EXPECT_EQ(dialogs.messages()[0].text, c.message);
        EXPECT_EQ(dialogs.messages()[0].style, MessageStyle::Critical);
        EXPECT_EQ(settings.count(), 1) << "rows declared before the error stay, reading stops";
    }
}

TEST_F(SettingsTest, TheEightySecondDeclarationIsRefused) {
    QStringList lines;
    for (int i = 1; i <= 83; ++i)
        lines << QStringLiteral("xOption %1[TXT][V%1]").arg(i);
    settings.LoadOptionNames(write("o.dat", lines), 0, true);
    EXPECT_EQ(settings.count(), 81);
    ASSERT_EQ(dialogs.messages().size(), 1);
    EXPECT_EQ(dialogs.messages()[0].text, "Il y a trop de variables définies");
}

TEST_F(SettingsTest, ADuplicateDeclarationIsRefused) {
    settings.LoadOptionNames(write("o.dat", {"xA[NUM][LOGICIEL_HAUTEUR]", "xB[NUM][LOGICIEL_HAUTEUR]"}), 0,
                             true);
    EXPECT_EQ(settings.count(), 1);
    ASSERT_EQ(dialogs.messages().size(), 1);
    EXPECT_EQ(dialogs.messages()[0].text, "Variable utilisée deux fois : LOGICIEL_HAUTEUR");
}

TEST_F(SettingsTest, ValuesKeepEverythingAfterTheFirstEqualSign) {
    settings.LoadOptionNames(write("o.dat", kGeometry), 0, true);
    settings.LoadValues(
        write("i.dat", {"LOGICIEL_HAUTEUR=9000", "", "LOGICIEL_LARGEUR=a=b", "LOGICIEL_POS_HAUT="}), 0);
    EXPECT_TRUE(dialogs.messages().isEmpty());
    EXPECT_EQ(settings.GetValue("LOGICIEL_HAUTEUR"), "9000");
    EXPECT_EQ(settings.GetValue("LOGICIEL_LARGEUR"), "a=b");
    EXPECT_EQ(settings.GetValue("LOGICIEL_POS_HAUT"), "");
}

TEST_F(SettingsTest, ValueLinesThatStopTheReading) {
    settings.LoadOptionNames(write("o.dat", kGeometry), 0, true);
    const QString path = write("i.dat", {"LOGICIEL_HAUTEUR", "LOGICIEL_LARGEUR=1"});
    settings.LoadValues(path, 0);
    ASSERT_EQ(dialogs.messages().size(), 1);
    EXPECT_TRUE(dialogs.messages()[0].text.startsWith("Une variable n'a pas été affectée dans le fichier "));
    EXPECT_TRUE(dialogs.messages()[0].text.contains("i.dat"));
    EXPECT_EQ(settings.GetValue("LOGICIEL_LARGEUR"), "");

    dialogs.clear();
    settings.LoadValues(write("j.dat", {"ANCIENNE=1", "LOGICIEL_LARGEUR=1"}), 0);
    ASSERT_EQ(dialogs.messages().size(), 1);
    EXPECT_EQ(dialogs.messages()[0].text, "Variable inconnue : ANCIENNE");
    EXPECT_EQ(settings.GetValue("LOGICIEL_LARGEUR"), "");
}

TEST_F(SettingsTest, SaveWritesDeclaredVariablesExceptFunctions) {
    settings.LoadOptionNames(write("o.dat", {"xA[TXT][A]", "xF[FONCTION][F]", "xB[O/N][B]"}), 0, true);
    settings.SetValue("A", "1");
    settings.SetValue("F", "x");
    const QString path = dir.filePath("out.dat");
    settings.SaveValues(path, 0);
    QStringList lines;
    ASSERT_TRUE(readTextLines(path, lines));
    EXPECT_EQ(lines, QStringList({"A=1", "B="}));
}

TEST_F(SettingsTest, MissingVariablesAndRowsAreReported) {
    EXPECT_EQ(settings.GetValue("ABSENTE"), "");
    settings.SetValue("ABSENTE", "1");
    EXPECT_EQ(settings.GetVariableList(3), "0");
    EXPECT_EQ(settings.GetVariableName(3), "");
    EXPECT_EQ(dialogs.messageTexts(),
              QStringList({"Variable ABSENTE non trouvée.", "Variable ABSENTE non trouvée.",
                           "Variable 3 non trouvée.", "Variable n°3 non trouvée."}));
}

TEST_F(SettingsTest, ListsAreKeptApart) {
    ASSERT_TRUE(settings.DeclareVariable("A", "TXT", "", 1));
    ASSERT_TRUE(settings.DeclareVariable("B", "TXT", "", 2));
    EXPECT_TRUE(settings.FindVariable("A", 2));
    ASSERT_EQ(dialogs.messages().size(), 1);
    EXPECT_EQ(dialogs.messages()[0].text, "La variable A existe dans une autre liste.");
    EXPECT_EQ(dialogs.messages()[0].style, MessageStyle::Plain);
    settings.ClearSettings(1);
    EXPECT_EQ(settings.count(), 1);
    EXPECT_EQ(settings.GetVariableName(1), "B");
}
