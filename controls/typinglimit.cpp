#include "typinglimit.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextCursor>
#include <QTextDocument>
#include <QValidator>
#include <algorithm>

// Each box tells the program's text from the user's by the undo history:
// setting a text clears it, and every edit of the user's can be undone.

namespace {

class TTypingLimit : public QValidator {
public:
    TTypingLimit(QLineEdit& edit, int limit) : QValidator(&edit), edit_(edit), limit_(limit), before_(edit.text()) {}

    // Cuts what the user's edit put in past the longer of the limit and the
    // text before it, keeping the first of what was put in, as a box with a
    // maximum length would.
    State validate(QString& input, int& pos) const override
    {
        const qsizetype allowed = std::max<qsizetype>(limit_, before_.size());
        if (edit_.isUndoAvailable() && input.size() > allowed) {
            const qsizetype excess = input.size() - allowed;
            const qsizetype insertedEnd = input.size() - CommonSuffix(input);
            input.remove(insertedEnd - excess, excess);
            pos = pos >= insertedEnd ? pos - int(excess) : std::min(pos, int(insertedEnd - excess));
        }
        before_ = input;
        return Acceptable;
    }

private:
    // The length of the end the text before and the input share, leaving
    // their shared beginning out of it.
    qsizetype CommonSuffix(const QString& input) const
    {
        const qsizetype shortest = std::min(before_.size(), input.size());
        qsizetype prefix = 0;
        while (prefix < shortest && before_[prefix] == input[prefix])
            ++prefix;
        qsizetype suffix = 0;
        while (suffix < shortest - prefix && before_[before_.size() - 1 - suffix] == input[input.size() - 1 - suffix])
            ++suffix;
        return suffix;
    }

    const QLineEdit& edit_;
    const int limit_;
    mutable QString before_;
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
                     [document, limit](int position, int removed, int added) {
        if (!document->isUndoAvailable())
            return;
        // The document's count takes in its closing paragraph mark; so do
        // both counts of a change that replaces the whole text.
        const int length = document->characterCount() - 1;
        const int allowed = std::max(limit, length - added + removed);
        const int insertedEnd = std::min(position + added, length);
        const int excess = std::min(length - allowed, insertedEnd - position);
        if (excess <= 0)
            return;
        QTextCursor cut(document);
        cut.setPosition(insertedEnd - excess);
        cut.setPosition(insertedEnd, QTextCursor::KeepAnchor);
        cut.removeSelectedText();
    });
}
