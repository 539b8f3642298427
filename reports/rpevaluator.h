#pragma once
// The expression evaluator of report controls and group bands. A text is
// compiled once into a flat prefix sequence of elements and evaluated as
// often as the report asks. Nothing raises: every failure is an error value
// that propagates through operators and functions.
#include "platform/dataset.h"

#include <QString>
#include <functional>
#include <map>
#include <memory>
#include <vector>

enum class TRpEvKind : quint8 { Integer = 0, Float = 1, String = 2, Boolean = 3, Error = 4 };

struct TRpEvResult {
    static constexpr int kMaxStringLength = 255;

    TRpEvKind kind = TRpEvKind::Error;
    qint32 integer = 0;
    double number = 0;
    QString text;   // at most 255 characters
    bool boolean = false;

    static TRpEvResult Integer(qint32 value);
    static TRpEvResult Float(double value);
    static TRpEvResult String(const QString& value);
    static TRpEvResult Boolean(bool value);
    static TRpEvResult Error() { return {}; }

    bool IsError() const { return kind == TRpEvKind::Error; }
    bool IsNumber() const { return kind == TRpEvKind::Integer || kind == TRpEvKind::Float; }
    double AsDouble() const { return kind == TRpEvKind::Integer ? integer : number; }
};

class TRpFiFo;

class TRpEvElement {
public:
    virtual ~TRpEvElement() = default;
    // Takes its operands or arguments from the sequence.
    virtual TRpEvResult Value(TRpFiFo& sequence) = 0;
    // Clears totals.
    virtual void Reset() {}
    virtual bool IsAggregate() const { return false; }
    virtual bool IsArgumentEnd() const { return false; }
};

// The compiled sequence, read from the start on each evaluation.
class TRpFiFo {
public:
    void Put(std::unique_ptr<TRpEvElement> element) { elements_.push_back(std::move(element)); }
    // Null past the end.
    TRpEvElement* Get();
    void Start() { position_ = 0; }
    // The value of the next element; an error past the end.
    TRpEvResult NextValue();

    const std::vector<std::unique_ptr<TRpEvElement>>& Elements() const { return elements_; }
    bool aggregate = false;

private:
    std::vector<std::unique_ptr<TRpEvElement>> elements_;
    size_t position_ = 0;
};

using TRpEvArguments = std::vector<TRpEvResult>;

// A library function: gathers its arguments up to the argument end, takes
// them into its totals in aggregate mode, then calculates.
class TRpEvElementFunction : public TRpEvElement {
public:
    TRpEvResult Value(TRpFiFo& sequence) final;

protected:
    virtual void Aggregate(const TRpEvArguments&) {}
    virtual TRpEvResult Calculate(const TRpEvArguments& arguments) = 0;
};

class TRpLibrary {
public:
    using Factory = std::function<std::unique_ptr<TRpEvElementFunction>()>;
    struct Entry {
        QString name;
        QString description;   // the template, "|", and what it does
        QString vendor;
        QString code;          // group digit and argument kinds
        Factory factory;
    };

    void Add(Factory factory, const QString& name, const QString& description, const QString& vendor,
             const QString& code);
    const Entry* Find(const QString& name) const;
    // A new element of the named function, or an error element.
    std::unique_ptr<TRpEvElement> GetFunction(const QString& name) const;

private:
    std::map<QString, Entry> entries_;
};

// The one library of the program's functions.
const TRpLibrary& TRpFunctionLibrary();

class TRpEvaluator {
public:
    // The datasets whose fields expressions may name; not owned.
    void SetDataSets(std::vector<TDataSet*> dataSets) { dataSets_ = std::move(dataSets); }

    void Prepare(const QString& text);
    void Unprepare();
    bool Prepared() const { return sequence_ != nullptr; }
    void Reset();
    TRpEvResult Value();
    bool IsAggreg() const;
    void SetAggregate(bool aggregate);

private:
    std::vector<TDataSet*> dataSets_;
    std::unique_ptr<TRpFiFo> sequence_;
};

// The error element, also what a text that cannot be compiled becomes.
class TRpEvElementError : public TRpEvElement {
public:
    TRpEvResult Value(TRpFiFo&) override { return TRpEvResult::Error(); }
};

// The type name TYPEOF gives for a kind.
QString EvKindName(TRpEvKind kind);
