#include "rpevaluator.h"

#include <QStringList>

TRpEvResult TRpEvResult::Integer(qint32 value)
{
    TRpEvResult r;
    r.kind = TRpEvKind::Integer;
    r.integer = value;
    return r;
}

TRpEvResult TRpEvResult::Float(double value)
{
    TRpEvResult r;
    r.kind = TRpEvKind::Float;
    r.number = value;
    return r;
}

TRpEvResult TRpEvResult::String(const QString& value)
{
    TRpEvResult r;
    r.kind = TRpEvKind::String;
    r.text = value.left(kMaxStringLength);
    return r;
}

TRpEvResult TRpEvResult::Boolean(bool value)
{
    TRpEvResult r;
    r.kind = TRpEvKind::Boolean;
    r.boolean = value;
    return r;
}

QString EvKindName(TRpEvKind kind)
{
    switch (kind) {
    case TRpEvKind::Integer: return QStringLiteral("INTEGER");
    case TRpEvKind::Float: return QStringLiteral("FLOAT");
    case TRpEvKind::String: return QStringLiteral("STRING");
    case TRpEvKind::Boolean: return QStringLiteral("BOOLEAN");
    case TRpEvKind::Error: break;
    }
    return QStringLiteral("ERROR");
}

TRpEvElement* TRpFiFo::Get()
{
    return position_ < elements_.size() ? elements_[position_++].get() : nullptr;
}

TRpEvResult TRpFiFo::NextValue()
{
    TRpEvElement* element = Get();
    return element ? element->Value(*this) : TRpEvResult::Error();
}

TRpEvResult TRpEvElementFunction::Value(TRpFiFo& sequence)
{
    TRpEvArguments arguments;
    while (TRpEvElement* element = sequence.Get()) {
        if (element->IsArgumentEnd())
            break;
        arguments.push_back(element->Value(sequence));
    }
    if (sequence.aggregate)
        Aggregate(arguments);
    return Calculate(arguments);
}

void TRpLibrary::Add(Factory factory, const QString& name, const QString& description, const QString& vendor,
                     const QString& code)
{
    entries_[name] = Entry{name, description, vendor, code, std::move(factory)};
}

const TRpLibrary::Entry* TRpLibrary::Find(const QString& name) const
{
    const auto found = entries_.find(name);
    return found == entries_.end() ? nullptr : &found->second;
}

std::unique_ptr<TRpEvElement> TRpLibrary::GetFunction(const QString& name) const
{
    if (const Entry* entry = Find(name))
        return entry->factory();
    return std::make_unique<TRpEvElementError>();
}

