#include "backuppassword.h"

#include "genericprops.h"
#include "platform/ui/messagebox.h"

#include <QCryptographicHash>

namespace {
constexpr qint16 kPasswordProperty = 102;
constexpr qint32 kPasswordObject = 1;
constexpr int kPasswordLength = 10;
constexpr int kScrambledDigits = 20;

bool IsAllowed(QChar c)
{
    const char16_t u = c.unicode();
    return (u >= 'A' && u <= 'Z') || (u >= 'a' && u <= 'z') || (u >= '0' && u <= '9') || u == ' ';
}
}  // namespace

bool ScramblePassword(const QString& password, QString& text)
{
    text.clear();
    const QString padded = password.left(kPasswordLength).leftJustified(kPasswordLength, QLatin1Char(' '));
    for (const QChar c : padded) {
        if (!IsAllowed(c)) {
            ShowMessageBox(QStringLiteral("Illegal character in password."), MsgIcon::Warning, MsgOk);
            return false;
        }
    }
    const QByteArray digest = QCryptographicHash::hash(padded.toUtf8(), QCryptographicHash::Sha256);
    text = QString::fromLatin1(digest.toHex().toUpper().left(kScrambledDigits));
    return true;
}

bool StoreBackupPassword(const QString& password)
{
    QString text;
    if (!ScramblePassword(password, text))
        return false;
    WriteGenericStr(kPasswordProperty, kPasswordObject, text);
    return true;
}

bool CheckBackupPassword(const QString& password)
{
    QString text;
    QString stored;
    return ScramblePassword(password, text) && ReadGenericStr(kPasswordProperty, kPasswordObject, stored)
           && text == stored;
}
