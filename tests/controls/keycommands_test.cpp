#include "controls/keycommands.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

quint8 K(char c)
{
    return static_cast<quint8>(c);
}

TEST(BuiltInTables, NamesSizesAndActivity)
{
    const TEfCommandProcessor processor;
    ASSERT_EQ(processor.TableCount(), 3);
    EXPECT_EQ(processor.Table(0).Name, QStringLiteral("Default"));
    EXPECT_EQ(processor.Table(0).Count(), 64);
    EXPECT_TRUE(processor.Table(0).Active);
    EXPECT_EQ(processor.Table(1).Name, QStringLiteral("WordStar"));
    EXPECT_EQ(processor.Table(1).Count(), 40);
    EXPECT_FALSE(processor.Table(1).Active);
    EXPECT_EQ(processor.Table(2).Name, QStringLiteral("Grid"));
    EXPECT_EQ(processor.Table(2).Count(), 38);
    EXPECT_FALSE(processor.Table(2).Active);
    EXPECT_THROW(processor.Table(3), ETableNotFound);
    // Entries keep the tables' order.
    const auto commandAt = [&](int table, int index) { return processor.Table(table).Entry(index).command; };
    EXPECT_EQ(commandAt(0, 16), ccNewLine);
    EXPECT_EQ(commandAt(0, 17), ccExtendLeft);
    EXPECT_EQ(commandAt(0, 31), ccCut);
    EXPECT_EQ(commandAt(0, 44), ccGotoMarker0);
    EXPECT_EQ(commandAt(0, 63), ccSetMarker0 + 9);
    EXPECT_EQ(commandAt(1, 10), ccHome);
    EXPECT_EQ(commandAt(2, 14), ccExtendLeft);
    EXPECT_EQ(commandAt(2, 28), ccCut);
    EXPECT_EQ(commandAt(2, 37), ccTableEdit);
    // Each built-in table names every key sequence once.
    for (int t = 0; t < processor.TableCount(); ++t) {
        const TEfCommandTable& table = processor.Table(t);
        for (int i = 0; i < table.Count(); ++i) {
            const TEfCommandEntry& e = table.Entry(i);
            EXPECT_EQ(table.IndexOf(e.key1, e.shift1, e.key2, e.shift2), i) << t << " " << i;
        }
    }
}

TEST(CommandNames, NamedAndUserCommands)
{
    EXPECT_EQ(CommandName(ccNone), QStringLiteral("ccNone"));
    EXPECT_EQ(CommandName(ccLeft), QStringLiteral("ccLeft"));
    EXPECT_EQ(CommandName(ccGotoMarker0 + 9), QStringLiteral("ccGotoMarker9"));
    EXPECT_EQ(CommandName(ccTab), QStringLiteral("ccTab"));
    EXPECT_EQ(CommandName(ccWordRight), QStringLiteral("ccWordRight"));
    EXPECT_EQ(CommandName(300), QStringLiteral("ccUser300"));
}

TEST(Translate, DefaultTableAlone)
{
    TEfCommandProcessor processor;
    EXPECT_EQ(processor.Translate(VKey::Left, ssNone), ccLeft);
    EXPECT_EQ(processor.Translate(VKey::Left, ssCtrl | ssShift), ccExtWordLeft);
    EXPECT_EQ(processor.Translate(K('Z'), ssCtrl | ssShift), ccRedo);
    EXPECT_EQ(processor.Translate(K('5'), ssCtrl), ccGotoMarker0 + 5);
    EXPECT_EQ(processor.Translate(K('5'), ssCtrl | ssShift), ccSetMarker0 + 5);
    EXPECT_EQ(processor.Translate(VKey::Back, ssAlt), ccRestore);
    EXPECT_EQ(processor.Translate(K('Q'), ssCtrl), ccPlainKey);
    EXPECT_EQ(processor.Translate(K('A'), ssNone), ccPlainKey);
    EXPECT_EQ(processor.Translate(VKey::Shift, ssShift), ccPlainKey);
}

