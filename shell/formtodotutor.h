#pragma once
// The page that introduces the to-do list (module 13) and opens it.
#include "tutorialpage.h"

class TFormToDoTutor : public TTutorialPage {
    Q_OBJECT
public:
    explicit TFormToDoTutor(QWidget* parent, ToolWindowFactory openToDoList = {});
};
