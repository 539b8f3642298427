#include "formaddrtutor.h"

#include "shell/pages/pictures.h"

namespace {

TTutorialContent AddressBookTutorial()
{
    return {
        QStringLiteral("Getting Started with the Address Book"),
        {QStringLiteral("The address book keeps the names, addresses and telephone numbers of your doctors, "
                        "hospitals, pharmacies, insurance companies and the other businesses you deal with."),
         QStringLiteral("The doctors and hospitals you name in your family's medical records are taken from it, "
                        "and new ones you enter there are added to it."),
         QStringLiteral("You can choose the columns it shows, search it, and print it as cards or as a report."),
         QStringLiteral("Click the book or the underlined heading to open the address book.")},
        QStringLiteral("Address Book"),
        AddressBookPicture(),
        QStringLiteral("Image1"),
        QStringLiteral("JzLbAddrbk"),
    };
}

}  // namespace

TFormAddrTutor::TFormAddrTutor(QWidget* parent, ToolWindowFactory openAddressBook)
    : TTutorialPage(parent, AddressBookTutorial(), std::move(openAddressBook))
{
}
