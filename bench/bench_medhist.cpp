// Opening the medical-history dialog (creation and first showing: the
// profile, the vision, the seven doctor boxes and the five history lists)
// for a member with 500 history entries, 100 of each kind, among 40
// businesses of the doctors' category.
#include "benchfolder.h"
#include "context/context.h"
#include "health/dlgmedhist.h"
#include "health/medhistlists.h"
#include "tests/support/scriptedmessageboxes.h"

#include <benchmark/benchmark.h>

namespace {

constexpr int kPerType = 100;
constexpr int kDoctors = 40;

class Member {
public:
    Member()
    {
        DataFolder = folder_.Path();
        TTransaction transaction(DataFolder);
        folder_.Run({QStringLiteral("INSERT INTO MEDPROF (FirstName, LastName, Sex, DOB, Height, HeightUnit, Weight, Display)"),
                     QStringLiteral("VALUES ('Ann', 'Lee', 1, :DOB, 66, 0, 130, 1)")},
                    {{QStringLiteral("DOB"), Date() - 365.25 * 40}});
        for (int n = 0; n < kDoctors; ++n)
            folder_.Run({QStringLiteral("INSERT INTO BIZADDR (BusinessName, CategoryNo) VALUES (:Name, 5)")},
                        {{QStringLiteral("Name"), QStringLiteral("Dr. Number %1").arg(n)}});
        for (int type = 0; type <= 4; ++type)
            for (int n = 0; n < kPerType; ++n)
                folder_.Run({QStringLiteral("INSERT INTO MEDHIST (MemberID, RecordType, Field1, Field2, Field3, Field4, Bdate, Edate, DoctorID, Note)"),
                             QStringLiteral("VALUES (1, :RecordType, :Name, 'Detail', :Name, 'Dr. Number 1', :BDate, :EDate, 2, 'A note')")},
                            {{QStringLiteral("RecordType"), type},
                             {QStringLiteral("Name"), QStringLiteral("Entry %1 of kind %2").arg(n).arg(type)},
                             {QStringLiteral("BDate"), Date() - 900 + n},
                             {QStringLiteral("EDate"), Date() - 800 + n}});
        transaction.Commit();
        CurMemberID = 1;
    }
    ~Member() { DataFolder.clear(); }
    bool Warned() const { return !boxes_.shown.isEmpty(); }

private:
    BenchFolder folder_;
    ScriptedMessageBoxes boxes_;
};

void OpenMedicalHistory(benchmark::State& state)
{
    Member member;
    for (auto _ : state) {
        TDlgMedHist dialog;
        dialog.show();
        benchmark::DoNotOptimize(dialog.HistoryTab(4).GroupCaption());
    }
    if (member.Warned())
        state.SkipWithError("the dialog showed a message box");
}
BENCHMARK(OpenMedicalHistory)->Unit(benchmark::kMillisecond);

}  // namespace
