// The link tree in its table: what is saved comes back, the table is made
// from the template on the first save only, and a failing save keeps the
// rows it found.
#include "organizer/linkstore.h"

#include "context/context.h"
#include "tests/organizer/linktrees.h"
#include "platform/dataset.h"
#include "tests/support/testsupport.h"
#include "tests/shell/pages/qstringprint.h"

#include <gtest/gtest.h>

namespace {

const QString kTable = QStringLiteral("hiir");
const QString kRoot = QStringLiteral("Internet Health Info Resources");

class LinkStore : public ::testing::Test {
protected:
    void SetUp() override { DataFolder = folder_.Path(); }
    void TearDown() override { DataFolder.clear(); }

    static qint32 Count(const QString& sql)
    {
        TQuery query(DataFolder);
        query.SQL() << sql;
        query.Open();
        return query.Fields(0).AsInteger();
    }
    static void Exec(const QString& sql)
    {
        TQuery query(DataFolder);
        query.SQL() << sql;
        query.ExecSQL();
    }
    // One line a row: NAbsIndex NLevel NIndex IsFolder Expanded URL NDesc | note lines.
    static QStringList Rows()
    {
        TQuery rows(DataFolder);
        rows.SQL() << QStringLiteral("SELECT * FROM hiir ORDER BY NAbsIndex");
        rows.Open();
        QStringList lines;
        for (; !rows.Eof(); rows.Next()) {
            QStringList fields;
            for (const char* name : {"NAbsIndex", "NLevel", "NIndex", "IsFolder", "Expanded", "URL", "NDesc"})
                fields << rows.FieldByName(QLatin1String(name)).AsString();
            const TField& note = rows.FieldByName(QStringLiteral("Note"));
            fields << (note.IsNull() ? QStringLiteral("<null>") : note.AsLines().join(QLatin1Char('/')));
            lines << fields.join(QLatin1Char(' '));
        }
        return lines;
    }

    // Root
    //   Allergies (folder, open, with a note)
    //     Pollen (site, note)
    //     Kids (folder, closed)
    //       Peanuts (site)
    //   Clinic (site)
    static TLinkTree SampleTree()
    {
        TLinkTree tree(kRoot);
        TLinkData allergies = Folder(QStringLiteral("Allergies"));
        allergies.expanded = true;
        allergies.note = {QStringLiteral("Ask Dr. O'Neil"), QString(), QStringLiteral("  in May")};
        TLinkNode& a = tree.Append(tree.Root(), allergies);
        TLinkData pollen = Site(QStringLiteral("Pollen \"count\""), QStringLiteral("https://pollen.example/?q=a&b=1"));
        pollen.note = {QStringLiteral("daily")};
        tree.Append(a, pollen);
        TLinkNode& k = tree.Append(a, Folder(QStringLiteral("Kids")));
        tree.Append(k, Site(QStringLiteral("Peanuts"), QStringLiteral("http://nuts.example/")));
        tree.Append(tree.Root(), Site(QStringLiteral("Clinic"), QStringLiteral("http://clinic.example/")));
        return tree;
    }

    // The tree as text: one line a node, indented by level.
    static QStringList Shape(const TLinkTree& tree)
    {
        QStringList lines;
        for (const TLinkNode* node : tree.PreOrder())
            lines << QString(node->Level() * 2, QLatin1Char(' ')) + node->text + (node->folder ? "/" : "") +
                         (node->expanded ? " +" : "") + (node->url.isEmpty() ? "" : " " + node->url) +
                         (node->note.isEmpty() ? "" : " [" + node->note.join('|') + "]");
        return lines;
    }

