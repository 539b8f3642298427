// The function library of report expressions.
#include "rpevaluator.h"
#include "rpformat.h"

#include "platform/formatsettings.h"

#include <cmath>
#include <optional>

namespace {

bool OneArgument(const TRpEvArguments& arguments, TRpEvKind kind)
{
    return arguments.size() == 1 && arguments[0].kind == kind;
}

bool OneNumber(const TRpEvArguments& arguments)
{
    return arguments.size() == 1 && arguments[0].IsNumber();
}

class TRpEvFuncIf : public TRpEvElementFunction {
    TRpEvResult Calculate(const TRpEvArguments& a) override
    {
        if (a.size() != 3 || a[0].kind != TRpEvKind::Boolean)
            return TRpEvResult::Error();
        return a[0].boolean ? a[1] : a[2];
    }
};

class TRpEvFuncStr : public TRpEvElementFunction {
    TRpEvResult Calculate(const TRpEvArguments& a) override
    {
        if (a.size() != 1)
            return TRpEvResult::Error();
        switch (a[0].kind) {
        case TRpEvKind::Integer: return TRpEvResult::String(QString::number(a[0].integer));
        case TRpEvKind::Float: return TRpEvResult::String(FloatToStr(a[0].number));
        case TRpEvKind::Boolean: return TRpEvResult::String(a[0].boolean ? QStringLiteral("True") : QStringLiteral("False"));
        default: return TRpEvResult::Error();
        }
    }
};

// UPPER, LOWER and PRETTY: one string changed by a rule.
class TRpEvFuncText : public TRpEvElementFunction {
public:
    explicit TRpEvFuncText(QString (*change)(const QString&)) : change_(change) {}

private:
    TRpEvResult Calculate(const TRpEvArguments& a) override
    {
        return OneArgument(a, TRpEvKind::String) ? TRpEvResult::String(change_(a[0].text)) : TRpEvResult::Error();
    }
    QString (*change_)(const QString&);
};

QString Upper(const QString& s)
{
    return s.toUpper();
}

QString Lower(const QString& s)
{
    return s.toLower();
}

QString Pretty(const QString& s)
{
    return s.left(1).toUpper() + s.mid(1).toLower();
}

// TIME, DATE, TRUE and FALSE: a value of their own and no arguments.
class TRpEvFuncNoArguments : public TRpEvElementFunction {
public:
    explicit TRpEvFuncNoArguments(std::function<TRpEvResult()> value) : value_(std::move(value)) {}

private:
    TRpEvResult Calculate(const TRpEvArguments& a) override { return a.empty() ? value_() : TRpEvResult::Error(); }
    std::function<TRpEvResult()> value_;
};

class TRpEvFuncCopy : public TRpEvElementFunction {
    TRpEvResult Calculate(const TRpEvArguments& a) override
    {
        if (a.size() != 3 || a[0].kind != TRpEvKind::String || a[1].kind != TRpEvKind::Integer ||
            a[2].kind != TRpEvKind::Integer)
            return TRpEvResult::Error();
        const QString& s = a[0].text;
        const qint64 start = std::max<qint64>(a[1].integer, 1);
        const qint64 count = std::min<qint64>(a[2].integer, s.size() - start + 1);
        if (count <= 0)
            return TRpEvResult::String(QString());
        return TRpEvResult::String(s.mid(start - 1, count));
    }
};

class TRpEvFuncInt : public TRpEvElementFunction {
    TRpEvResult Calculate(const TRpEvArguments& a) override
    {
        if (!OneNumber(a))
            return TRpEvResult::Error();
        if (a[0].kind == TRpEvKind::Integer)
            return a[0];
        const double whole = std::trunc(a[0].number);
        if (!(whole >= INT32_MIN && whole <= INT32_MAX))
            return TRpEvResult::Error();
        return TRpEvResult::Integer(static_cast<qint32>(whole));
    }
};

class TRpEvFuncFrac : public TRpEvElementFunction {
    TRpEvResult Calculate(const TRpEvArguments& a) override
    {
        if (!OneNumber(a) || !std::isfinite(a[0].AsDouble()))
            return TRpEvResult::Error();
        const double v = a[0].AsDouble();
        return TRpEvResult::Float(v - std::trunc(v));
    }
};

class TRpEvFuncSqrt : public TRpEvElementFunction {
    TRpEvResult Calculate(const TRpEvArguments& a) override
    {
        if (!OneNumber(a) || !(a[0].AsDouble() >= 0))
            return TRpEvResult::Error();
        return TRpEvResult::Float(std::sqrt(a[0].AsDouble()));
    }
};

class TRpEvFuncTypeOf : public TRpEvElementFunction {
    TRpEvResult Calculate(const TRpEvArguments& a) override
    {
        return a.size() == 1 ? TRpEvResult::String(EvKindName(a[0].kind)) : TRpEvResult::Error();
    }
};

class TRpEvFuncFormatNumeric : public TRpEvElementFunction {
    TRpEvResult Calculate(const TRpEvArguments& a) override
    {
        if (a.size() != 2 || a[0].kind != TRpEvKind::String || !a[1].IsNumber())
            return TRpEvResult::Error();
        return TRpEvResult::String(FormatFloat(a[0].text, a[1].AsDouble()));
    }
};

// Totals kept across records until reset.
class TRpEvAggregate : public TRpEvElementFunction {
public:
    bool IsAggregate() const override { return true; }
};

TRpEvResult Add(const TRpEvResult& total, const TRpEvResult& value)
{
    if (total.kind == TRpEvKind::Integer && value.kind == TRpEvKind::Integer)
        return TRpEvResult::Integer(static_cast<qint32>(static_cast<quint32>(total.integer) + static_cast<quint32>(value.integer)));
    return TRpEvResult::Float(total.AsDouble() + value.AsDouble());
}

// SUM, and AVERAGE on top of it. Integers and floats mixed add as floats.
class TRpEvFuncSum : public TRpEvAggregate {
public:
    void Reset() override
    {
        total_ = TRpEvResult::Error();
        hasValue_ = false;
        count_ = 0;
    }

protected:
    void Aggregate(const TRpEvArguments& a) override
    {
        if (a.size() != 1)
            return;
        if (!a[0].IsNumber())
            total_ = TRpEvResult::Error();
        else if (!hasValue_)
            total_ = a[0];
        else if (!total_.IsError())
            total_ = Add(total_, a[0]);
        hasValue_ = true;
        ++count_;
    }
    TRpEvResult Calculate(const TRpEvArguments& a) override
    {
        return a.size() == 1 && hasValue_ ? total_ : TRpEvResult::Error();
    }