namespace {

enum OperatorCode {
    kLess = 0, kLessEqual = 1, kGreater = 2, kGreaterEqual = 3, kEqual = 4, kNotEqual = 5,
    kPlus = 6, kMinus = 7, kOr = 8, kTimes = 9, kDivide = 10, kAnd = 11,
};

qint32 Wrapped(quint32 value)
{
    return static_cast<qint32>(value);   // modular, as 32-bit registers are
}

template <typename T>
TRpEvResult Compare(int code, const T& left, const T& right)
{
    switch (code) {
    case kLess: return TRpEvResult::Boolean(left < right);
    case kLessEqual: return TRpEvResult::Boolean(left <= right);
    case kGreater: return TRpEvResult::Boolean(left > right);
    case kGreaterEqual: return TRpEvResult::Boolean(left >= right);
    case kEqual: return TRpEvResult::Boolean(left == right);
    case kNotEqual: return TRpEvResult::Boolean(left != right);
    default: return TRpEvResult::Error();
    }
}

TRpEvResult CombineIntegers(int code, qint32 left, qint32 right)
{
    const auto l = static_cast<quint32>(left);
    const auto r = static_cast<quint32>(right);
    switch (code) {
    case kPlus: return TRpEvResult::Integer(Wrapped(l + r));
    case kMinus: return TRpEvResult::Integer(Wrapped(l - r));
    case kTimes: return TRpEvResult::Integer(Wrapped(l * r));
    case kOr: return TRpEvResult::Integer(Wrapped(l | r));
    case kAnd: return TRpEvResult::Integer(Wrapped(l & r));
    case kDivide:
        if (right == 0 || (left == INT32_MIN && right == -1))
            return TRpEvResult::Error();
        return TRpEvResult::Integer(left / right);
    default: return Compare(code, left, right);
    }
}

TRpEvResult CombineFloats(int code, double left, double right)
{
    switch (code) {
    case kPlus: return TRpEvResult::Float(left + right);
    case kMinus: return TRpEvResult::Float(left - right);
    case kTimes: return TRpEvResult::Float(left * right);
    case kDivide: return right == 0.0 ? TRpEvResult::Error() : TRpEvResult::Float(left / right);
    case kOr:
    case kAnd: return TRpEvResult::Error();
    default: return Compare(code, left, right);
    }
}

TRpEvResult CombineStrings(int code, const QString& left, const QString& right)
{
    if (code == kPlus)
        return TRpEvResult::String(left + right);
    if (code > kNotEqual)
        return TRpEvResult::Error();
    return Compare(code, QString::compare(left, right, Qt::CaseSensitive), 0);
}

TRpEvResult CombineBooleans(int code, bool left, bool right)
{
    switch (code) {
    case kEqual: return TRpEvResult::Boolean(left == right);
    case kNotEqual: return TRpEvResult::Boolean(left != right);
    case kOr: return TRpEvResult::Boolean(left || right);
    case kAnd: return TRpEvResult::Boolean(left && right);
    default: return TRpEvResult::Error();
    }
}

class TRpEvElementOperator : public TRpEvElement {
public:
    explicit TRpEvElementOperator(int code) : code_(code) {}
    TRpEvResult Value(TRpFiFo& sequence) override
    {
        TRpEvResult left = sequence.NextValue();
        TRpEvResult right = sequence.NextValue();
        if (left.IsError() || right.IsError())
            return TRpEvResult::Error();
        if (left.kind != right.kind) {
            if (!left.IsNumber() || !right.IsNumber())
                return TRpEvResult::Error();
            left = TRpEvResult::Float(left.AsDouble());
            right = TRpEvResult::Float(right.AsDouble());
        }
        switch (left.kind) {
        case TRpEvKind::Integer: return CombineIntegers(code_, left.integer, right.integer);
        case TRpEvKind::Float: return CombineFloats(code_, left.number, right.number);
        case TRpEvKind::String: return CombineStrings(code_, left.text, right.text);
        case TRpEvKind::Boolean: return CombineBooleans(code_, left.boolean, right.boolean);
        case TRpEvKind::Error: break;
        }
        return TRpEvResult::Error();
    }

private:
    int code_;
};

class TRpEvElementNegate : public TRpEvElement {
public:
    TRpEvResult Value(TRpFiFo& sequence) override
    {
        const TRpEvResult operand = sequence.NextValue();
        switch (operand.kind) {
        case TRpEvKind::Boolean: return TRpEvResult::Boolean(!operand.boolean);
        case TRpEvKind::Integer: return TRpEvResult::Integer(Wrapped(0u - static_cast<quint32>(operand.integer)));
        case TRpEvKind::Float: return TRpEvResult::Float(-operand.number);
        default: return TRpEvResult::Error();
        }
    }
};

class TRpEvElementConstant : public TRpEvElement {
public:
    explicit TRpEvElementConstant(TRpEvResult value) : value_(std::move(value)) {}
    TRpEvResult Value(TRpFiFo&) override { return value_; }

private:
    TRpEvResult value_;
};

class TRpEvElementArgumentEnd : public TRpEvElement {
public:
    TRpEvResult Value(TRpFiFo&) override { return TRpEvResult::Error(); }
    bool IsArgumentEnd() const override { return true; }
};

class TRpEvElementDataField : public TRpEvElement {
public:
    TRpEvElementDataField(TDataSet& dataSet, int fieldNumber) : dataSet_(dataSet), fieldNumber_(fieldNumber) {}
    TRpEvResult Value(TRpFiFo&) override
    {
        try {
            if (fieldNumber_ >= dataSet_.FieldCount())
                return TRpEvResult::Error();
            const TField& field = dataSet_.Fields(fieldNumber_);
            switch (field.DataType()) {
            case TFieldType::String:
            case TFieldType::Date: return TRpEvResult::String(field.AsString());
            case TFieldType::Integer:
            case TFieldType::SmallInt: return TRpEvResult::Integer(field.AsInteger());
            case TFieldType::Float: return TRpEvResult::Float(field.AsFloat());
            case TFieldType::Boolean: return TRpEvResult::Boolean(field.AsBoolean());
            default: return TRpEvResult::Error();
            }
        } catch (const std::exception&) {
            return TRpEvResult::Error();
        }
    }

private:
    TDataSet& dataSet_;
    int fieldNumber_;
};

// Deeper texts become an error element instead of exhausting the stack.
constexpr int kMaxDepth = 256;

bool IsNameChar(QChar c)
{
    return c.isLetterOrNumber() || c == QLatin1Char('_') || c == QLatin1Char('.');
}

// Walks a text keeping track of quotes, parentheses and bracketed names, so
// that only characters at the top level are looked at.
class TopLevelScan {
public:
    // True when the character at i stands outside quotes, brackets and parentheses.
    bool Step(QChar c)
    {
        if (quoted_) {
            quoted_ = c != QLatin1Char('\'');
            return false;
        }
        if (bracketed_) {
            bracketed_ = c != QLatin1Char(']');
            return false;
        }
        if (c == QLatin1Char('\'')) {
            quoted_ = true;
            return false;
        }
        if (c == QLatin1Char('[')) {
            bracketed_ = true;
            return false;
        }
        if (c == QLatin1Char('('))
            ++depth_;
        else if (c == QLatin1Char(')'))
            --depth_;
        return depth_ == 0 && c != QLatin1Char(')');
    }

private:
    bool quoted_ = false;
    bool bracketed_ = false;
    int depth_ = 0;
};

struct OperatorLevel {
    QChar first;
    int firstCode;
    QChar second;
    int secondCode;
    QLatin1String word;   // between blanks
    int wordCode;
};
const OperatorLevel kAdding{QLatin1Char('+'), kPlus, QLatin1Char('-'), kMinus, QLatin1String("or "), kOr};
const OperatorLevel kMultiplying{QLatin1Char('*'), kTimes, QLatin1Char('/'), kDivide, QLatin1String("and "), kAnd};

struct FoundOperator {
    qsizetype position = -1;
    qsizetype length = 0;
    int code = 0;
};

bool WordAt(const QString& text, qsizetype i, QLatin1String word)
{
    return text.size() >= i + word.size() && QStringView(text).mid(i, word.size()).compare(word, Qt::CaseInsensitive) == 0;
}

// True when the text before end closes with one of the word operators, not
// with a name that merely ends in the same letters (Donor, cannot).
bool EndsInWordOperator(const QString& text, qsizetype end)
{
    for (const QLatin1String word : {QLatin1String("or"), QLatin1String("and"), QLatin1String("not")}) {
        const qsizetype start = end - word.size();
        if (start >= 0 && WordAt(text, start, word) && (start == 0 || !IsNameChar(text[start - 1])))
            return true;
    }
    return false;
}

// A sign after another operator, a word one included, or at the start,
// belongs to its operand.
bool IsBinarySign(const QString& text, qsizetype i)
{
    qsizetype j = i - 1;
    while (j >= 0 && text[j].isSpace())
        --j;
    return j >= 0 && !QStringLiteral("+-*/<>=").contains(text[j]) && !EndsInWordOperator(text, j + 1);
}

class TRpCompiler {
public:
    TRpCompiler(TRpFiFo& out, const std::vector<TDataSet*>& dataSets) : out_(out), dataSets_(dataSets) {}

