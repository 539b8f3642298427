#include "platform/datetime.h"
#include "platform/settings.h"
#include "context/registry.h"
#include "shell/formhealthmain.h"
#include "tests/shell/shelltestenv.h"

#include <QDateTime>
#include <cstring>
#include <gtest/gtest.h>

namespace {

const QString kMainWindowKey = QStringLiteral("SOFTWARE/Brightmoor Corp/Apps/CarePortfolio/1.0/FormHealthMain/");
const QString kApplicationKey = QStringLiteral("SOFTWARE/Brightmoor Corp/Apps/CarePortfolio/1.0/");

// The store as a file, without the program's keys and kinds.
void PutRaw(const QString& key, const QVariant& value)
{
    auto raw = AppSettings::Open();
    raw->setValue(key, value);
}

QVariant GetRaw(const QString& key)
{
    return AppSettings::Open()->value(key);
}

QByteArray DateBytes(TDateTime date)
{
    return QByteArray(reinterpret_cast<const char*>(&date), sizeof date);
}

TEST(LastModule, MissingGivesTheDefaultAndAWriteIsKeptUnderTheWindowKey)
{
    FreshSettings settings;
    EXPECT_EQ(ReadLastModule(133), 133);
    WriteLastModule(131);
    EXPECT_EQ(ReadLastModule(133), 131);
    EXPECT_EQ(GetRaw(kMainWindowKey + QStringLiteral("ModID")), QVariant(QStringLiteral("dword:00000083")));
}

TEST(LastModule, AValueOfAnotherKindCountsAsMissing)
{
    FreshSettings settings;
    PutRaw(kMainWindowKey + QStringLiteral("ModID"), QStringLiteral("131"));
    EXPECT_EQ(ReadLastModule(133), 133);
    PutRaw(kMainWindowKey + QStringLiteral("ModID"), QByteArray("\x83\0\0\0", 4));
    EXPECT_EQ(ReadLastModule(133), 133);
    PutRaw(kMainWindowKey + QStringLiteral("ModID"), QStringLiteral("dword:0083"));
    EXPECT_EQ(ReadLastModule(133), 133);
}

TEST(RegistryValues, IntegersKeepTheirSignAndStringsTheirText)
{
    FreshSettings settings;
    auto reg = OpenWindowKey(QStringLiteral("DlgIIR"));
    ASSERT_TRUE(WriteRegInteger(*reg, QStringLiteral("Width"), -2));
    ASSERT_TRUE(WriteRegString(*reg, QStringLiteral("sleTo"), QStringLiteral("ann@example.org; @bob, \"x\"")));
    auto again = OpenWindowKey(QStringLiteral("DlgIIR"));
    EXPECT_EQ(ReadRegInteger(*again, QStringLiteral("Width")), -2);
    EXPECT_EQ(ReadRegString(*again, QStringLiteral("sleTo")), QStringLiteral("ann@example.org; @bob, \"x\""));
    // Each kind read as another is missing.
    EXPECT_EQ(ReadRegString(*again, QStringLiteral("Width")), std::nullopt);
    EXPECT_EQ(ReadRegInteger(*again, QStringLiteral("sleTo")), std::nullopt);
    EXPECT_EQ(ReadRegDate(*again, QStringLiteral("sleTo")), std::nullopt);
    EXPECT_EQ(ReadRegInteger(*again, QStringLiteral("Height")), std::nullopt);
}

TEST(DateLastUsed, IsTodayAfterAWriteAndMissingAtFirst)
{
    FreshSettings settings;
    EXPECT_EQ(ReadDateLastUsed(), std::nullopt);
    Clock::SetFixed(QDateTime(QDate(2001, 3, 15), QTime(14, 30)));
    WriteDateLastUsed();
    Clock::SetFixed({});
    EXPECT_EQ(ReadDateLastUsed(), EncodeDate(2001, 3, 15));
    EXPECT_EQ(GetRaw(kApplicationKey + QStringLiteral("DateLastUsed")).toByteArray(), DateBytes(EncodeDate(2001, 3, 15)));
}

TEST(DateLastUsed, OfAnotherSizeOrKindCountsAsMissing)
{
    FreshSettings settings;
    const QString key = kApplicationKey + QStringLiteral("DateLastUsed");
    PutRaw(key, DateBytes(36000.0).left(7));
    EXPECT_EQ(ReadDateLastUsed(), std::nullopt);
    PutRaw(key, DateBytes(36000.0) + '\0');
    EXPECT_EQ(ReadDateLastUsed(), std::nullopt);
    PutRaw(key, QStringLiteral("36000"));
    EXPECT_EQ(ReadDateLastUsed(), std::nullopt);
    PutRaw(key, DateBytes(36000.0));
    EXPECT_EQ(ReadDateLastUsed(), 36000.0);
}

TEST(RegistryKeys, EachStepOpensTheNextKeyFromTheTop)
{
    FreshSettings settings;
    auto reg = AppSettings::Open();
    reg->beginGroup(QStringLiteral("elsewhere"));
    ASSERT_TRUE(OpenAppSectionKey(*reg, QStringLiteral("CarePortfolio"), QStringLiteral("1.0")));
    EXPECT_EQ(reg->group(), QStringLiteral("SOFTWARE/Brightmoor Corp/Apps/CarePortfolio/1.0"));
    ASSERT_TRUE(OpenAppsKey(*reg));
    EXPECT_EQ(reg->group(), QStringLiteral("SOFTWARE/Brightmoor Corp/Apps"));
}

}  // namespace
