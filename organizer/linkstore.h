#pragma once
// The link tree kept in its table, one row a node in pre-order. The table is
// made from the delivered template when the tree is first saved; reading
// never writes. Both raise EDatabaseError when the database fails.
#include "linktree.h"

#include <QString>

// The tree of the table in the data folder under a root of the caption; the
// root alone when the table is not there yet.
TLinkTree LoadLinkTree(const QString& table, const QString& rootCaption);

// Writes the tree over the table's rows in one transaction, making the table
// from the template first when it is missing: a failure leaves the rows as
// they were.
void SaveLinkTree(const QString& table, const TLinkTree& tree);

// The template the link tables are made from.
inline const QString kLinkTemplateTable = QStringLiteral("iirtmpl");
