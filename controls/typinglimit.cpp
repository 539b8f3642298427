#include "typinglimit.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextBoundaryFinder>
#include <QTextCursor>
#include <QTextDocument>
#include <QValidator>
#include <algorithm>
#include <utility>

// Each box tells the program's text from the user's by the undo history:
// setting a text clears it, and every edit of the user's can be undone. The
// user may make the text as long as the limit, or as long as the program's
// text, so that a typo in a long stored name is mended by typing over it;
// once the user has emptied the box, the limit alone holds.

namespace {

// Where a cut of `excess` units that ends at `end` begins: moved back so that
// no character is cut in half (an emoji of two units, a letter and its
// accent), but not before `start`, where what the user put in begins.
qsizetype CutStart(const QString& text, qsizetype start, qsizetype end, qsizetype excess)
{
    QTextBoundaryFinder characters(QTextBoundaryFinder::Grapheme, text);
    characters.setPosition(end - excess);
    return characters.isAtBoundary() ? end - excess : std::max(start, characters.toPreviousBoundary());
}

class TTypingLimit : public QValidator {
public:
    TTypingLimit(QLineEdit& edit, int limit)
        : QValidator(&edit), edit_(edit), limit_(limit), before_(edit.text()), ceiling_(std::max<qsizetype>(limit, before_.size()))
    {
    }

    // Cuts what the user's edit put in past the ceiling, keeping the first of
    // what was put in, as a box with a maximum length would. An undo or a
    // redo, which leaves something to redo, brings back a text the box held.
    State validate(QString& input, int& pos) const override
    {
        if (!edit_.isUndoAvailable())
            ceiling_ = std::max<qsizetype>(limit_, input.size());
        else if (edit_.isRedoAvailable())
            ceiling_ = std::max(ceiling_, input.size());
        else
            Cut(input, pos);
        before_ = input;
        return Acceptable;
    }

private:
    // Where the input differs from the text before it: what the edit put in,
    // leaving no character split between it and the text around it.
    std::pair<qsizetype, qsizetype> Inserted(const QString& input) const
    {
        const qsizetype shortest = std::min(before_.size(), input.size());
        qsizetype prefix = 0;
        while (prefix < shortest && before_[prefix] == input[prefix])
            ++prefix;
        if (prefix > 0 && input[prefix - 1].isHighSurrogate())
            --prefix;
        qsizetype suffix = 0;
        while (suffix < shortest - prefix && before_[before_.size() - 1 - suffix] == input[input.size() - 1 - suffix])
            ++suffix;
        if (suffix > 0 && input[input.size() - suffix].isLowSurrogate())
            --suffix;
        return {prefix, input.size() - suffix};
    }

    void Cut(QString& input, int& pos) const
    {
        if (input.size() > ceiling_) {
            const auto [insertedStart, insertedEnd] = Inserted(input);
            const qsizetype cutStart = CutStart(input, insertedStart, insertedEnd, input.size() - ceiling_);
            const qsizetype excess = insertedEnd - cutStart;
            input.remove(cutStart, excess);
            pos = pos >= insertedEnd ? pos - int(excess) : std::min(pos, int(cutStart));
        }
        if (input.isEmpty())
            ceiling_ = limit_;
    }

    const QLineEdit& edit_;
    const int limit_;
    mutable QString before_;
    mutable qsizetype ceiling_;
};

}  // namespace

void LimitTyping(QLineEdit& edit, int limit)
{
    const QValidator* previous = edit.validator();
    edit.setValidator(new TTypingLimit(edit, limit));
    if (dynamic_cast<const TTypingLimit*>(previous))
        delete previous;
}

void LimitTyping(QPlainTextEdit& memo, int limit)
{
    QTextDocument* document = memo.document();
    QObject::connect(document, &QTextDocument::contentsChange, &memo,
                     [document, limit, ceiling = limit](int position, int, int added) mutable {
        // The document's count takes in its closing paragraph mark; so does
        // the count of a change that replaces the whole text.
        const int length = document->characterCount() - 1;
        // An undo or a redo, which leaves something to redo, brings back a
        // text the box held before.
        if (!document->isUndoAvailable()) {
            ceiling = std::max(limit, length);
            return;
        }
        if (document->isRedoAvailable()) {
            ceiling = std::max(ceiling, length);
            return;
        }
        const int insertedEnd = std::min(position + added, length);
        const int excess = std::min(length - ceiling, insertedEnd - position);
        if (excess > 0) {
            // Part of the user's edit, so that one undo takes back both.
            QTextCursor cut(document);
            cut.joinPreviousEditBlock();
            cut.setPosition(int(CutStart(document->toPlainText(), position, insertedEnd, excess)));
            cut.setPosition(insertedEnd, QTextCursor::KeepAnchor);
            cut.removeSelectedText();
            cut.endEditBlock();
        }
        if (document->isEmpty())
            ceiling = limit;
    });
}
