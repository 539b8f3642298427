// Expressions of any text: compiled and evaluated, never raising or crashing.
#include "../memorydataset.h"

#include "reports/rpevaluator.h"

#include <QCoreApplication>

namespace {
MemoryDataSet* gClaims = nullptr;
}

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    new QCoreApplication(*argc, *argv);
    gClaims = new MemoryDataSet(QStringLiteral("Claims"),
                                {{QStringLiteral("Amount"), TFieldType::Float},
                                 {QStringLiteral("Visits"), TFieldType::Integer},
                                 {QStringLiteral("Co-pay"), TFieldType::SmallInt},
                                 {QStringLiteral("Notes"), TFieldType::String},
                                 {QStringLiteral("Paid"), TFieldType::Boolean},
                                 {QStringLiteral("Letter"), TFieldType::Memo}},
                                {{150.5, 3, 20, QStringLiteral("knee"), true, QStringLiteral("text")},
                                 {-1e300, -2147483647 - 1, -1, QString(), false, QString()}});
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size > 4096)
        return 0;
    TRpEvaluator evaluator;
    evaluator.SetDataSets({gClaims});
    evaluator.Prepare(QString::fromUtf8(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)));
    evaluator.IsAggreg();
    for (gClaims->First(); !gClaims->Eof(); gClaims->Next()) {
        evaluator.SetAggregate(true);
        evaluator.Value();
        evaluator.SetAggregate(false);
        evaluator.Value();
    }
    evaluator.Reset();
    evaluator.Value();
    return 0;
}
