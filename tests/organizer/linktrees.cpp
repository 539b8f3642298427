#include "linktrees.h"

TLinkTree MakeLinkTree(int folders, int linksPerFolder, const QString& mark)
{
    TLinkTree tree(QStringLiteral("Internet Health Info Resources"));
    for (int f = 0; f < folders; ++f) {
        TLinkData folder;
        folder.text = QStringLiteral("%1 folder %2").arg(mark).arg(f);
        folder.folder = true;
        folder.expanded = f % 2 == 0;
        folder.note = {QStringLiteral("Folder note %1").arg(f)};
        TLinkNode& added = tree.Append(tree.Root(), folder);
        for (int l = 0; l < linksPerFolder; ++l) {
            TLinkData link;
            link.text = QStringLiteral("%1 link %2.%3").arg(mark).arg(f).arg(l);
            link.url = QStringLiteral("https://health.example/%1/%2/%3").arg(mark).arg(f).arg(l);
            link.note = {QStringLiteral("Line one"), QStringLiteral("Line two of %1").arg(l)};
            tree.Append(added, link);
        }
    }
    return tree;
}
