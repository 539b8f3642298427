#pragma once
// The payments page (module 131): the yearly statement of medical payments
// for the chosen patient, coverage and insurer, with the year's totals; the
// payments are added, edited and deleted through the payment dialog.
#include <QList>
#include <QWidget>
#include <vector>

class QLabel;
class QPushButton;
class QStackedWidget;
class QTableWidget;
class QToolButton;
class TClickLabel;
class TEfController;
class TEfNumericField;
struct TStatementRow;
struct TStatementTotals;

class TFormMedPay : public QWidget {
    Q_OBJECT
public:
    // Shows the statement of the year and the view the program last showed.
    explicit TFormMedPay(QWidget* parent);

    QLabel* LabelFilter = nullptr;
    QToolButton* SBCategory = nullptr;
    QToolButton* Label1Year_left_SpeedButton = nullptr;
    QLabel* LabelYear = nullptr;
    QToolButton* Label1Year_right_SpeedButton = nullptr;
    QTableWidget* StringGrid1 = nullptr;
    TEfController* EfController1 = nullptr;
    TEfNumericField* EditAmount = nullptr;
    TEfNumericField* EditInsPay = nullptr;
    TEfNumericField* EditOutOfPocket = nullptr;
    QPushButton* ButtonAdd = nullptr;
    QPushButton* ButtonEdit = nullptr;
    QPushButton* ButtonDelete = nullptr;
    QStackedWidget* Notebook = nullptr;
    TClickLabel* Label2 = nullptr;

    // The payment of each grid row, 0 for an empty row.
    const QList<qint32>& RowKeys() const { return rowKeys_; }
    int LastFilledRow() const { return lastFilledRow_; }

    void LoadStatement();
    void YearLeftClick();
    void YearRightClick();
    void LCategorySelectClick();
    void ButtonAddClick();
    void ButtonEditClick();
    void ButtonDeleteClick();
    void StringGrid1DblClick(int row);
    void Label2Click();

protected:
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* BuildHeading();
    QWidget* BuildGrid();
    QWidget* BuildTotals();
    QWidget* BuildHelp();
    void LayOutColumns();
    void ShowYear();
    void FillRows(const std::vector<TStatementRow>& rows);
    void ScrollToRows();
    void ShowTotals(const TStatementTotals& totals);
    qint32 SelectedKey() const;
    void OpenPayment(qint32 medId);

    QList<qint32> rowKeys_;
    int lastFilledRow_ = -1;
    bool scrollToLast_ = false;
    QWidget* totalsGap_ = nullptr;
    QWidget* help_ = nullptr;
};