    // One relational operator at most: both sides are simple expressions.
    void Expression(const QString& source, int depth)
    {
        const QString text = source.trimmed();
        if (depth > kMaxDepth)
            return Error();
        const FoundOperator found = FindRelational(text);
        if (found.position < 0)
            return SimpleExpression(text, depth + 1);
        Put<TRpEvElementOperator>(found.code);
        SimpleExpression(text.left(found.position), depth + 1);
        SimpleExpression(text.mid(found.position + found.length), depth + 1);
    }

private:
    template <typename T, typename... Args>
    void Put(Args&&... args)
    {
        out_.Put(std::make_unique<T>(std::forward<Args>(args)...));
    }
    void Error() { Put<TRpEvElementError>(); }

    static FoundOperator FindRelational(const QString& text)
    {
        static const std::pair<QLatin1String, int> kOperators[] = {
            {QLatin1String("<>"), kNotEqual}, {QLatin1String("<="), kLessEqual}, {QLatin1String("<"), kLess},
            {QLatin1String("="), kEqual},     {QLatin1String(">="), kGreaterEqual}, {QLatin1String(">"), kGreater},
        };
        TopLevelScan scan;
        for (qsizetype i = 0; i < text.size(); ++i) {
            if (!scan.Step(text[i]) || i == 0)
                continue;
            for (const auto& [symbol, code] : kOperators)
                if (WordAt(text, i, symbol))
                    return {i, symbol.size(), code};
        }
        return {};
    }

