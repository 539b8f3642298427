#pragma once
// A reader for the rich text our help file is written in: paragraphs with
// their spacing, bold, italic, underline, font sizes, plain and escaped
// characters and Unicode escapes. Control words and groups it does not know
// are skipped; a malformed text (unbalanced braces, cut short) gives what
// could be read. Qt reads no rich-text files of this kind itself.
#include <QByteArray>
#include <QString>

class QTextDocument;

// Replaces the document's content.
void ReadRichText(const QByteArray& rtf, QTextDocument& document);
// False, and the document left alone, when the file cannot be read or is
// not rich text (it does not begin with "{\rtf").
bool LoadRichTextFile(const QString& path, QTextDocument& document);