class WordStarTranslate : public ::testing::Test {
protected:
    void SetUp() override { processor.FindTable(QStringLiteral("wordstar"))->Active = true; }
    TEfCommandProcessor processor;
};

TEST_F(WordStarTranslate, TwoKeySequences)
{
    EXPECT_EQ(processor.Translate(K('Q'), ssCtrl), ccFirstOfTwo);
    EXPECT_EQ(processor.Translate(K('S'), ssNone), ccHome);
    EXPECT_EQ(processor.Translate(K('Q'), ssCtrl), ccFirstOfTwo);
    EXPECT_EQ(processor.Translate(K('S'), ssCtrl), ccHome);
    EXPECT_EQ(processor.Translate(K('K'), ssCtrl), ccFirstOfTwo);
    EXPECT_EQ(processor.Translate(K('3'), ssNone), ccSetMarker0 + 3);
    // The first table that knows a key answers: Ctrl+X is Default's cut.
    EXPECT_EQ(processor.Translate(K('X'), ssCtrl), ccCut);
    EXPECT_EQ(processor.Translate(K('S'), ssCtrl), ccLeft);
}

TEST_F(WordStarTranslate, BrokenSequenceStartsAfresh)
{
    EXPECT_EQ(processor.Translate(K('Q'), ssCtrl), ccFirstOfTwo);
    EXPECT_EQ(processor.Translate(K('S'), ssShift), ccBrokenSequence);
    EXPECT_EQ(processor.Translate(K('S'), ssNone), ccPlainKey);
    EXPECT_EQ(processor.Translate(K('Q'), ssCtrl), ccFirstOfTwo);
    EXPECT_EQ(processor.Translate(K('Z'), ssNone), ccBrokenSequence);
    EXPECT_EQ(processor.Translate(VKey::Left, ssNone), ccLeft);
}

TEST_F(WordStarTranslate, LoneShiftOrCtrlKeepsTheSequence)
{
    EXPECT_EQ(processor.Translate(K('Q'), ssCtrl), ccFirstOfTwo);
    EXPECT_EQ(processor.Translate(VKey::Shift, ssCtrl | ssShift), ccFirstOfTwo);
    EXPECT_EQ(processor.Translate(VKey::Control, ssCtrl), ccFirstOfTwo);
    EXPECT_EQ(processor.Translate(K('D'), ssNone), ccEnd);
}

TEST_F(WordStarTranslate, CtrlCharMakesTheNextKeyLiteral)
{
    EXPECT_EQ(processor.Translate(K('P'), ssCtrl), ccCtrlChar);
    EXPECT_EQ(processor.Translate(VKey::Left, ssNone), ccPlainKey);
    EXPECT_EQ(processor.Translate(VKey::Left, ssNone), ccLeft);
}

TEST_F(WordStarTranslate, ResetDropsAPendingSequence)
{
    EXPECT_EQ(processor.Translate(K('Q'), ssCtrl), ccFirstOfTwo);
    processor.ResetState();
    EXPECT_EQ(processor.Translate(K('S'), ssNone), ccPlainKey);
}

TEST(Translate, InactiveTablesAreNotAsked)
{
    TEfCommandProcessor processor;
    processor.FindTable(QStringLiteral("Default"))->Active = false;
    EXPECT_EQ(processor.Translate(VKey::Left, ssNone), ccPlainKey);
    processor.FindTable(QStringLiteral("Grid"))->Active = true;
    EXPECT_EQ(processor.Translate(VKey::F2, ssNone), ccTableEdit);
}

TEST(TableNaming, TakenNamesGetANumber)
{
    TEfCommandProcessor processor;
    EXPECT_EQ(processor.CreateTable(QStringLiteral("Default"), false).Name, QStringLiteral("Default1"));
    EXPECT_EQ(processor.CreateTable(QStringLiteral("Default"), false).Name, QStringLiteral("Default2"));
    EXPECT_EQ(processor.CreateTable(QStringLiteral("Grid7"), false).Name, QStringLiteral("Grid1"));
    EXPECT_EQ(processor.CreateTable(QStringLiteral("default"), false).Name, QStringLiteral("default3"));
    EXPECT_EQ(processor.CreateTable(QStringLiteral("Custom7"), false).Name, QStringLiteral("Custom7"));
    EXPECT_EQ(processor.CreateTable(QStringLiteral("9"), false).Name, QStringLiteral("9"));
    EXPECT_EQ(processor.TableCount(), 9);
    EXPECT_EQ(processor.FindTable(QStringLiteral("GRID1")), &processor.Table(5));
    EXPECT_EQ(processor.FindTable(QStringLiteral("Nothing")), nullptr);
}

