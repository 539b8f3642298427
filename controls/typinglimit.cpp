#include "typinglimit.h"

#include <QClipboard>
#include <QComboBox>
#include <QGuiApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
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

// As much of what is put in as fits in `room`.
QString Fitted(const QString& text, qsizetype room)
{
    if (text.size() <= room)
        return text;
    return text.left(CutStart(text, 0, text.size(), text.size() - std::max<qsizetype>(room, 0)));
}

// The text a key types into a box, or nothing for a key that types none
// (moves, deletes, shortcuts).
QString TypedText(const QKeyEvent& key)
{
    const QString text = key.text();
    const bool typing = !text.isEmpty() && text.front().isPrint() && !key.modifiers().testFlag(Qt::ControlModifier);
    return typing ? text : QString();
}

// How long the user may make a box's text: its limit, or the program's text
// when that is longer; an undo or a redo may bring back any text it held.
class TCeiling {
public:
    TCeiling(qsizetype limit, qsizetype length) : limit_(limit), value_(std::max(limit, length)) {}

    // Follows a change of the text to `length`: false for the program's
    // change (which leaves no undo), an undo or a redo (which leaves a redo),
    // none of which is cut; true for the user's own edit.
    bool UserEdit(bool undoAvailable, bool redoAvailable, qsizetype length)
    {
        if (!undoAvailable)
            value_ = std::max(limit_, length);
        else if (redoAvailable)
            value_ = std::max(value_, length);
        return undoAvailable && !redoAvailable;
    }
    // Once the user has emptied the box, the limit alone holds.
    void Follow(bool emptied)
    {
        if (emptied)
            value_ = limit_;
    }
    qsizetype Value() const { return value_; }

private:
    const qsizetype limit_;
    qsizetype value_;
};

class TTypingLimit : public QValidator {
public:
    TTypingLimit(QLineEdit& edit, int limit)
        : QValidator(&edit), edit_(edit), before_(edit.text()), ceiling_(limit, before_.size())
    {
        edit.installEventFilter(this);
        // An editable combo box takes the keys itself and hands them to its
        // line edit past the line edit's filters.
        if (auto* combo = qobject_cast<QComboBox*>(edit.parentWidget()); combo && combo->lineEdit() == &edit)
            combo->installEventFilter(this);
    }

    // Cuts what the user's edit put in past the ceiling, keeping the first of
    // what was put in, as a box with a maximum length would. An undo or a
    // redo, which leaves something to redo, brings back a text the box held.
    State validate(QString& input, int& pos) const override
    {
        if (ceiling_.UserEdit(edit_.isUndoAvailable(), edit_.isRedoAvailable(), input.size()))
            Cut(input, pos);
        before_ = input;
        return Acceptable;
    }

protected:
    // A key that would make the text too long is refused, and a paste by key
    // or an input method's text is cut, before they reach the box: a cut
    // made on the way out of it empties the box's undo history.
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        const bool composed = event->type() == QEvent::InputMethod;
        if ((!composed && event->type() != QEvent::KeyPress) || edit_.isReadOnly())
            return QValidator::eventFilter(watched, event);
        const qsizetype room = ceiling_.Value() - (edit_.text().size() - edit_.selectedText().size());
        if (composed) {
            auto& method = static_cast<QInputMethodEvent&>(*event);
            method.setCommitString(Fitted(method.commitString(), room + method.replacementLength()),
                                   method.replacementStart(), method.replacementLength());
            return false;
        }
        const auto& key = static_cast<const QKeyEvent&>(*event);
        if (key.matches(QKeySequence::Paste)) {
            const QString clip = QGuiApplication::clipboard()->text();
            if (clip.size() <= room)
                return false;
            edit_.insert(Fitted(clip, room));
            return true;
        }
        return TypedText(key).size() > room;
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
        if (input.size() > ceiling_.Value()) {
            const auto [insertedStart, insertedEnd] = Inserted(input);
            const qsizetype cutStart = CutStart(input, insertedStart, insertedEnd, input.size() - ceiling_.Value());
            const qsizetype excess = insertedEnd - cutStart;
            input.remove(cutStart, excess);
            pos = pos >= insertedEnd ? pos - int(excess) : std::min(pos, int(cutStart));
        }
        ceiling_.Follow(input.isEmpty());
    }

    QLineEdit& edit_;
    mutable QString before_;
    mutable TCeiling ceiling_;
};

// A memo's limit. A key that would make the text too long is refused before
// it reaches the memo, so that the undo history holds only the user's own
// edits; a paste or a drop, one edit of the memo's own, is cut within it, so
// that one undo takes back both.
class TMemoLimit : public QObject {
public:
    TMemoLimit(QPlainTextEdit& memo, int limit) : QObject(&memo), memo_(memo), ceiling_(limit, Length())
    {
        connect(memo.document(), &QTextDocument::contentsChange, this, &TMemoLimit::Changed);
        memo.installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::KeyPress)
            return QObject::eventFilter(watched, event);
        const auto& key = static_cast<const QKeyEvent&>(*event);
        const bool newLine = key.key() == Qt::Key_Return || key.key() == Qt::Key_Enter;
        const qsizetype typed = newLine ? 1 : TypedText(key).size();
        if (typed == 0)
            return false;
        const QTextCursor cursor = memo_.textCursor();
        return Length() - (cursor.selectionEnd() - cursor.selectionStart()) + typed > ceiling_.Value();
    }

private:
    // The document's count takes in its closing paragraph mark; so does the
    // count of a change that replaces the whole text.
    int Length() const { return memo_.document()->characterCount() - 1; }

    void Changed(int position, int, int added)
    {
        QTextDocument* document = memo_.document();
        const int length = Length();
        if (!ceiling_.UserEdit(document->isUndoAvailable(), document->isRedoAvailable(), length))
            return;
        const int insertedEnd = std::min(position + added, length);
        const int excess = std::min(int(length - ceiling_.Value()), insertedEnd - position);
        if (excess > 0) {
            QTextCursor cut(document);
            cut.joinPreviousEditBlock();
            cut.setPosition(int(CutStart(document->toPlainText(), position, insertedEnd, excess)));
            cut.setPosition(insertedEnd, QTextCursor::KeepAnchor);
            cut.removeSelectedText();
            cut.endEditBlock();
        }
        ceiling_.Follow(document->isEmpty());
    }

    QPlainTextEdit& memo_;
    TCeiling ceiling_;
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
    new TMemoLimit(memo, limit);
}