    FreshDataFolder folder_;
};

TEST_F(LinkStore, AMissingTableGivesTheRootAloneAndIsNotMadeByReading)
{
    const TLinkTree tree = LoadLinkTree(kTable, kRoot);
    EXPECT_EQ(Shape(tree), QStringList{kRoot + "/ +"});
    EXPECT_EQ(Count(QStringLiteral("SELECT COUNT(*) FROM sqlite_master WHERE name = 'hiir'")), 0);
}

TEST_F(LinkStore, TheFirstSaveMakesTheTableFromTheTemplateWithItsRows)
{
    // A row the template brings along.
    Exec(QStringLiteral("INSERT INTO iirtmpl (NAbsIndex, NLevel, NIndex, IsFolder, URL, NDesc) "
                        "VALUES (1, 1, 0, 0, 'http://t.example/', 'From the template')"));
    TLinkTree empty(kRoot);
    SaveLinkTree(kTable, empty);
    EXPECT_EQ(Count(QStringLiteral("SELECT COUNT(*) FROM sqlite_master WHERE type = 'table' AND name = 'hiir'")), 1);
    EXPECT_EQ(Rows(), QStringList()) << "an empty tree leaves no rows, the template's included";

    // The copy has the template's columns and kinds.
    TQuery columns(DataFolder);
    columns.SQL() << QStringLiteral("SELECT * FROM hiir");
    columns.Open();
    EXPECT_EQ(columns.FieldByName(QStringLiteral("IsFolder")).DataType(), TFieldType::Boolean);
    EXPECT_EQ(columns.FieldByName(QStringLiteral("Note")).DataType(), TFieldType::Memo);
    EXPECT_EQ(columns.FieldCount(), 8);
}

TEST_F(LinkStore, SavedRowsArePreOrderWithLevelsPlacesAndFolderAddresses)
{
    SaveLinkTree(kTable, SampleTree());
    EXPECT_EQ(Rows(), QStringList({
                          "1 1 0 True True Not Applicable Allergies Ask Dr. O'Neil//  in May",
                          "2 2 0 False False https://pollen.example/?q=a&b=1 Pollen \"count\" daily",
                          "3 2 1 True False Not Applicable Kids <null>",
                          "4 3 0 False False http://nuts.example/ Peanuts <null>",
                          "5 1 1 False False http://clinic.example/ Clinic <null>",
                      }));
}

TEST_F(LinkStore, WhatIsSavedComesBackNotesOfFoldersIncluded)
{
    const TLinkTree saved = SampleTree();
    SaveLinkTree(kTable, saved);
    const TLinkTree loaded = LoadLinkTree(kTable, kRoot);
    EXPECT_EQ(Shape(loaded), Shape(saved));
    EXPECT_EQ(loaded.NodeAt(1)->note, QStringList({"Ask Dr. O'Neil", "", "  in May"}));

    // Saved again unchanged, the rows are the same; an empty tree empties the table.
    const QStringList rows = Rows();
    SaveLinkTree(kTable, loaded);
    EXPECT_EQ(Rows(), rows);
    SaveLinkTree(kTable, TLinkTree(kRoot));
    EXPECT_EQ(Rows(), QStringList());
    EXPECT_EQ(Shape(LoadLinkTree(kTable, kRoot)), QStringList{kRoot + "/ +"});
}

TEST_F(LinkStore, RowsOfLevelsOneTwoTwoOneMakeAFolderWithTwoEntriesAndASibling)
{
    SaveLinkTree(kTable, TLinkTree(kRoot));
    const auto add = [](int abs, int level, bool folder, const QString& text) {
        AppendRow(DataFolder, kTable, QString(), [&](TDataSet& row) {
            row.FieldByName(QStringLiteral("NAbsIndex")).SetAsInteger(abs);
            row.FieldByName(QStringLiteral("NLevel")).SetAsInteger(level);
            row.FieldByName(QStringLiteral("IsFolder")).SetAsBoolean(folder);
            row.FieldByName(QStringLiteral("Expanded")).SetAsBoolean(folder);
            row.FieldByName(QStringLiteral("NDesc")).SetAsString(text);
            row.FieldByName(QStringLiteral("URL")).SetAsString(folder ? "Not Applicable" : "http://" + text + ".example/");
        });
    };
    // Written out of order: the rows are read by their absolute index.
    add(4, 1, false, QStringLiteral("d"));
    add(1, 1, true, QStringLiteral("a"));
    add(3, 2, false, QStringLiteral("c"));
    add(2, 2, false, QStringLiteral("b"));
    EXPECT_EQ(Shape(LoadLinkTree(kTable, kRoot)),
              QStringList({kRoot + "/ +", "  a/ +", "    b http://b.example/", "    c http://c.example/",
                           "  d http://d.example/"}));
}

TEST_F(LinkStore, ASaveThatFailsHalfwayLeavesTheRowsItFound)
{
    SaveLinkTree(kTable, SampleTree());
    const QStringList before = Rows();
    Exec(QStringLiteral("CREATE TRIGGER refuse BEFORE INSERT ON hiir WHEN NEW.NDesc = 'Refused' "
                        "BEGIN SELECT RAISE(ABORT, 'refused'); END"));
    TLinkTree changed(kRoot);
    for (const QString& text : {QStringLiteral("First"), QStringLiteral("Second"), QStringLiteral("Refused")}) {
        changed.Append(changed.Root(), Site(text, QStringLiteral("http://x.example/")));
    }
    EXPECT_THROW(SaveLinkTree(kTable, changed), EDatabaseError);
    EXPECT_EQ(Rows(), before);
}

TEST_F(LinkStore, WithoutTheTemplateTheFirstSaveFailsAndMakesNothing)
{
    Exec(QStringLiteral("DROP TABLE iirtmpl"));
    EXPECT_THROW(SaveLinkTree(kTable, SampleTree()), EDatabaseError);
    EXPECT_EQ(Count(QStringLiteral("SELECT COUNT(*) FROM sqlite_master WHERE name = 'hiir'")), 0);
}

}  // namespace
