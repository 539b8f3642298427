#pragma once
// What the "Send To-Do List" dialog sends and remembers: the message text
// made from the to-do rows, the five boxes kept in the settings, and the
// checks made before anything is sent.
#include <QString>
#include <QStringList>
#include <optional>

// One line per to-do row, done ones included, by due date: the due date,
// a blank and the description joined into one line; "The to-do list is
// empty." without rows. Raises EDatabaseError.
QStringList EMailMessageLines();

struct TEMailFields {
    QString host;
    QString from;
    QString to;
    QString cc;
    QString subject = QStringLiteral("CarePortfolio To-Do List");
};

// The remembered boxes; the subject keeps what it holds unless a subject
// with text was remembered.
void LoadEMailFields(TEMailFields& fields);
// Each box trimmed.
void SaveEMailFields(const TEMailFields& fields);

enum class TEMailBox { Host, From, To, CC };
struct TEMailRefusal {
    QString text;
    TEMailBox box;
};
// An empty recipient, sender or server, or an address holding a line break
// (which would slip a command of its own into the dialogue with the server).
std::optional<TEMailRefusal> CheckEMailFields(const TEMailFields& fields);
QString LookupRefusedText(const QString& server);
