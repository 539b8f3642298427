#pragma once
// The small window that picks a member, an insurance account or an FSA from
// a list and deletes it.
#include <QDialog>
#include <functional>

class QComboBox;
class QLabel;
class QPushButton;
class TQuery;

class TFormDeleteMem : public QDialog {
    Q_OBJECT
public:
    enum Mode : qint32 { DeleteMemberMode = 0, DeleteInsuranceMode = 1, DeleteFSAMode = 2 };

    TFormDeleteMem(QWidget* parent, Mode mode);

    QLabel* LabelPrompt = nullptr;
    QComboBox* CBMember = nullptr;
    QPushButton* BtnDelete = nullptr;
    QPushButton* BtnCancel = nullptr;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void FormShow();
    void WarnWhenUp(const QString& text);
    void FillList(const QStringList& sql, const QString& keyField, const std::function<QString(TQuery&)>& itemText);
    void BtnDeleteClick();

    Mode mode_;
    bool shown_ = false;
};
