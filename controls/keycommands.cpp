#include "keycommands.h"

#include <QFile>
#include <QSaveFile>
#include <charconv>

static_assert(ccWordRight == 75, "command codes are stored in files and tables");

namespace {

constexpr quint8 kCtrlShift = ssCtrl | ssShift;

TEfCommandEntry Key(quint8 key, quint8 shift, quint16 command)
{
    return {key, shift, 0, ssNone, command};
}

TEfCommandEntry Ctrl(char letter, quint16 command)
{
    return Key(static_cast<quint8>(letter), ssCtrl, command);
}

TEfCommandEntry CtrlThen(char first, char second, quint16 command)
{
    return {static_cast<quint8>(first), ssCtrl, static_cast<quint8>(second), ssPlainOrCtrl, command};
}

// Shift and Ctrl+Shift with the movement keys, alike in the Default and Grid tables.
void AppendSelectionKeys(std::vector<TEfCommandEntry>& entries)
{
    using namespace VKey;
    entries.insert(entries.end(), {
        Key(Left, ssShift, ccExtendLeft),
        Key(Right, ssShift, ccExtendRight),
        Key(Home, ssShift, ccExtendHome),
        Key(End, ssShift, ccExtendEnd),
        Key(Left, kCtrlShift, ccExtWordLeft),
        Key(Right, kCtrlShift, ccExtWordRight),
        Key(PageUp, ssShift, ccExtendPgUp),
        Key(PageDown, ssShift, ccExtendPgDn),
        Key(Up, ssShift, ccExtendUp),
        Key(Down, ssShift, ccExtendDown),
        Key(Home, kCtrlShift, ccExtFirstPage),
        Key(End, kCtrlShift, ccExtLastPage),
        Key(PageUp, kCtrlShift, ccExtTopOfPage),
        Key(PageDown, kCtrlShift, ccExtBotOfPage),
    });
}

std::vector<TEfCommandEntry> DefaultEntries()
{
    using namespace VKey;
    std::vector<TEfCommandEntry> entries = {
        Key(Left, ssNone, ccLeft),
        Key(Right, ssNone, ccRight),
        Key(Left, ssCtrl, ccWordLeft),
        Key(Right, ssCtrl, ccWordRight),
        Key(Home, ssNone, ccHome),
        Key(End, ssNone, ccEnd),
        Key(Delete, ssNone, ccDel),
        Key(Back, ssNone, ccBack),
        Key(Back, ssShift, ccBack),
        Key(PageUp, ssCtrl, ccTopOfPage),
        Key(PageDown, ssCtrl, ccBotOfPage),
        Key(Insert, ssNone, ccIns),
        Ctrl('Z', ccUndo),
        Key(Back, ssAlt, ccRestore),
        Key(Up, ssNone, ccUp),
        Key(Down, ssNone, ccDown),
        Key(Return, ssCtrl, ccNewLine),
    };
    AppendSelectionKeys(entries);
    entries.insert(entries.end(), {
        Key(Delete, ssShift, ccCut),
        Ctrl('X', ccCut),
        Key(Insert, ssCtrl, ccCopy),
        Ctrl('C', ccCopy),
        Key(Insert, ssShift, ccPaste),
        Ctrl('V', ccPaste),
        Key(PageUp, ssNone, ccPrevPage),
        Key(PageDown, ssNone, ccNextPage),
        Key(Home, ssCtrl, ccFirstPage),
        Key(End, ssCtrl, ccLastPage),
        Key(Tab, ssNone, ccTab),
        Key(Tab, ssCtrl, ccTab),
        Key('Z', kCtrlShift, ccRedo),
    });
    for (quint8 digit = 0; digit < 10; ++digit)
        entries.push_back(Key('0' + digit, ssCtrl, ccGotoMarker0 + digit));
    for (quint8 digit = 0; digit < 10; ++digit)
        entries.push_back(Key('0' + digit, kCtrlShift, ccSetMarker0 + digit));
    return entries;
}

std::vector<TEfCommandEntry> WordStarEntries()
{
    std::vector<TEfCommandEntry> entries = {
        Ctrl('S', ccLeft),
        Ctrl('D', ccRight),
        Ctrl('E', ccUp),
        Ctrl('X', ccDown),
        Ctrl('R', ccPrevPage),
        Ctrl('C', ccNextPage),
        Ctrl('W', ccScrollUp),
        Ctrl('Z', ccScrollDown),
        Ctrl('A', ccWordLeft),
        Ctrl('F', ccWordRight),
        CtrlThen('Q', 'S', ccHome),
        CtrlThen('Q', 'D', ccEnd),
        Ctrl('G', ccDel),
        Ctrl('H', ccBack),
        Ctrl('Y', ccDelLine),
        CtrlThen('Q', 'Y', ccDelEol),
        Ctrl('V', ccIns),
        Ctrl('T', ccDelWord),
        Ctrl('P', ccCtrlChar),
        CtrlThen('Q', 'L', ccRestore),
    };
    for (char digit = 0; digit < 10; ++digit)
        entries.push_back(CtrlThen('Q', '0' + digit, ccGotoMarker0 + digit));
    for (char digit = 0; digit < 10; ++digit)
        entries.push_back(CtrlThen('K', '0' + digit, ccSetMarker0 + digit));
    return entries;
}

std::vector<TEfCommandEntry> GridEntries()
{
    using namespace VKey;
    std::vector<TEfCommandEntry> entries = {
        Key(Left, ssNone, ccLeft),
        Key(Right, ssNone, ccRight),
        Key(Left, ssCtrl, ccPageLeft),
        Key(Right, ssCtrl, ccPageRight),
        Key(Home, ssNone, ccHome),
        Key(End, ssNone, ccEnd),
        Key(Delete, ssNone, ccDel),
        Key(Back, ssNone, ccBack),
        Key(PageDown, ssCtrl, ccBotOfPage),
        Key(PageUp, ssCtrl, ccTopOfPage),
        Key(Insert, ssNone, ccIns),
        Ctrl('Z', ccRestore),
        Key(Up, ssNone, ccUp),
        Key(Down, ssNone, ccDown),
    };
    AppendSelectionKeys(entries);
    entries.insert(entries.end(), {
        Ctrl('X', ccCut),
        Ctrl('C', ccCopy),
        Ctrl('V', ccPaste),
        Key(PageUp, ssNone, ccPrevPage),
        Key(Home, ssCtrl, ccFirstPage),
        Key(PageDown, ssNone, ccNextPage),
        Key(End, ssCtrl, ccLastPage),
        Key(Up, ssCtrl, ccTopLeftCell),
        Key(Down, ssCtrl, ccBotRightCell),
        Key(F2, ssNone, ccTableEdit),
    });
    return entries;
}

bool IsModifierKey(quint8 key)
{
    using namespace VKey;
    return key == Shift || key == Control || key == Alt || key == CapsLock || key == NumLock ||
           key == ScrollLock;
}

// One whole number within 0..limit; false for anything else.
bool ReadNumber(const QByteArray& token, int limit, int& value)
{
    const char* end = token.constData() + token.size();
    const auto [rest, error] = std::from_chars(token.constData(), end, value);
    return error == std::errc() && rest == end && value >= 0 && value <= limit;
}

// With Shift held Qt names the symbol on a digit key (US layout); the tables
// name the key. -1 for any other key.
int ShiftedDigit(int qtKey)
{
    static constexpr char kSymbols[] = ")!@#$%^&*(";
    for (int digit = 0; digit < 10; ++digit)
        if (qtKey == kSymbols[digit])
            return digit;
    return -1;
}

void SetError(QString* error, const QString& text)
{
    if (error)
        *error = text;
}

}  // namespace

