#pragma once
// The page that introduces the address book (module 52) and opens it.
#include "tutorialpage.h"

class TFormAddrTutor : public TTutorialPage {
    Q_OBJECT
public:
    explicit TFormAddrTutor(QWidget* parent, ToolWindowFactory openAddressBook = {});
};
