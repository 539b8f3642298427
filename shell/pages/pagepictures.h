#pragma once
// The pictures of the pages and of the folder tree, drawn rather than shipped.
// Each picture is drawn to any size, so the tree's small images and the
// pages' large ones are the same drawing.
#include <QIcon>
#include <QPixmap>
#include <optional>

enum class TPagePicture {
    Family,
    AdultMale,      // "p2admale"
    ChildMale,      // "p2cmale"
    AdultFemale,    // "p2adfem"
    ChildFemale,    // "p2cfem"
    ExpensesFolder,
    MedicalExpenses,   // "MedExp"
    Insurance,         // "bkinsur"
    FSA,               // "p2fsa"
    AddressBook,
    ToDoList,
    Internet,
    CheckupSchedule,
    ImmunizationSchedule,
    MedicalHistory,
};

QPixmap PagePicture(TPagePicture picture, const QSize& size);
QIcon PageIcon(TPagePicture picture);

// A member's picture by sex (0 male, 1 female) and age; none for another sex.
std::optional<TPagePicture> MemberPicture(qint32 sex, bool adult);
