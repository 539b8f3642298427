#include "linkstore.h"

#include "context/context.h"
#include "platform/dataset.h"
#include "platform/sqltext.h"

#include <QRegularExpression>
#include <optional>

namespace {

const QString kFolderURL = QStringLiteral("Not Applicable");

// The statement the table was made with; nothing when there is no such table.
std::optional<QString> CreateStatement(const QString& table)
{
    TQuery query(DataFolder);
    query.SQL() << QStringLiteral("SELECT sql FROM sqlite_master")
                << QStringLiteral("WHERE type = 'table' AND name = :Name COLLATE NOCASE");
    query.ParamByName(QStringLiteral("Name")).SetAsString(table);
    query.Open();
    if (query.Eof())
        return std::nullopt;
    return query.Fields(0).AsString();
}

bool TableExists(const QString& table)
{
    return CreateStatement(table).has_value();
}

// The template's own statement under the new name, so the table gets its
// columns exactly; then the template's rows.
void MakeFromTemplate(const QString& table)
{
    std::optional<QString> statement = CreateStatement(kLinkTemplateTable);
    if (!statement)
        throw EDatabaseError(QStringLiteral("The database has no table %1 to make the table %2 from")
                                 .arg(kLinkTemplateTable, table),
                             TDatabaseFault::NotADatabase);
    QString& create = *statement;
    static const QRegularExpression head(QStringLiteral("^\\s*CREATE\\s+TABLE\\s+(\"[^\"]*\"|\\S+?)\\s*\\("),
                                         QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch match = head.match(create);
    if (!match.hasMatch())
        throw EDatabaseError(QStringLiteral("The table %1 cannot be copied").arg(kLinkTemplateTable));
    create.replace(match.capturedStart(1), match.capturedLength(1), SqlText::QuoteName(table));

    TQuery run(DataFolder);
    run.SQL() << create;
    run.ExecSQL();
    run.SQL().clear();
    run.SQL() << QStringLiteral("INSERT INTO %1 SELECT * FROM %2")
                     .arg(SqlText::QuoteName(table), SqlText::QuoteName(kLinkTemplateTable));
    run.ExecSQL();
}

void WriteRow(TQuery& rows, const TLinkNode& node, int absoluteIndex)
{
    rows.Append();
    rows.FieldByName(QStringLiteral("IsFolder")).SetAsBoolean(node.folder);
    rows.FieldByName(QStringLiteral("URL")).SetAsString(node.folder ? kFolderURL : node.url);
    rows.FieldByName(QStringLiteral("Expanded")).SetAsBoolean(node.expanded);
    rows.FieldByName(QStringLiteral("NDesc")).SetAsString(node.text);
    rows.FieldByName(QStringLiteral("NAbsIndex")).SetAsInteger(absoluteIndex);
    rows.FieldByName(QStringLiteral("NLevel")).SetAsInteger(node.Level());
    rows.FieldByName(QStringLiteral("NIndex")).SetAsInteger(node.Index());
    rows.FieldByName(QStringLiteral("Note")).SetAsLines(node.note);
    rows.Post();
}

}  // namespace

TLinkTree LoadLinkTree(const QString& table, const QString& rootCaption)
{
    TLinkTree tree(rootCaption);
    if (!TableExists(table))
        return tree;
    TQuery rows(DataFolder);
    rows.SQL() << QStringLiteral("SELECT * FROM %1 ORDER BY NAbsIndex ASC").arg(SqlText::QuoteName(table));
    rows.Open();
    TLinkNode* current = &tree.Root();
    for (; !rows.Eof(); rows.Next()) {
        const qint32 level = rows.FieldByName(QStringLiteral("NLevel")).AsInteger();
        // A row no deeper than the current folder belongs beside it or higher up.
        while (level <= current->Level() && !current->IsRoot())
            current = current->Parent();
        TLinkData node;
        node.text = rows.FieldByName(QStringLiteral("NDesc")).AsString();
        node.folder = rows.FieldByName(QStringLiteral("IsFolder")).AsBoolean();
        node.note = rows.FieldByName(QStringLiteral("Note")).AsLines();
        if (node.folder)
            node.expanded = rows.FieldByName(QStringLiteral("Expanded")).AsBoolean();
        else
            node.url = rows.FieldByName(QStringLiteral("URL")).AsString();
        TLinkNode& added = tree.Append(*current, node);
        if (added.folder)
            current = &added;
    }
    return tree;
}

void SaveLinkTree(const QString& table, const TLinkTree& tree)
{
    TTransaction transaction(DataFolder);
    if (!TableExists(table))
        MakeFromTemplate(table);
    TQuery clear(DataFolder);
    clear.SQL() << QStringLiteral("DELETE FROM %1").arg(SqlText::QuoteName(table));
    clear.ExecSQL();

    TQuery rows(DataFolder);
    rows.SetRequestLive(true);
    rows.SQL() << QStringLiteral("SELECT * FROM %1").arg(SqlText::QuoteName(table));
    rows.Open();
    const std::vector<TLinkNode*> nodes = tree.PreOrder();
    for (size_t i = 1; i < nodes.size(); ++i)
        WriteRow(rows, *nodes[i], static_cast<int>(i));
    rows.Close();
    transaction.Commit();
}