    TRpEvResult total_;
    bool hasValue_ = false;
    int count_ = 0;
};

class TRpEvFuncAverage : public TRpEvFuncSum {
    TRpEvResult Calculate(const TRpEvArguments& a) override
    {
        if (a.size() != 1 || (hasValue_ && total_.IsError()))
            return TRpEvResult::Error();
        return TRpEvResult::Float(count_ == 0 ? 0.0 : total_.AsDouble() / count_);
    }
};

// Greater for MAX, smaller for MIN; false below true.
std::optional<bool> Greater(const TRpEvResult& a, const TRpEvResult& b)
{
    if (a.IsNumber() && b.IsNumber())
        return a.AsDouble() > b.AsDouble();
    if (a.kind != b.kind)
        return std::nullopt;
    if (a.kind == TRpEvKind::String)
        return QString::compare(a.text, b.text, Qt::CaseSensitive) > 0;
    if (a.kind == TRpEvKind::Boolean)
        return a.boolean && !b.boolean;
    return std::nullopt;
}

class TRpEvFuncExtreme : public TRpEvAggregate {
public:
    explicit TRpEvFuncExtreme(bool highest) : highest_(highest) {}
    void Reset() override
    {
        best_ = TRpEvResult::Error();
        hasValue_ = false;
    }

private:
    void Aggregate(const TRpEvArguments& a) override
    {
        if (a.size() != 1 || (hasValue_ && best_.IsError()))
            return;
        if (!hasValue_) {
            best_ = a[0];
            hasValue_ = true;
            return;
        }
        const auto greater = highest_ ? Greater(a[0], best_) : Greater(best_, a[0]);
        if (!greater)
            best_ = TRpEvResult::Error();
        else if (*greater)
            best_ = a[0];
    }
    TRpEvResult Calculate(const TRpEvArguments& a) override
    {
        return a.size() == 1 && hasValue_ ? best_ : TRpEvResult::Error();
    }

