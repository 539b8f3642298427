#include "calculator.h"

#include <QProcess>
#include <QStandardPaths>

const QStringList& CalculatorPrograms()
{
    static const QStringList programs = {
        QStringLiteral("gnome-calculator"), QStringLiteral("kcalc"),        QStringLiteral("mate-calc"),
        QStringLiteral("galculator"),       QStringLiteral("qalculate-gtk"), QStringLiteral("qalculate-qt"),
        QStringLiteral("speedcrunch"),      QStringLiteral("xcalc"),
    };
    return programs;
}

QString FindCalculator()
{
    for (const QString& program : CalculatorPrograms()) {
        const QString path = QStandardPaths::findExecutable(program);
        if (!path.isEmpty())
            return path;
    }
    return {};
}

TCalculatorStart StartCalculator()
{
    const QString path = FindCalculator();
    if (path.isEmpty())
        return TCalculatorStart::NoneInstalled;
    return QProcess::startDetached(path, {}) ? TCalculatorStart::Started : TCalculatorStart::Failed;
}

QString CalculatorFailureText(TCalculatorStart failure)
{
    if (failure == TCalculatorStart::NoneInstalled)
        return QStringLiteral("No calculator program is installed on this computer.");
    return QStringLiteral("Can not start the calculator.");
}
