#include "registry.h"

#include "platform/settings.h"
#include "product.h"

#include <QRegularExpression>
#include <cstring>

namespace {

// An INI file holds text only, so an integer carries its kind in its text
// ("dword:" and eight hex digits); binary data is a byte array.
const QString kDateLastUsedValue = QStringLiteral("DateLastUsed");

const QString kIntegerPrefix = QStringLiteral("dword:");

bool IsIntegerText(const QString& text)
{
    static const QRegularExpression pattern(QStringLiteral("^dword:[0-9a-f]{8}$"));
    return pattern.match(text).hasMatch();
}

bool EnterKey(QSettings& reg, const QString& key)
{
    reg.beginGroup(key);
    return reg.status() == QSettings::NoError;
}

bool Written(QSettings& reg)
{
    reg.sync();
    return reg.status() == QSettings::NoError;
}

}  // namespace

bool OpenMakerKey(QSettings& reg)
{
    while (!reg.group().isEmpty())
        reg.endGroup();
    return EnterKey(reg, QStringLiteral("SOFTWARE/Brightmoor Corp"));
}

bool OpenAppsKey(QSettings& reg)
{
    return OpenMakerKey(reg) && EnterKey(reg, QStringLiteral("Apps"));
}

bool OpenAppKey(QSettings& reg, const QString& app)
{
    return OpenAppsKey(reg) && EnterKey(reg, app);
}

bool OpenAppSectionKey(QSettings& reg, const QString& app, const QString& section)
{
    return OpenAppKey(reg, app) && EnterKey(reg, section);
}

std::unique_ptr<QSettings> OpenApplicationKey()
{
    auto reg = AppSettings::Open();
    OpenAppSectionKey(*reg, ProductName, ProductVersion);
    return reg;
}

std::unique_ptr<QSettings> OpenWindowKey(const QString& windowName)
{
    auto reg = OpenApplicationKey();
    EnterKey(*reg, windowName);
    return reg;
}

std::optional<qint32> ReadRegInteger(const QSettings& reg, const QString& name)
{
    const QVariant value = reg.value(name);
    if (value.typeId() != QMetaType::QString || !IsIntegerText(value.toString()))
        return std::nullopt;
    return static_cast<qint32>(value.toString().mid(kIntegerPrefix.size()).toUInt(nullptr, 16));
}

std::optional<QString> ReadRegString(const QSettings& reg, const QString& name)
{
    const QVariant value = reg.value(name);
    if (value.typeId() != QMetaType::QString || IsIntegerText(value.toString()))
        return std::nullopt;
    return value.toString();
}

std::optional<TDateTime> ReadRegDate(const QSettings& reg, const QString& name)
{
    const QVariant value = reg.value(name);
    if (value.typeId() != QMetaType::QByteArray)
        return std::nullopt;
    const QByteArray bytes = value.toByteArray();
    if (bytes.size() != sizeof(TDateTime))
        return std::nullopt;
    TDateTime date = 0;
    std::memcpy(&date, bytes.constData(), sizeof date);
    return date;
}

bool WriteRegInteger(QSettings& reg, const QString& name, qint32 value)
{
    reg.setValue(name, kIntegerPrefix + QStringLiteral("%1").arg(static_cast<quint32>(value), 8, 16, QLatin1Char('0')));
    return Written(reg);
}

bool WriteRegString(QSettings& reg, const QString& name, const QString& value)
{
    reg.setValue(name, value);
    return Written(reg);
}

bool WriteRegDate(QSettings& reg, const QString& name, TDateTime value)
{
    reg.setValue(name, QByteArray(reinterpret_cast<const char*>(&value), sizeof value));
    return Written(reg);
}

std::optional<TDateTime> ReadDateLastUsed()
{
    return ReadRegDate(*OpenApplicationKey(), kDateLastUsedValue);
}

void WriteDateLastUsed()
{
    WriteRegDate(*OpenApplicationKey(), kDateLastUsedValue, Date());
}
