#pragma once
// The notes of a web link and the body of the to-do e-mail start at their
// first line with something on it; these two routines share that rule.
#include <QString>
#include <QStringList>
#include <QStringView>

// Replaces `destination` with the lines of `source` from its first line that
// is not blank on; the lines after it are copied unchanged, blank ones too.
void CopyTextLines(QStringList& destination, const QStringList& source);

// The lines from the first that is not blank on, joined with one blank
// between them into at most 248 characters. A line that no longer fits ends
// the text: cut to fit with " ..." after it when there is room for more than
// four characters, else left out. The limit counts the text before a line
// is added, so a joined text may run one blank past it.
QString JoinTextLines(const QStringList& source);

// The first `count` UTF-16 units of `text`, fewer where the cut would fall
// inside a character the reader sees as one: an emoji cut between the two
// halves of a surrogate pair reaches the reader as "?", and one made of
// several code points (a flag, a skin tone, a family) falls apart into its
// parts. Only a character longer than `count` is cut, between code points.
QStringView LeftWhole(QStringView text, qsizetype count);
