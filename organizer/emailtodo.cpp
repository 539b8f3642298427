#include "emailtodo.h"

#include "textlines.h"

#include "context/context.h"
#include "context/registry.h"
#include "platform/dataset.h"
#include "platform/formatsettings.h"

namespace {

const QString kWindowKey = QStringLiteral("DlgEMailTodoList");

bool HasLineBreak(const QString& text)
{
    return text.contains(QLatin1Char('\r')) || text.contains(QLatin1Char('\n'));
}

}  // namespace

QStringList EMailMessageLines()
{
    TQuery query(DataFolder);
    query.SQL() << QStringLiteral("SELECT * FROM TODO01 ORDER BY Due ASC, ScheduleDate ASC");
    query.Open();
    if (query.Eof())
        return {QStringLiteral("The to-do list is empty.")};
    QStringList lines;
    for (; !query.Eof(); query.Next()) {
        const TDateTime due = query.FieldByName(QStringLiteral("Due")).AsDateTime();
        QString line = due == 0.0 ? QString() : DateToStr(due);
        const QStringList description = query.FieldByName(QStringLiteral("Description")).AsLines();
        if (!description.isEmpty())
            line += QLatin1Char(' ') + JoinTextLines(description);
        lines << line;
    }
    return lines;
}

void LoadEMailFields(TEMailFields& fields)
{
    const QString defaultSubject = fields.subject;
    const auto reg = OpenWindowKey(kWindowKey);
    fields.to = ReadRegString(*reg, QStringLiteral("sleTo")).value_or(QString());
    fields.cc = ReadRegString(*reg, QStringLiteral("sleCC")).value_or(QString());
    fields.from = ReadRegString(*reg, QStringLiteral("sleLogin")).value_or(QString());
    fields.host = ReadRegString(*reg, QStringLiteral("sleHost")).value_or(QString());
    const QString subject = ReadRegString(*reg, QStringLiteral("sleSubject")).value_or(QString());
    fields.subject = subject.isEmpty() ? defaultSubject : subject;
}

void SaveEMailFields(const TEMailFields& fields)
{
    const auto reg = OpenWindowKey(kWindowKey);
    WriteRegString(*reg, QStringLiteral("sleTo"), fields.to.trimmed());
    WriteRegString(*reg, QStringLiteral("sleCC"), fields.cc.trimmed());
    WriteRegString(*reg, QStringLiteral("sleSubject"), fields.subject.trimmed());
    WriteRegString(*reg, QStringLiteral("sleLogin"), fields.from.trimmed());
    WriteRegString(*reg, QStringLiteral("sleHost"), fields.host.trimmed());
}

std::optional<TEMailRefusal> CheckEMailFields(const TEMailFields& fields)
{
    if (fields.to.trimmed().isEmpty())
        return TEMailRefusal{QStringLiteral("Please specify the recipient address before sending message."),
                             TEMailBox::To};
    if (fields.from.trimmed().isEmpty())
        return TEMailRefusal{QStringLiteral("Please specify the sender address before sending message."),
                             TEMailBox::From};
    if (fields.host.trimmed().isEmpty())
        return TEMailRefusal{QStringLiteral("Please specify the your SMTP server before sending message. Consult your "
                                            "internet service provider if necessary to find out what your SMTP server "
                                            "is."),
                             TEMailBox::Host};
    const std::pair<const QString*, TEMailBox> addresses[] = {
        {&fields.to, TEMailBox::To}, {&fields.from, TEMailBox::From}, {&fields.cc, TEMailBox::CC}};
    for (const auto& [address, box] : addresses) {
        if (HasLineBreak(*address))
            return TEMailRefusal{QStringLiteral("An e-mail address cannot hold a line break. Please type the address "
                                                "on one line."),
                                 box};
    }
    return std::nullopt;
}

QString LookupRefusedText(const QString& server)
{
    return QStringLiteral("Unable to connect to your SMTP (mail) server, ") + server.trimmed() +
           QStringLiteral(".  Please make sure that you have the correct SMTP server and try again.  You may have to "
                          "connect your internet service provider if repeated attempts fail.");
}
