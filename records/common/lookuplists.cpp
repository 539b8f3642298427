#include "lookuplists.h"

#include "context/context.h"
#include "platform/dataset.h"
#include "recordtext.h"

#include <QComboBox>
#include <QCompleter>

const QString EnterOrSelectText = QStringLiteral("[Enter or select from list]");

namespace {
qint32 ItemId(const QComboBox& combo, int index)
{
    return combo.itemData(index).toInt();
}

// Adds one item per row of the statement.
void AddRows(QComboBox& combo, const QStringList& sql, const QString& nameField, const QString& idField)
{
    TQuery query(DataFolder);
    query.SetSQL(sql);
    query.Open();
    for (; !query.Eof(); query.Next())
        combo.addItem(query.FieldByName(nameField).AsString(), query.FieldByName(idField).AsInteger());
}
}  // namespace

void FillBizAddrCombo(QComboBox& combo, qint32 categoryNo)
{
    combo.setCurrentIndex(-1);
    AddRows(combo,
            {QStringLiteral("SELECT * FROM BizAddr"), QStringLiteral("WHERE CategoryNo = %1").arg(categoryNo),
             QStringLiteral("ORDER BY BusinessName")},
            QStringLiteral("BusinessName"), QStringLiteral("BizId"));
}

void RefillBizAddrCombo(QComboBox& combo, qint32 categoryNo)
{
    ClearIdCombo(combo);
    FillBizAddrCombo(combo, categoryNo);
}

void FillChoiceCombo(QComboBox& combo, qint32 componentId)
{
    ClearIdCombo(combo);
    // Otherwise an editable combo, when left, swaps an item retyped in other
    // letter case back to the item's spelling, and GetChoiceComboId never
    // sees the new choice.
    if (QCompleter* completer = combo.completer())
        completer->setCaseSensitivity(Qt::CaseSensitive);
    AddRows(combo,
            {QStringLiteral("SELECT * FROM Choices"), QStringLiteral("WHERE ComponentID = %1").arg(componentId),
             QStringLiteral("ORDER BY ItemName")},
            QStringLiteral("ItemName"), QStringLiteral("ChoiceID"));
}

void ClearIdCombo(QComboBox& combo)
{
    combo.clear();
}

int IndexOfComboId(const QComboBox& combo, qint32 id)
{
    if (id == -1)
        return -1;
    for (int i = 0; i < combo.count(); ++i) {
        if (combo.itemData(i).isValid() && ItemId(combo, i) == id)
            return i;
    }
    return -1;
}

void SelectComboById(QComboBox& combo, qint32 id)
{
    combo.setCurrentIndex(IndexOfComboId(combo, id));
}

qint32 AddUserChoice(qint32 componentId, const QString& text)
{
    if (text == EnterOrSelectText)
        return -1;
    TQuery query(DataFolder);
    query.SQL() << QStringLiteral("SELECT * FROM Choices")
                << QStringLiteral("WHERE ComponentID = %1").arg(componentId)
                << QStringLiteral("ORDER BY ChoiceID");
    query.Open();
    qint32 newId = 1;
    if (!query.Eof()) {
        while (!query.Eof())
            query.Next();
        newId = query.FieldByName(QStringLiteral("ChoiceID")).AsInteger() + 1;
    }
    query.Close();
    query.SetRequestLive(true);
    query.SetSQL({QStringLiteral("SELECT * FROM Choices")});
    query.Open();
    query.Append();
    query.FieldByName(QStringLiteral("ComponentID")).SetAsInteger(componentId);
    query.FieldByName(QStringLiteral("ChoiceID")).SetAsInteger(newId);
    query.FieldByName(QStringLiteral("UserDefined")).SetAsBoolean(true);
    query.FieldByName(QStringLiteral("ItemName")).SetAsString(text);
    query.Post();
    return newId;
}

qint32 GetChoiceComboId(QComboBox& combo)
{
    const QString text = combo.currentText();
    const int index = combo.currentIndex();
    if (index >= 0)
        return text == combo.itemText(index) ? ItemId(combo, index) : AddUserChoice(CategoryListId, text);
    if (text.isEmpty() || text == EnterOrSelectText)
        return -1;
    QString trimmed = text;
    TrimBlanks(trimmed);
    for (int i = 0; i < combo.count(); ++i) {
        if (combo.itemText(i).compare(trimmed, Qt::CaseInsensitive) == 0)
            return ItemId(combo, i);
    }
    return AddUserChoice(CategoryListId, text);
}