QString CommandName(quint16 command)
{
    static const char* const kNames[] = {
        "ccNone", "ccBack", "ccBotOfPage", "ccBotRightCell", "ccCompleteDate", "ccCompleteTime",
        "ccCopy", "ccCtrlChar", "ccCut", "ccDec", "ccDel", "ccDelBol", "ccDelEol", "ccDelLine",
        "ccDelWord", "ccDown", "ccEnd", "ccExtendDown", "ccExtendEnd", "ccExtendHome",
        "ccExtendLeft", "ccExtendPgDn", "ccExtendPgUp", "ccExtendRight", "ccExtendUp",
        "ccExtBotOfPage", "ccExtFirstPage", "ccExtLastPage", "ccExtTopOfPage", "ccExtWordLeft",
        "ccExtWordRight", "ccFirstPage", "ccGotoMarker0", "ccGotoMarker1", "ccGotoMarker2",
        "ccGotoMarker3", "ccGotoMarker4", "ccGotoMarker5", "ccGotoMarker6", "ccGotoMarker7",
        "ccGotoMarker8", "ccGotoMarker9", "ccHome", "ccInc", "ccIns", "ccLastPage", "ccLeft",
        "ccNewLine", "ccNextPage", "ccPageLeft", "ccPageRight", "ccPaste", "ccPrevPage", "ccRedo",
        "ccRestore", "ccRight", "ccScrollDown", "ccScrollUp", "ccSetMarker0", "ccSetMarker1",
        "ccSetMarker2", "ccSetMarker3", "ccSetMarker4", "ccSetMarker5", "ccSetMarker6",
        "ccSetMarker7", "ccSetMarker8", "ccSetMarker9", "ccTab", "ccTableEdit", "ccTopLeftCell",
        "ccTopOfPage", "ccUndo", "ccUp", "ccWordLeft", "ccWordRight"};
    static_assert(std::size(kNames) == ccWordRight + 1);
    if (command < std::size(kNames))
        return QString::fromLatin1(kNames[command]);
    return QStringLiteral("ccUser%1").arg(command);
}

