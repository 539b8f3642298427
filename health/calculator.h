#pragma once
// The expense dialog's calculator button starts the desktop's calculator:
// the first of the usual calculator programs found on the PATH.
#include <QString>
#include <QStringList>

// The programs looked for, in the order tried.
const QStringList& CalculatorPrograms();
// The full path of the first one found on the PATH; empty when none is.
QString FindCalculator();

enum class TCalculatorStart { Started, NoneInstalled, Failed };
// Starts the calculator found on its own, detached from this program.
TCalculatorStart StartCalculator();
// What the user is told when the calculator does not start.
QString CalculatorFailureText(TCalculatorStart failure);
