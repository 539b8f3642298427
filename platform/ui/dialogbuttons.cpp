#include "dialogbuttons.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QPushButton>

QDialogButtonBox* OkCancelBox(QDialog& dialog, QPushButton* ok, QPushButton* cancel)
{
    auto* box = new QDialogButtonBox(&dialog);
    box->addButton(ok, QDialogButtonBox::AcceptRole);
    box->addButton(cancel, QDialogButtonBox::RejectRole);
    return box;
}