TEfCommandTable::TEfCommandTable(const QString& name, bool active) : Name(name), Active(active) {}

void TEfCommandTable::Add(const TEfCommandEntry& entry)
{
    entries_.push_back(entry);
}

void TEfCommandTable::Delete(int index)
{
    Entry(index);
    entries_.erase(entries_.begin() + index);
}

void TEfCommandTable::Replace(int index, const TEfCommandEntry& entry)
{
    Entry(index);
    entries_[static_cast<size_t>(index)] = entry;
}

const TEfCommandEntry& TEfCommandTable::Entry(int index) const
{
    if (index < 0 || index >= Count())
        throw ETableNotFound();
    return entries_[static_cast<size_t>(index)];
}

int TEfCommandTable::IndexOf(quint8 key1, quint8 shift1, quint8 key2, quint8 shift2) const
{
    for (int i = 0; i < Count(); ++i) {
        const TEfCommandEntry& e = entries_[static_cast<size_t>(i)];
        if (e.key1 == key1 && e.shift1 == shift1 && e.key2 == key2 && e.shift2 == shift2)
            return i;
    }
    return -1;
}

bool TEfCommandTable::LoadFromFile(const QString& path, QString* error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        SetError(error, QStringLiteral("Cannot open the command table file %1.").arg(path));
        return false;
    }
    return LoadFromBytes(file.readAll(), error, path);
}

bool TEfCommandTable::LoadFromBytes(const QByteArray& content, QString* error, const QString& source)
{
    const qsizetype nameEnd = content.indexOf('\n');
    const QByteArray name = content.left(nameEnd < 0 ? content.size() : nameEnd).trimmed();
    const QList<QByteArray> tokens =
        nameEnd < 0 ? QList<QByteArray>() : content.mid(nameEnd + 1).simplified().split(' ');
    const bool empty = tokens.size() == 1 && tokens.front().isEmpty();
    if (name.isEmpty() || (!empty && tokens.size() % 5 != 0)) {
        SetError(error, QStringLiteral("The command table file %1 is incomplete.").arg(source));
        return false;
    }
    std::vector<TEfCommandEntry> loaded;
    for (qsizetype i = 0; !empty && i < tokens.size(); i += 5) {
        int key1 = 0, shift1 = 0, key2 = 0, shift2 = 0, command = 0;
        if (!ReadNumber(tokens[i], 255, key1) || !ReadNumber(tokens[i + 1], 255, shift1) ||
            !ReadNumber(tokens[i + 2], 255, key2) || !ReadNumber(tokens[i + 3], 255, shift2) ||
            !ReadNumber(tokens[i + 4], 65535, command)) {
            SetError(error, QStringLiteral("The command table file %1 is damaged.").arg(source));
            return false;
        }
        loaded.push_back({static_cast<quint8>(key1), static_cast<quint8>(shift1),
                          static_cast<quint8>(key2), static_cast<quint8>(shift2),
                          static_cast<quint16>(command)});
    }
    Name = QString::fromUtf8(name);
    entries_.insert(entries_.end(), loaded.begin(), loaded.end());
    return true;
}

