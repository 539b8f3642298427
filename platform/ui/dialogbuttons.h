#pragma once

class QDialog;
class QDialogButtonBox;
class QPushButton;

// OK and Cancel in the platform's order, in a box made in the dialog, for
// the dialog's layout to place. OK, marked default before, so becomes the
// dialog's default button, which Enter in a field presses however the caret
// went round the buttons; put in a box that no dialog holds yet, it would
// not, and the first button the caret passed would take its place. Make it
// once the fields are in the dialog: the box joins the Tab order there, and
// made first it would take the caret when the dialog opens.
QDialogButtonBox* OkCancelBox(QDialog& dialog, QPushButton* ok, QPushButton* cancel);
