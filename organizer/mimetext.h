#pragma once
// Text outside ASCII in an e-mail, written so that a server that passes only
// 7-bit text lets it through unchanged and a mail reader knows it for UTF-8:
// quoted-printable lines for the body, encoded-words for a header.
#include <QString>
#include <QStringList>
#include <QStringView>

bool IsAscii(QStringView text);

// One line of text (holding no line break) as quoted-printable lines of its
// UTF-8: at most 76 characters each, every one but the last ending in the
// soft break "=", and no character's bytes parted by one. "=", a blank or
// tab that ends the line, and every byte outside printable ASCII are
// written as "=" and two hex digits.
QStringList QuotedPrintableLines(QStringView line);

// The text as encoded-words of UTF-8 in base64, each of whole characters
// and 64 characters long at most, so that "Subject: " and the first word,
// or a blank and any later word, fit a header line of 76.
QStringList EncodedWords(QStringView text);