    bool highest_;
    TRpEvResult best_;
    bool hasValue_ = false;
};

class TRpEvFuncCount : public TRpEvAggregate {
public:
    void Reset() override { count_ = 0; }

private:
    void Aggregate(const TRpEvArguments& a) override
    {
        if (a.empty())
            ++count_;
    }
    TRpEvResult Calculate(const TRpEvArguments& a) override
    {
        return a.empty() ? TRpEvResult::Integer(count_) : TRpEvResult::Error();
    }
    qint32 count_ = 0;
};

template <typename T, typename... Args>
TRpLibrary::Factory Make(Args... args)
{
    return [=] { return std::make_unique<T>(args...); };
}

TRpLibrary::Factory Constant(TRpEvResult (*value)())
{
    return Make<TRpEvFuncNoArguments>(std::function<TRpEvResult()>(value));
}

TRpLibrary BuildLibrary()
{
    TRpLibrary library;
    const auto add = [&library](TRpLibrary::Factory factory, const char* name, const char* usage,
                                const char* text, const char* code) {
        library.Add(std::move(factory), QString::fromLatin1(name),
                    QString::fromLatin1(usage) + QLatin1Char('|') + QString::fromLatin1(text), QString(),
                    QString::fromLatin1(code));
    };
    add(Make<TRpEvFuncIf>(), "IF", "IF(<Exp>, <X>, <Y>)",
        "Returns <X> or <Y> depending on the boolean expression <Exp>", "5BVV");
    add(Make<TRpEvFuncStr>(), "STR", "STR(<X>)", "Convert a numeric <X> to a string", "7N");
    add(Make<TRpEvFuncText>(&Upper), "UPPER", "UPPER(<X>)", "Converts a string to upper case letters", "7S");
    add(Make<TRpEvFuncText>(&Lower), "LOWER", "LOWER(<X>)", "Converts a string to lower case letters", "7S");
    add(Make<TRpEvFuncText>(&Pretty), "PRETTY", "PRETTY(<X>)",
        "Makes the first character upper case and the rest lower case", "7S");
    add(Constant([] { return TRpEvResult::String(TimeToStr(Time())); }), "TIME", "TIME",
        "Return current time as a string", "1");
    add(Constant([] { return TRpEvResult::String(DateToStr(Date())); }), "DATE", "DATE",
        "Return current date as a string", "1");
    add(Make<TRpEvFuncCopy>(), "COPY", "COPY(<X>, <St>,<Len>)", "Returns a substring of string X", "7SNN");
    add(Make<TRpEvFuncSum>(), "SUM", "SUM(<X>)", "Sums the numeric <X>", "3N");
    add(Make<TRpEvFuncCount>(), "COUNT", "COUNT", "Increments for each iteration", "3");
    add(Make<TRpEvFuncExtreme>(true), "MAX", "MAX(<X>)", "Returns the highest <X>", "3V");
    add(Make<TRpEvFuncExtreme>(false), "MIN", "MIN(<X>)", "Returns the lowest <X>", "3V");
    add(Make<TRpEvFuncAverage>(), "AVERAGE", "AVERAGE(<X>)", "Returns the average of numeric <X>", "3N");
    add(Constant([] { return TRpEvResult::Boolean(true); }), "TRUE", "TRUE", "boolean value", "5");
    add(Constant([] { return TRpEvResult::Boolean(false); }), "FALSE", "FALSE", "boolean value", "5");
    add(Make<TRpEvFuncInt>(), "INT", "INT(<X>)", "Returns the integer part of <X>", "2N");
    add(Make<TRpEvFuncFrac>(), "FRAC", "FRAC(<X>)", "Returns the fractional part of <X>", "2N");
    add(Make<TRpEvFuncSqrt>(), "SQRT", "SQRT(<X>)", "Returns square root of <X>", "2N");
    add(Make<TRpEvFuncTypeOf>(), "TYPEOF", "TYPEOF(<Exp>)", "Returns the data type of <Exp>", "6N");
    add(Make<TRpEvFuncFormatNumeric>(), "FORMATNUMERIC", "FORMATNUMERIC(<F>,<N>",
        "Formats numeric <N> using the mask in <F>", "7SN");
    return library;
}

}  // namespace

const TRpLibrary& TRpFunctionLibrary()
{
    static const TRpLibrary library = BuildLibrary();
    return library;
}
