// What the e-mail dialog sends and remembers, without a server.
#include "todoenv.h"

#include "organizer/emailtodo.h"

#include "context/registry.h"

#include <QSettings>
#include <QTemporaryDir>

namespace {

class EMailToDo : public ToDoFolder {
protected:
    void SetUp() override
    {
        ToDoFolder::SetUp();
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, settings_.path());
    }
    QTemporaryDir settings_;
};

TEST_F(EMailToDo, AnEmptyTableGivesOneLineSayingSo)
{
    EXPECT_EQ(EMailMessageLines(), QStringList({"The to-do list is empty."}));
}

TEST_F(EMailToDo, OneLinePerRowByDueDateDoneOnesIncluded)
{
    AddToDo(QStringLiteral("Flu shot\nfor Kim"), EncodeDate(2024, 2, 29), 5, true);
    AddToDo(QStringLiteral(".Dentist"), EncodeDate(2024, 1, 2), 2);
    AddToDo(QString(), EncodeDate(2024, 3, 1));
    EXPECT_EQ(EMailMessageLines(), QStringList({"1/2/2024 .Dentist", "2/29/2024 Flu shot for Kim", "3/1/2024"}));
}

TEST_F(EMailToDo, TheBoxesAreRememberedTrimmedAndAnEmptySubjectKeepsTheDefault)
{
    TEMailFields typed{QStringLiteral(" smtp.example.test "), QStringLiteral("ann@example.test"),
                       QStringLiteral("bob@example.test "), QStringLiteral(""), QStringLiteral("   ")};
    SaveEMailFields(typed);
    TEMailFields read;
    read.subject = QStringLiteral("CarePortfolio To-Do List");
    LoadEMailFields(read);
    EXPECT_EQ(read.host, QStringLiteral("smtp.example.test"));
    EXPECT_EQ(read.to, QStringLiteral("bob@example.test"));
    EXPECT_EQ(read.from, QStringLiteral("ann@example.test"));
    EXPECT_EQ(read.subject, QStringLiteral("CarePortfolio To-Do List"));
    EXPECT_EQ(ReadRegString(*OpenWindowKey(QStringLiteral("DlgEMailTodoList")), QStringLiteral("sleSubject")),
              QString());

    typed.subject = QStringLiteral("Our \"to-dos\"");
    SaveEMailFields(typed);
    LoadEMailFields(read);
    EXPECT_EQ(read.subject, QStringLiteral("Our \"to-dos\""));
}

TEST_F(EMailToDo, NothingIsSentWithoutRecipientSenderAndServerOrWithALineBreak)
{
    TEMailFields fields{QStringLiteral("smtp.example.test"), QStringLiteral("ann@example.test"),
                        QStringLiteral("bob@example.test"), QString(), QStringLiteral("s")};
    EXPECT_FALSE(CheckEMailFields(fields));
    const auto refused = [&](TEMailFields changed) {
        const std::optional<TEMailRefusal> refusal = CheckEMailFields(changed);
        return refusal ? std::pair{refusal->text, refusal->box} : std::pair{QString(), TEMailBox::Host};
    };
    TEMailFields none = fields;
    none.to = QStringLiteral("  ");
    none.from.clear();
    none.host.clear();
    EXPECT_EQ(refused(none), std::pair(QStringLiteral("Please specify the recipient address before sending message."),
                                       TEMailBox::To));
    none.to = fields.to;
    EXPECT_EQ(refused(none), std::pair(QStringLiteral("Please specify the sender address before sending message."),
                                       TEMailBox::From));
    none.from = fields.from;
    EXPECT_EQ(refused(none).second, TEMailBox::Host);
    EXPECT_TRUE(refused(none).first.startsWith(QStringLiteral("Please specify the your SMTP server before sending")));

    const QString lineBreak =
        QStringLiteral("An e-mail address cannot hold a line break. Please type the address on one line.");
    TEMailFields injected = fields;
    injected.cc = QStringLiteral("cc@example.test>\r\nRCPT TO:<eve@example.test");
    EXPECT_EQ(refused(injected), std::pair(lineBreak, TEMailBox::CC));
    injected = fields;
    injected.from = QStringLiteral("ann@example.test\n");
    EXPECT_EQ(refused(injected), std::pair(lineBreak, TEMailBox::From));
    injected = fields;
    injected.to = QStringLiteral("bob@example.test\rDATA");
    EXPECT_EQ(refused(injected), std::pair(lineBreak, TEMailBox::To));
}

}  // namespace
