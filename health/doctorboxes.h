#pragma once
// The doctor and hospital boxes of a dialog: editable lists of the doctors
// and hospitals among the business addresses, each box with the key of the
// business it names (0 for none). A name typed that is not yet a business
// becomes one, and every box of the dialog then lists it.
#include <QString>
#include <vector>

class QComboBox;
class QHBoxLayout;
class QToolButton;

// The business category of doctors and hospitals.
constexpr qint32 kDoctorsCategory = 5;

class TDoctorBoxes {
public:
    void Add(QComboBox* box);
    // A new editable box, added, in which at most `limit` characters are typed;
    // a business picked from its list is shown whole.
    QComboBox* NewBox(int limit);
    // The "..." button that opens a box's address.
    static QToolButton* NewAddressButton();
    // The box taking the width with its address button beside it.
    static QHBoxLayout* Row(QComboBox* box, QToolButton* address);
    qint32 Id(const QComboBox* box) const;
    void SetId(const QComboBox* box, qint32 id);

    // Each box anew from the database, keeping the text it shows.
    void RefillAll();
    // The text as the box's value: the item of that exact name, else typed.
    static void ShowText(QComboBox& box, const QString& text);
    // The box was left: the business of its name, added when there is none,
    // becomes the box's.
    void QuickAdd(QComboBox& box);
    // The address dialog for the business the box names; when saved, the
    // business is the box's and every box is filled again.
    void EditAddress(QComboBox& box);

private:
    struct Box {
        QComboBox* box;
        qint32 id;
    };
    Box* Find(const QComboBox* box);
    const Box* Find(const QComboBox* box) const;

    std::vector<Box> boxes_;
};