TEST(AddCommand, DuplicateKeysAndMissingTables)
{
    TEfCommandProcessor processor;
    const TEfCommandEntry left{VKey::Left, ssNone, 0, ssNone, ccHome};
    EXPECT_THROW(processor.AddCommand(QStringLiteral("Default"), left), EDuplicateCommand);
    EXPECT_THROW(processor.AddCommand(QStringLiteral("Nothing"), left), ETableNotFound);
    const TEfCommandEntry user{VKey::F2, ssShift, 0, ssNone, 300};
    processor.AddCommand(QStringLiteral("default"), user);
    const TEfCommandTable& table = *processor.FindTable(QStringLiteral("Default"));
    EXPECT_EQ(table.Count(), 65);
    EXPECT_EQ(table.IndexOf(VKey::F2, ssShift, 0, ssNone), 64);
    EXPECT_EQ(processor.Translate(VKey::F2, ssShift), 300);
}

TEST(CommandTable, EditingByIndex)
{
    TEfCommandTable table;
    EXPECT_EQ(table.Name, QStringLiteral("(Unknown)"));
    EXPECT_TRUE(table.Active);
    table.Add({1, 0, 0, 0, ccLeft});
    table.Add({2, 0, 0, 0, ccRight});
    table.Replace(0, {3, 0, 0, 0, ccUp});
    table.Delete(1);
    ASSERT_EQ(table.Count(), 1);
    EXPECT_EQ(table.Entry(0).command, ccUp);
    EXPECT_EQ(table.IndexOf(2, 0, 0, 0), -1);
    EXPECT_THROW(table.Delete(1), ETableNotFound);
    EXPECT_THROW(table.Replace(-1, {}), ETableNotFound);
    EXPECT_THROW(table.Entry(5), ETableNotFound);
}

class CommandFiles : public ::testing::Test {
protected:
    QString Write(const QByteArray& content)
    {
        const QString path = dir.filePath(QStringLiteral("table%1.txt").arg(++files));
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(content);
        return path;
    }
    QTemporaryDir dir;
    int files = 0;
};

TEST_F(CommandFiles, SavedTableLoadsBackUnderAUniqueName)
{
    TEfCommandProcessor processor;
    const QString path = dir.filePath(QStringLiteral("wordstar.txt"));
    ASSERT_TRUE(processor.SaveTable(QStringLiteral("WordStar"), path));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readLine(), QByteArray("WordStar\n"));
    EXPECT_EQ(file.readLine(), QByteArray("  83   4   0   0    46\n"));

    const TEfCommandTable* loaded = processor.LoadTable(path);
    ASSERT_NE(loaded, nullptr);
    EXPECT_EQ(loaded->Name, QStringLiteral("WordStar1"));
    const TEfCommandTable& original = processor.Table(1);
    ASSERT_EQ(loaded->Count(), original.Count());
    for (int i = 0; i < original.Count(); ++i) {
        EXPECT_EQ(loaded->Entry(i).key1, original.Entry(i).key1);
        EXPECT_EQ(loaded->Entry(i).shift2, original.Entry(i).shift2);
        EXPECT_EQ(loaded->Entry(i).command, original.Entry(i).command);
    }
    EXPECT_FALSE(processor.SaveTable(QStringLiteral("Nothing"), dir.filePath(QStringLiteral("x"))));
    EXPECT_FALSE(QFile::exists(dir.filePath(QStringLiteral("x"))));
}