QByteArray TEfCommandTable::SaveToBytes() const
{
    QString text = Name + QLatin1Char('\n');
    for (const TEfCommandEntry& e : entries_)
        text += QStringLiteral("%1%2%3%4%5\n")
                    .arg(e.key1, 4)
                    .arg(e.shift1, 4)
                    .arg(e.key2, 4)
                    .arg(e.shift2, 4)
                    .arg(e.command, 6);
    return text.toUtf8();
}

bool TEfCommandTable::SaveToFile(const QString& path) const
{
    QSaveFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(SaveToBytes()) >= 0 && file.commit();
}

TEfCommandProcessor::TEfCommandProcessor()
{
    const struct {
        const char* name;
        bool active;
        std::vector<TEfCommandEntry> entries;
    } builtIn[] = {{"Default", true, DefaultEntries()},
                   {"WordStar", false, WordStarEntries()},
                   {"Grid", false, GridEntries()}};
    for (const auto& table : builtIn) {
        TEfCommandTable& created = CreateTable(QString::fromLatin1(table.name), table.active);
        for (const TEfCommandEntry& entry : table.entries)
            created.Add(entry);
    }
}

TEfCommandTable& TEfCommandProcessor::AddTable(std::unique_ptr<TEfCommandTable> table)
{
    QString base = table->Name;
    while (base.size() >= 2 && base.back().isDigit())
        base.chop(1);
    QString tried = base;
    for (int n = 1; FindTable(tried); ++n)
        tried = base + QString::number(n);
    if (tried != base)
        table->Name = tried;
    tables_.push_back(std::move(table));
    return *tables_.back();
}

TEfCommandTable& TEfCommandProcessor::CreateTable(const QString& name, bool active)
{
    return AddTable(std::make_unique<TEfCommandTable>(name, active));
}

TEfCommandTable* TEfCommandProcessor::FindTable(const QString& name) const
{
    for (const auto& table : tables_)
        if (table->Name.compare(name, Qt::CaseInsensitive) == 0)
            return table.get();
    return nullptr;
}

void TEfCommandProcessor::AddCommand(const QString& tableName, const TEfCommandEntry& entry)
{
    TEfCommandTable* table = FindTable(tableName);
    if (!table)
        throw ETableNotFound();
    if (table->IndexOf(entry.key1, entry.shift1, entry.key2, entry.shift2) >= 0)
        throw EDuplicateCommand();
    table->Add(entry);
}

TEfCommandTable* TEfCommandProcessor::LoadTable(const QString& path, QString* error)
{
    auto table = std::make_unique<TEfCommandTable>();
    if (!table->LoadFromFile(path, error))
        return nullptr;
    return &AddTable(std::move(table));
}

bool TEfCommandProcessor::SaveTable(const QString& tableName, const QString& path) const
{
    const TEfCommandTable* table = FindTable(tableName);
    return table && table->SaveToFile(path);
}

TEfCommandTable& TEfCommandProcessor::Table(int index) const
{
    if (index < 0 || index >= TableCount())
        throw ETableNotFound();
    return *tables_[static_cast<size_t>(index)];
}

quint16 TEfCommandProcessor::Translate(quint8 key, quint8 shift)
{
    // A lone Shift or Ctrl between the two keys of a sequence keeps it alive.
    if (IsModifierKey(key))
        return state_ == FirstKeySeen ? ccFirstOfTwo : ccPlainKey;
    if (state_ == LiteralNext) {
        state_ = Idle;
        return ccPlainKey;
    }
    const State before = state_;
    for (const auto& table : tables_) {
        if (!table->Active)
            continue;
        if (const quint16 answer = AnswerOf(*table, key, shift))
            return answer;
    }
    state_ = Idle;
    return before == FirstKeySeen ? ccBrokenSequence : ccPlainKey;
}