    // The last operator of the level, so that a run of them groups from the left.
    static FoundOperator FindLast(const QString& text, const OperatorLevel& level)
    {
        FoundOperator found;
        TopLevelScan scan;
        for (qsizetype i = 0; i < text.size(); ++i) {
            if (!scan.Step(text[i]) || i == 0)
                continue;
            const bool sign = text[i] == QLatin1Char('+') || text[i] == QLatin1Char('-');
            if ((text[i] == level.first || text[i] == level.second) && (!sign || IsBinarySign(text, i)))
                found = {i, 1, text[i] == level.first ? level.firstCode : level.secondCode};
            else if (text[i] == QLatin1Char(' ') && WordAt(text, i + 1, level.word))
                found = {i, level.word.size() + 1, level.wordCode};
        }
        return found;
    }

    void SimpleExpression(const QString& source, int depth) { Operators(source, depth, kAdding); }

    // The adding level's operands are terms; the multiplying level's, factors.
    void Operators(const QString& source, int depth, const OperatorLevel& level)
    {
        const QString text = source.trimmed();
        if (depth > kMaxDepth)
            return Error();
        const auto lower = [&](const QString& operand) {
            if (&level == &kAdding)
                Operators(operand, depth + 1, kMultiplying);
            else
                Factor(operand, depth + 1);
        };
        const FoundOperator found = FindLast(text, level);
        if (found.position < 0)
            return lower(text);
        Put<TRpEvElementOperator>(found.code);
        Operators(text.left(found.position), depth + 1, level);
        lower(text.mid(found.position + found.length));
    }

    void Factor(const QString& source, int depth)
    {
        const QString text = source.trimmed();
        if (depth > kMaxDepth || text.isEmpty())
            return Error();
        const QChar first = text[0];
        const QChar last = text[text.size() - 1];
        const bool closed = text.size() >= 2;
        // "not" is the operator only when no name character follows: Notes is a name.
        if (WordAt(text, 0, QLatin1String("not")) && (text.size() == 3 || !IsNameChar(text[3]))) {
            Put<TRpEvElementNegate>();
            return Factor(text.mid(3), depth + 1);
        }
        if (first.isDigit())
            return Number(text);
        if (first.isLetter())
            return Name(text, depth);
        if (first == QLatin1Char('[') && closed && last == QLatin1Char(']'))
            return DataField(text.mid(1, text.size() - 2));
        if (first == QLatin1Char('\'') && closed && last == QLatin1Char('\''))
            return Put<TRpEvElementConstant>(TRpEvResult::String(text.mid(1, text.size() - 2)));
        if (first == QLatin1Char('(') && closed && last == QLatin1Char(')'))
            return Expression(text.mid(1, text.size() - 2), depth + 1);
        if (first == QLatin1Char('+'))
            return Factor(text.mid(1), depth + 1);
        if (first == QLatin1Char('-')) {
            Put<TRpEvElementNegate>();
            return Factor(text.mid(1), depth + 1);
        }
        Error();
    }

