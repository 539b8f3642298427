#pragma once
// Character classes and number texts the entry fields stand on: word movement,
// integer texts in other bases, and number texts made ready for conversion.
#include <QChar>
#include <QString>
#include <QtGlobal>

// Word movement treats these as word characters: blank , - . and letters.
bool IsWordChar(QChar c);

QString BinaryText(quint32 value);  // 32 digits, most significant first
QString OctalText(quint32 value);   // 12 digits, "0"-filled
QString HexWordText(quint16 value); // 4 digits
QString HexLongText(quint32 value); // 8 digits

// Cuts characters below 33 from the end.
void TrimTrailingCtl(QString& text);
// In a number with a ".": trailing "0"s, then a trailing ".", then trailing blanks.
void TrimTrailingZeros(QString& text);
// In a number with "E": zeros ending a mantissa that has a "." (and a "."
// left last), and leading zeros of the exponent.
void TrimExponentZeros(QString& text);

// Decimal, or hexadecimal after "$" or "0x". On failure: false and the
// position of the bad character (-1 for a text of 256 characters or more).
bool TextToLong(const QString& text, qint32& value, int& errorPos);

// A real-number text made ready for a "."-based conversion: trimmed, the
// user's decimal character made ".", the missing "0"s and "." supplied.
QString FixRealText(const QString& text, QChar decimalChar);
