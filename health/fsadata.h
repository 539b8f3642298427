#pragma once
// A flexible spending account: its MEDINS row (the employer's name) and one
// MEDYEAR row per tax year with the amount elected and a note. Every routine
// raises EDatabaseError when the database fails; user text is bound.
#include "records/common/currencytext.h"

#include <QString>
#include <QStringList>
#include <optional>

inline constexpr qint32 kFsaAccountType = 5;

// What the FSA dialog saves: the employer and the election of the year shown.
struct TFsaElection {
    QString employerName;
    int year = 0;
    std::optional<qint64> electedCents;   // nothing: the box is empty
    QStringList note;
};

// A tax year left empty would file the election under year 0, where no
// opening of the dialog shows it again.
enum class TFsaRefusal { EmployerName, TaxYear, ElectedAmount };
std::optional<TFsaRefusal> CheckFsaEntry(const TFsaElection& entry);
QString FsaRefusalText(TFsaRefusal refusal);

// Empty when the account has no row.
std::optional<QString> ReadAccountName(qint32 accountId);

struct TFsaYear {
    qint64 electedCents = 0;
    QStringList note;
};
// Empty when nothing was elected for the year.
std::optional<TFsaYear> ReadFsaYear(qint32 accountId, int year);

// A new FSA with the election of the year, in one transaction; its AccountID.
qint32 InsertFsaAccount(const TFsaElection& entry);
// Renames the FSA and writes the election of the year (a new row for a
// year without one), in one transaction; EDatabaseError when the FSA is gone.
void UpdateFsaAccount(qint32 accountId, const TFsaElection& entry);

// An amount of the FSA's labels: thousands grouped, two decimals, no
// currency (the label before it carries one); -1.00 when too big to show.
QString FsaAmountText(std::optional<qint64> cents);
// Elected less reimbursed; nothing when too big to show.
std::optional<qint64> FsaBalance(qint64 electedCents, const TCentsSum& reimbursed);
