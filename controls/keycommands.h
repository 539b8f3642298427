#pragma once
// Key-command tables: every key an entry field gets is first turned into an
// editing command, by one key or a two-key sequence with its shift state.
#include "efexceptions.h"

#include <QByteArray>
#include <QString>
#include <Qt>
#include <memory>
#include <vector>

// Key codes of the tables: the desktop's virtual keys.
namespace VKey {
constexpr quint8 Back = 8, Tab = 9, Return = 13, Shift = 16, Control = 17, Alt = 18, Pause = 19,
                 CapsLock = 20, Escape = 27, Space = 32, PageUp = 33, PageDown = 34, End = 35,
                 Home = 36, Left = 37, Up = 38, Right = 39, Down = 40, Insert = 45, Delete = 46,
                 Numpad0 = 0x60, F1 = 0x70, F2 = 0x71, NumLock = 144, ScrollLock = 145;
}  // namespace VKey

// Shift states are sums of these.
constexpr quint8 ssNone = 0, ssShift = 2, ssCtrl = 4, ssAlt = 8;
// A second key's shift state that accepts the key plain or with Ctrl alone.
constexpr quint8 ssPlainOrCtrl = 128;

enum EditCommand : quint16 {
    ccNone, ccBack, ccBotOfPage, ccBotRightCell, ccCompleteDate, ccCompleteTime, ccCopy, ccCtrlChar,
    ccCut, ccDec, ccDel, ccDelBol, ccDelEol, ccDelLine, ccDelWord, ccDown, ccEnd, ccExtendDown,
    ccExtendEnd, ccExtendHome, ccExtendLeft, ccExtendPgDn, ccExtendPgUp, ccExtendRight, ccExtendUp,
    ccExtBotOfPage, ccExtFirstPage, ccExtLastPage, ccExtTopOfPage, ccExtWordLeft, ccExtWordRight,
    ccFirstPage, ccGotoMarker0, ccHome = ccGotoMarker0 + 10, ccInc, ccIns, ccLastPage, ccLeft,
    ccNewLine, ccNextPage, ccPageLeft, ccPageRight, ccPaste, ccPrevPage, ccRedo, ccRestore, ccRight,
    ccScrollDown, ccScrollUp, ccSetMarker0, ccTab = ccSetMarker0 + 10, ccTableEdit, ccTopLeftCell,
    ccTopOfPage, ccUndo, ccUp, ccWordLeft, ccWordRight,
    // Results of translation that are no table commands.
    ccPlainKey = 252,        // an ordinary key: it goes on as a character
    ccBrokenSequence = 254,  // the second key of a sequence matched nothing
    ccFirstOfTwo = 255,      // wait for the second key
};

// "ccLeft" and so on; other codes are user commands, "ccUser%d".
QString CommandName(quint16 command);

struct TEfCommandEntry {
    quint8 key1 = 0;
    quint8 shift1 = ssNone;
    quint8 key2 = 0;  // 0 for a one-key command
    quint8 shift2 = ssNone;
    quint16 command = ccNone;
};

class TEfCommandTable {
public:
    explicit TEfCommandTable(const QString& name = QStringLiteral("(Unknown)"), bool active = true);

    QString Name;
    bool Active;

    void Add(const TEfCommandEntry& entry);
    // Index out of range: ETableNotFound.
    void Delete(int index);
    void Replace(int index, const TEfCommandEntry& entry);
    const TEfCommandEntry& Entry(int index) const;
    int Count() const { return static_cast<int>(entries_.size()); }
    int IndexOf(quint8 key1, quint8 shift1, quint8 key2, quint8 shift2) const;
    void Clear() { entries_.clear(); }

    // Text file: the name line, then key1 shift1 key2 shift2 command per line.
    // A file that is not wholly such a table changes nothing and says why.
    bool LoadFromFile(const QString& path, QString* error = nullptr);
    // The file's content; `source` names the file in the reason.
    bool LoadFromBytes(const QByteArray& content, QString* error = nullptr, const QString& source = {});
    bool SaveToFile(const QString& path) const;
    QByteArray SaveToBytes() const;

private:
    std::vector<TEfCommandEntry> entries_;
};

class TEfCommandProcessor {
public:
    // "Default" (active), "WordStar" and "Grid" (inactive).
    TEfCommandProcessor();

    // Takes the table, renamed when its name is taken ("Default" -> "Default1").
    TEfCommandTable& AddTable(std::unique_ptr<TEfCommandTable> table);
    TEfCommandTable& CreateTable(const QString& name, bool active);
    // By name, case ignored; nullptr when none has it.
    TEfCommandTable* FindTable(const QString& name) const;
    // ETableNotFound without such a table, EDuplicateCommand when its keys stand there.
    void AddCommand(const QString& tableName, const TEfCommandEntry& entry);
    // nullptr, with the reason, when the file is refused.
    TEfCommandTable* LoadTable(const QString& path, QString* error = nullptr);
    bool SaveTable(const QString& tableName, const QString& path) const;

    int TableCount() const { return static_cast<int>(tables_.size()); }
    TEfCommandTable& Table(int index) const;

    void ResetState() { state_ = Idle; }
    quint16 Translate(quint8 key, quint8 shift);

private:
    enum State : quint8 { Idle, FirstKeySeen, LiteralNext };
    quint16 AnswerOf(const TEfCommandTable& table, quint8 key, quint8 shift);

    std::vector<std::unique_ptr<TEfCommandTable>> tables_;
    State state_ = Idle;
    quint8 savedKey_ = 0;
    quint8 savedShift_ = ssNone;
};

// Qt's keys in the tables' terms; 0 for a key the tables cannot name.
struct KeyStroke {
    quint8 key = 0;
    quint8 shift = ssNone;
};
quint8 ShiftStateByte(Qt::KeyboardModifiers modifiers);
KeyStroke KeyStrokeOf(int qtKey, Qt::KeyboardModifiers modifiers);
