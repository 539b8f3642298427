#pragma once
// Combo boxes filled with database rows, each item carrying its row's key as
// item data, and the user-extendable lists a typed text can join. Each routine
// that reads or writes raises EDatabaseError when the database fails, after
// adding what it read; the dialog tells the user.
#include <QString>

class QComboBox;

// Stands in an editable combo whose value is not set; never an item.
extern const QString EnterOrSelectText;

// The list of business categories, shared by the addresses and the to-dos.
constexpr qint32 CategoryListId = 11;

// Clears the selection and adds the businesses of the category by name,
// after the items the combo holds.
void FillBizAddrCombo(QComboBox& combo, qint32 categoryNo);
// Only the businesses of the category.
void RefillBizAddrCombo(QComboBox& combo, qint32 categoryNo);
// Only the items of the list, by name.
void FillChoiceCombo(QComboBox& combo, qint32 componentId);
void ClearIdCombo(QComboBox& combo);
// The first item holding the key; -1 when none, and always for -1.
int IndexOfComboId(const QComboBox& combo, qint32 id);
void SelectComboById(QComboBox& combo, qint32 id);

// Appends a user-defined item with the list's largest id + 1 (1 for an
// empty list); -1 for the placeholder.
qint32 AddUserChoice(qint32 componentId, const QString& text);
// The category chosen or typed in a category combo: a typed text matching an
// item (blanks around it and letter case aside) gives that item; a new text
// becomes a new item; -1 for an empty text or the placeholder.
qint32 GetChoiceComboId(QComboBox& combo);
