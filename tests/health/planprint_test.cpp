// The plan report from its form: the accounts listed by kind, the ones
// ticked and selected printed, and the report's text export.
#include "insuranceenv.h"
#include "printoutcapture.h"

#include "health/filterform.h"
#include "health/insurancedata.h"

#include <QCheckBox>
#include <QListWidget>
#include <QPushButton>

namespace {

class PlanPrint : public InsuranceEnv {};

QStringList Texts(const QListWidget& list)
{
    QStringList texts;
    for (int row = 0; row < list.count(); ++row)
        texts << list.item(row)->text();
    return texts;
}

QStringList Simplified(const QStringList& lines)
{
    QStringList out;
    for (const QString& line : lines)
        out << line.simplified();
    return out;
}

TEST_F(PlanPrint, TheChosenAccountsArePreviewedAndExportLineByLine)
{
    const qint32 ann = AddMemberNamed(QStringLiteral("Ann"), {}, QStringLiteral("O'Neil"));
    TInsurancePlan entry = GoodEntry();
    entry.companyName = QStringLiteral("Blue");
    entry.indAnnual = {1, 2999};
    InsertInsuranceAccount(entry, {ann});
    entry.companyName = QStringLiteral("Smile");
    entry.typeIndex = 1;
    InsertInsuranceAccount(entry, {});
    const qint32 acme = AddAccountRow(5, QStringLiteral("Acme"));
    AddYear(acme, 2024, 1999.99, QStringLiteral("Glasses"));

    TFilterForm form;
    form.show();
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Insurance/FSA report"));
    EXPECT_EQ(Texts(*form.LBInsurance), (QStringList{"Blue(Medical)", "Smile(Dental)"}));
    EXPECT_EQ(Texts(*form.LBFSA), QStringList{"Acme"});
    EXPECT_FALSE(form.CheckBox2->isChecked());
    EXPECT_FALSE(form.CheckBox3->isChecked());
    form.CheckBox2->setChecked(true);
    form.CheckBox3->setChecked(true);
    form.LBInsurance->item(0)->setSelected(true);
    form.LBFSA->item(0)->setSelected(true);
    SavePicture(form, QStringLiteral("plan_report_form"));

    const TCapturedPrintout out = CapturePrintout([&] { form.BtnPreview->click(); }, QStringLiteral("plan_report_page1"));
    EXPECT_EQ(out.pages, 1);
    EXPECT_EQ(out.pdfPages, 1);
    const QStringList lines = Simplified(out.textLines);
    // Captions longer than their column wrap under themselves; the text
    // export puts their first line beside the value.
    const QStringList expected = {
        "Insurance/FSA Report",
        "Blue Insurance",
        "Account Type: Medical Insurance",
        "Subscriber Number:",
        "Group Number:",
        "Effective Date: 1/1/2024",
        "Copay: No co-payment.",
        "Premium: $0.00 per 0",
        "Max. Annual Benefit for $29.99",
        "Max. Lifetime Benefit for No limit.",
        "Covered Members: Ann O'Neil;",
        "FSA with Acme",
        "Year: 2024",
        "Elected Amount: $1,999.99",
        "Note: Glasses",
    };
    for (const QString& line : expected)
        EXPECT_TRUE(lines.contains(line)) << line.toStdString() << " in\n" << lines.join(QLatin1Char('\n')).toStdString();
    EXPECT_FALSE(lines.join(QLatin1Char(' ')).contains(QStringLiteral("Smile")));
}

}  // namespace