quint16 TEfCommandProcessor::AnswerOf(const TEfCommandTable& table, quint8 key, quint8 shift)
{
    for (int i = 0; i < table.Count(); ++i) {
        const TEfCommandEntry& e = table.Entry(i);
        if (state_ != FirstKeySeen) {
            if (e.key1 != key || e.shift1 != shift)
                continue;
            if (e.key2 != 0) {
                state_ = FirstKeySeen;
                savedKey_ = key;
                savedShift_ = shift;
                return ccFirstOfTwo;
            }
        } else {
            const bool shiftMatches =
                e.shift2 == shift || (e.shift2 == ssPlainOrCtrl && (shift == ssNone || shift == ssCtrl));
            if (e.key1 != savedKey_ || e.shift1 != savedShift_ || e.key2 != key || !shiftMatches)
                continue;
        }
        state_ = e.command == ccCtrlChar ? LiteralNext : Idle;
        return e.command;
    }
    return ccNone;
}

quint8 ShiftStateByte(Qt::KeyboardModifiers modifiers)
{
    quint8 shift = ssNone;
    if (modifiers & Qt::ControlModifier)
        shift |= ssCtrl;
    if (modifiers & Qt::ShiftModifier)
        shift |= ssShift;
    if (modifiers & Qt::AltModifier)
        shift |= ssAlt;
    return shift;
}

KeyStroke KeyStrokeOf(int qtKey, Qt::KeyboardModifiers modifiers)
{
    struct Pair {
        int qt;
        quint8 key;
    };
    static constexpr Pair kKeys[] = {
        {Qt::Key_Backspace, VKey::Back},   {Qt::Key_Tab, VKey::Tab},
        {Qt::Key_Backtab, VKey::Tab},      {Qt::Key_Return, VKey::Return},
        {Qt::Key_Enter, VKey::Return},     {Qt::Key_Shift, VKey::Shift},
        {Qt::Key_Control, VKey::Control},  {Qt::Key_Alt, VKey::Alt},
        {Qt::Key_Pause, VKey::Pause},      {Qt::Key_CapsLock, VKey::CapsLock},
        {Qt::Key_Escape, VKey::Escape},    {Qt::Key_Space, VKey::Space},
        {Qt::Key_PageUp, VKey::PageUp},    {Qt::Key_PageDown, VKey::PageDown},
        {Qt::Key_End, VKey::End},          {Qt::Key_Home, VKey::Home},
        {Qt::Key_Left, VKey::Left},        {Qt::Key_Up, VKey::Up},
        {Qt::Key_Right, VKey::Right},      {Qt::Key_Down, VKey::Down},
        {Qt::Key_Insert, VKey::Insert},    {Qt::Key_Delete, VKey::Delete},
        {Qt::Key_NumLock, VKey::NumLock},  {Qt::Key_ScrollLock, VKey::ScrollLock},
    };
    KeyStroke stroke{0, ShiftStateByte(modifiers)};
    const int shiftedDigit = (modifiers & Qt::ShiftModifier) ? ShiftedDigit(qtKey) : -1;
    if (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9) {
        const int base = (modifiers & Qt::KeypadModifier) ? VKey::Numpad0 : '0';
        stroke.key = static_cast<quint8>(base + (qtKey - Qt::Key_0));
    } else if (shiftedDigit >= 0) {
        stroke.key = static_cast<quint8>('0' + shiftedDigit);
    } else if (qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z) {
        stroke.key = static_cast<quint8>(qtKey);
    } else if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F12) {
        stroke.key = static_cast<quint8>(VKey::F1 + (qtKey - Qt::Key_F1));
    } else {
        for (const Pair& pair : kKeys)
            if (pair.qt == qtKey)
                stroke.key = pair.key;
    }
    return stroke;
}