    void Number(const QString& text)
    {
        qsizetype digits = 0;
        while (digits < text.size() && text[digits].isDigit())
            ++digits;
        for (qsizetype i = digits; i < text.size(); ++i)
            if (!text[i].isDigit() && !QStringLiteral("+-.Ee").contains(text[i]))
                return Error();
        bool ok = false;
        if (digits == text.size()) {
            const qlonglong value = text.toLongLong(&ok);
            if (ok && value <= INT32_MAX)
                return Put<TRpEvElementConstant>(TRpEvResult::Integer(static_cast<qint32>(value)));
            return Error();
        }
        const double value = text.toDouble(&ok);
        if (!ok)
            return Error();
        Put<TRpEvElementConstant>(TRpEvResult::Float(value));
    }

    void Name(const QString& text, int depth)
    {
        const qsizetype open = text.indexOf(QLatin1Char('('));
        if (open < 0)
            return Function(text, QString(), false, depth);
        if (!text.endsWith(QLatin1Char(')')))
            return Error();
        Function(text.left(open).trimmed(), text.mid(open + 1, text.size() - open - 2), true, depth);
    }

    void Function(const QString& name, const QString& arguments, bool withParentheses, int depth)
    {
        const TRpLibrary& library = TRpFunctionLibrary();
        if (!library.Find(name.toUpper())) {
            if (withParentheses)
                return Error();
            return DataField(name);
        }
        out_.Put(library.GetFunction(name.toUpper()));
        if (!arguments.trimmed().isEmpty())
            for (const QString& argument : SplitArguments(arguments))
                Expression(argument, depth + 1);
        Put<TRpEvElementArgumentEnd>();
    }

    static QStringList SplitArguments(const QString& text)
    {
        QStringList arguments{QString()};
        TopLevelScan scan;
        for (const QChar c : text) {
            if (scan.Step(c) && c == QLatin1Char(','))
                arguments.append(QString());
            else
                arguments.last().append(c);
        }
        return arguments;
    }

    void DataField(const QString& name)
    {
        const qsizetype dot = name.indexOf(QLatin1Char('.'));
        const QString table = dot < 0 ? QString() : name.left(dot).toUpper();
        const QString fieldName = dot < 0 ? name : name.mid(dot + 1);
        for (TDataSet* dataSet : dataSets_) {
            if (!dataSet || (dot >= 0 && dataSet->Name().toUpper() != table))
                continue;
            if (TField* field = dataSet->FindField(fieldName))
                return Put<TRpEvElementDataField>(*dataSet, field->Index());
            if (dot >= 0)
                break;
        }
        Error();
    }

    TRpFiFo& out_;
    const std::vector<TDataSet*>& dataSets_;
};

}  // namespace

void TRpEvaluator::Prepare(const QString& text)
{
    Unprepare();
    sequence_ = std::make_unique<TRpFiFo>();
    TRpCompiler(*sequence_, dataSets_).Expression(text.isEmpty() ? QStringLiteral("' '") : text, 0);
}

void TRpEvaluator::Unprepare()
{
    sequence_.reset();
}

void TRpEvaluator::Reset()
{
    if (sequence_)
        for (const auto& element : sequence_->Elements())
            element->Reset();
}

TRpEvResult TRpEvaluator::Value()
{
    if (!sequence_)
        return TRpEvResult::Error();
    sequence_->Start();
    return sequence_->NextValue();
}

bool TRpEvaluator::IsAggreg() const
{
    if (!sequence_)
        return false;
    for (const auto& element : sequence_->Elements())
        if (element->IsAggregate())
            return true;
    return false;
}

void TRpEvaluator::SetAggregate(bool aggregate)
{
    if (sequence_)
        sequence_->aggregate = aggregate;
}
