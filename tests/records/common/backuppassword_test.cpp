#include "tests/support/scriptedmessageboxes.h"
#include "records/common/backuppassword.h"
#include "records/common/genericprops.h"
#include "recordstest.h"

namespace {

using BackupPasswordTest = RecordsTest;

const QString kNoPassword = QStringLiteral("E91772CCB5E6CE5F932D");

TEST_F(BackupPasswordTest, TenBlanksAndTheEmptyPasswordGiveTheDeliveredText)
{
    QString blanks, empty;
    ASSERT_TRUE(ScramblePassword(QString(10, QLatin1Char(' ')), blanks));
    ASSERT_TRUE(ScramblePassword(QString(), empty));
    EXPECT_EQ(blanks, kNoPassword);
    EXPECT_EQ(empty, kNoPassword);
    EXPECT_TRUE(CheckBackupPassword(QString()));
    EXPECT_TRUE(CheckBackupPassword(QStringLiteral("   ")));
    EXPECT_FALSE(CheckBackupPassword(QStringLiteral("secret")));
}

TEST_F(BackupPasswordTest, PaddingAndCuttingToTenCharacters)
{
    QString a, b, c, d;
    ASSERT_TRUE(ScramblePassword(QStringLiteral("abc"), a));
    ASSERT_TRUE(ScramblePassword(QStringLiteral("abc       "), b));
    ASSERT_TRUE(ScramblePassword(QStringLiteral("Abc"), c));
    ASSERT_TRUE(ScramblePassword(QStringLiteral("abcdefghij"), d));
    EXPECT_EQ(a, b);
    EXPECT_NE(a, c);
    EXPECT_EQ(a.size(), 20);
    EXPECT_EQ(a, a.toUpper());
    QString longer;
    ASSERT_TRUE(ScramblePassword(QStringLiteral("abcdefghijKLM"), longer));
    EXPECT_EQ(longer, d);
}

TEST_F(BackupPasswordTest, StoreThenCheck)
{
    ASSERT_TRUE(StoreBackupPassword(QStringLiteral("Rose1997")));
    EXPECT_EQ(Count(QStringLiteral("SELECT * FROM GENERIC WHERE PropertyType = 102")), 1);
    EXPECT_TRUE(CheckBackupPassword(QStringLiteral("Rose1997")));
    EXPECT_TRUE(CheckBackupPassword(QStringLiteral("Rose1997  ")));
    EXPECT_FALSE(CheckBackupPassword(QStringLiteral("rose1997")));
    EXPECT_FALSE(CheckBackupPassword(QString()));

    // The backup puts the stored text back unchanged.
    QString stored;
    ASSERT_TRUE(ReadGenericStr(102, 1, stored));
    ASSERT_TRUE(StoreBackupPassword(QString()));
    WriteGenericStr(102, 1, stored);
    EXPECT_TRUE(CheckBackupPassword(QStringLiteral("Rose1997")));

    // Without a stored text no password checks.
    Exec(QStringLiteral("DELETE FROM GENERIC WHERE PropertyType = 102"));
    EXPECT_FALSE(CheckBackupPassword(QString()));
}

// A database that cannot be read is not a wrong password, and one that
// refuses the write is not a stored one.
TEST_F(BackupPasswordTest, DatabaseFailuresAreNeitherAWrongPasswordNorAStoredOne)
{
    FailOn(QStringLiteral("UPDATE"), QStringLiteral("GENERIC"));
    EXPECT_THROW(StoreBackupPassword(QStringLiteral("Rose1997")), EDatabaseError);
    EXPECT_TRUE(CheckBackupPassword(QString()));
    BreakDatabase();
    EXPECT_THROW(CheckBackupPassword(QString()), EDatabaseError);
}

TEST_F(BackupPasswordTest, IllegalCharacterIsRefusedWithItsMessage)
{
    ScriptedMessageBoxes boxes;
    for (const QString& password : {QStringLiteral("pass-word"), QStringLiteral("caf\u00e9"), QStringLiteral("a\tb")}) {
        QString text = QStringLiteral("old");
        EXPECT_FALSE(ScramblePassword(password, text));
        EXPECT_TRUE(text.isEmpty());
    }
    EXPECT_FALSE(StoreBackupPassword(QStringLiteral("a;b")));
    EXPECT_FALSE(CheckBackupPassword(QStringLiteral("a;b")));
    ASSERT_EQ(boxes.shown.size(), 5);
    EXPECT_EQ(boxes.shown[0].text, QStringLiteral("Illegal character in password."));
    EXPECT_EQ(boxes.shown[0].icon, MsgIcon::Warning);
    EXPECT_EQ(boxes.shown[0].buttons, unsigned(MsgOk));
    // Nothing was stored: the delivered no-password text stands.
    EXPECT_TRUE(CheckBackupPassword(QString()));
    // Past the tenth character nothing is looked at.
    QString text;
    EXPECT_TRUE(ScramblePassword(QStringLiteral("abcdefghij;"), text));
}

}  // namespace
