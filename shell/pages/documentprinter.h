#pragma once
// Printing a page's rich text: on a printer the user picks in the print
// dialog or, with no printer installed, into a PDF file the user names (the
// report engine's choice of file, which tests answer in place of the user).
#include <QString>

class QTextDocument;

// Throws ERpPrintFailed when the PDF file could not be made or written whole.
void PrintDocument(QTextDocument& document, const QString& title);
