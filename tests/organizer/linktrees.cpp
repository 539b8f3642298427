#include "linktrees.h"

TLinkData Folder(const QString& text)
{
    TLinkData node;
    node.text = text;
    node.folder = true;
    return node;
}

TLinkData Site(const QString& text, const QString& url)
{
    TLinkData node;
    node.text = text;
    node.url = url;
    return node;
}

TLinkTree MakeLinkTree(int folders, int linksPerFolder, const QString& mark)
{
    TLinkTree tree(QStringLiteral("Internet Health Info Resources"));
    for (int f = 0; f < folders; ++f) {
        TLinkData folder = Folder(QStringLiteral("%1 folder %2").arg(mark).arg(f));
        folder.expanded = f % 2 == 0;
        folder.note = {QStringLiteral("Folder note %1").arg(f)};
        TLinkNode& added = tree.Append(tree.Root(), folder);
        for (int l = 0; l < linksPerFolder; ++l) {
            TLinkData link = Site(QStringLiteral("%1 link %2.%3").arg(mark).arg(f).arg(l),
                                  QStringLiteral("https://health.example/%1/%2/%3").arg(mark).arg(f).arg(l));
            link.note = {QStringLiteral("Line one"), QStringLiteral("Line two of %1").arg(l)};
            tree.Append(added, link);
        }
    }
    return tree;
}
