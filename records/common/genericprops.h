#pragma once
// The generic property table: typed values the program keeps beside its records.
// Each routine raises EDatabaseError when the database fails; the dialog or
// page that called it tells the user.
#include <QString>

class QComboBox;

// The version text of the database of a data folder; empty when it holds none.
QString GetDatabaseVersion(const QString& dataFolder);

// The pair (property type, object) names one row. False and an empty text
// when there is none.
bool ReadGenericStr(qint16 propertyType, qint32 objId, QString& text);
// Updates the first row of the pair, or inserts one.
void WriteGenericStr(qint16 propertyType, qint32 objId, const QString& text);
void WriteGenericInt(qint16 propertyType, qint32 objId, qint32 value);

// The provider names of the payments (many rows per pair). The fill adds the
// names in order, each once, to what the combo holds and selects SelectText;
// an object or number of 0 or less does not narrow the list.
void FillGenericTextCombo(qint32 objId, qint32 intProperty, const QString& selectText, QComboBox& combo);
// Adds the name unless the pair holds it already (exact comparison); an
// object or number below 0 is neither stored nor compared.
void AddGenericText(qint32 objId, qint32 intProperty, const QString& text);
