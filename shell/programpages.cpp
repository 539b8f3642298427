#include "formaddrtutor.h"
#include "formtodotutor.h"
#include "modulepages.h"
#include "shell/context/navigation.h"

ModulePageTable ProgramPages()
{
    ModulePageTable pages;
    pages.Register(ModToDoTutor, [](QWidget* parent) { return new TFormToDoTutor(parent); });
    pages.Register(ModAddrTutor, [](QWidget* parent) { return new TFormAddrTutor(parent); });
    return pages;
}
