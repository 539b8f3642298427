#include "formtodotutor.h"

#include "shell/pages/pictures.h"

namespace {

TTutorialContent ToDoListTutorial()
{
    return {
        QStringLiteral("Getting Started with the To-Do List"),
        {QStringLiteral("The to-do list keeps the things you have to do, each with a category and a due date."),
         QStringLiteral("The check-up and immunization schedules of your family members put their reminders on it "
                        "by themselves, under Doctors and Hospitals."),
         QStringLiteral("You can show the tasks of one category or up to a due date, print them, and send them by "
                        "e-mail."),
         QStringLiteral("Click the clipboard or the underlined heading to open the to-do list.")},
        QStringLiteral("To-Do List"),
        ToDoListPicture(),
        QStringLiteral("Image2"),
        QStringLiteral("JzLbTodo"),
    };
}

}  // namespace

TFormToDoTutor::TFormToDoTutor(QWidget* parent, ToolWindowFactory openToDoList)
    : TTutorialPage(parent, ToDoListTutorial(), std::move(openToDoList))
{
}
