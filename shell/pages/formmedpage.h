#pragma once
// A member's medical page (module 132): the member's check-up schedule,
// medical history and immunization schedule.
#include <QWidget>

class QLabel;
class TClickLabel;
enum class TDialogID;

class TFormMedPage : public QWidget {
    Q_OBJECT
public:
    // The member is the one of CurMemberID.
    explicit TFormMedPage(QWidget* parent);

    qint32 MemberID() const { return memberID_; }

    QLabel* JazLabel1 = nullptr;
    TClickLabel* ImgCheckup = nullptr;
    TClickLabel* ImgRecord = nullptr;
    TClickLabel* ImgImmu = nullptr;

private:
    void OpenForMember(TDialogID dialog);

    qint32 memberID_;
};

// Whether a member's page still has its member.
bool MemberOnRecord(qint32 memberID);
