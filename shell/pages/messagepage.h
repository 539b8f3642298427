#pragma once
// The folder page's message text: the tasks due in the next six months, the
// FSA check, this year's expense totals and the day the program was last used.
class QTextDocument;

// Writes the document anew. An FSA whose reimbursements this year exceed
// the amount elected for this year is warned of with a message box.
void WriteMessagePage(QTextDocument& document);