TEST_F(CommandFiles, NameOnlyAndWindowsLineEnds)
{
    TEfCommandTable table;
    ASSERT_TRUE(table.LoadFromFile(Write("Mine\r\n")));
    EXPECT_EQ(table.Name, QStringLiteral("Mine"));
    EXPECT_EQ(table.Count(), 0);
    ASSERT_TRUE(table.LoadFromFile(Write("Mine\r\n  37   0   0   0    46\r\n  39   0   0   0    55")));
    EXPECT_EQ(table.Count(), 2);
    EXPECT_EQ(table.Entry(1).command, ccRight);
}

TEST_F(CommandFiles, DamagedFilesAreRefusedWhole)
{
    const QByteArray good = "Mine\n  37   0   0   0    46\n  39   0   0   0    55\n";
    const QByteArray damaged[] = {
        "",
        "\n  37   0   0   0    46\n",
        good.left(good.size() - 4),           // cut inside the last line
        "Mine\n  37   0   0   0\n",            // a line short of its command
        "Mine\n  37   0   0   0    4x\n",
        "Mine\n 256   0   0   0    46\n",
        "Mine\n  37  -1   0   0    46\n",
        "Mine\n  37   0   0   0 65536\n",
        QByteArray("Mine\n  37\0  0   0   0    46\n", 28),
    };
    for (const QByteArray& content : damaged) {
        TEfCommandProcessor processor;
        QString error;
        EXPECT_EQ(processor.LoadTable(Write(content), &error), nullptr) << content.toStdString();
        EXPECT_FALSE(error.isEmpty());
        EXPECT_EQ(processor.TableCount(), 3);
    }
    TEfCommandTable table(QStringLiteral("Kept"));
    table.Add({1, 0, 0, 0, ccLeft});
    EXPECT_FALSE(table.LoadFromFile(Write(good.left(good.size() - 4))));
    EXPECT_FALSE(table.LoadFromFile(dir.filePath(QStringLiteral("missing.txt"))));
    EXPECT_EQ(table.Name, QStringLiteral("Kept"));
    EXPECT_EQ(table.Count(), 1);
}

TEST(QtKeys, MappedToTheTablesKeyCodes)
{
    auto stroke = KeyStrokeOf(Qt::Key_Left, Qt::NoModifier);
    EXPECT_EQ(stroke.key, VKey::Left);
    EXPECT_EQ(stroke.shift, ssNone);
    stroke = KeyStrokeOf(Qt::Key_ParenRight, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(stroke.key, K('0'));
    EXPECT_EQ(stroke.shift, ssCtrl | ssShift);
    stroke = KeyStrokeOf(Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_EQ(stroke.key, VKey::Tab);
    EXPECT_EQ(stroke.shift, ssShift);
    EXPECT_EQ(KeyStrokeOf(Qt::Key_5, Qt::KeypadModifier).key, VKey::Numpad0 + 5);
    EXPECT_EQ(KeyStrokeOf(Qt::Key_5, Qt::NoModifier).key, K('5'));
    stroke = KeyStrokeOf(Qt::Key_Backspace, Qt::AltModifier);
    EXPECT_EQ(stroke.key, VKey::Back);
    EXPECT_EQ(stroke.shift, ssAlt);
    EXPECT_EQ(KeyStrokeOf(Qt::Key_Q, Qt::ControlModifier).key, K('Q'));
    EXPECT_EQ(KeyStrokeOf(Qt::Key_F2, Qt::NoModifier).key, VKey::F2);
    EXPECT_EQ(KeyStrokeOf(Qt::Key_Enter, Qt::KeypadModifier).key, VKey::Return);
    EXPECT_EQ(KeyStrokeOf(Qt::Key_Exclam, Qt::NoModifier).key, 0);
    EXPECT_EQ(KeyStrokeOf(Qt::Key_Shift, Qt::ShiftModifier).key, VKey::Shift);
    // Ctrl+Shift+0 as Qt reports it reaches the set-marker command.
    TEfCommandProcessor processor;
    stroke = KeyStrokeOf(Qt::Key_ParenRight, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(processor.Translate(stroke.key, stroke.shift), ccSetMarker0);
}

}  // namespace
