#include "linktree.h"

#include "textlines.h"

#include <algorithm>

namespace {

void Walk(TLinkNode& node, std::vector<TLinkNode*>& nodes)
{
    nodes.push_back(&node);
    for (const auto& child : node.Children())
        Walk(*child, nodes);
}

QString Quoted(const QString& text)
{
    return QLatin1Char('"') + text + QLatin1Char('"');
}

}  // namespace

int TLinkNode::Level() const
{
    int level = 0;
    for (const TLinkNode* node = parent_; node; node = node->parent_)
        ++level;
    return level;
}

int TLinkNode::Index() const
{
    if (!parent_)
        return 0;
    const auto& siblings = parent_->children_;
    const auto at = std::find_if(siblings.begin(), siblings.end(), [this](const auto& sibling) {
        return sibling.get() == this;
    });
    return static_cast<int>(at - siblings.begin());
}

bool TLinkNode::Holds(const TLinkNode& node) const
{
    for (const TLinkNode* above = &node; above; above = above->parent_)
        if (above == this)
            return true;
    return false;
}

TLinkTree::TLinkTree(const QString& rootCaption) : root_(std::make_unique<TLinkNode>())
{
    root_->text = rootCaption;
    root_->folder = true;
    root_->expanded = true;
}

std::vector<TLinkNode*> TLinkTree::PreOrder() const
{
    std::vector<TLinkNode*> nodes;
    Walk(*root_, nodes);
    return nodes;
}

int TLinkTree::AbsoluteIndex(const TLinkNode& node) const
{
    const std::vector<TLinkNode*> nodes = PreOrder();
    const auto at = std::find(nodes.begin(), nodes.end(), &node);
    return at == nodes.end() ? -1 : static_cast<int>(at - nodes.begin());
}

TLinkNode* TLinkTree::NodeAt(int absoluteIndex) const
{
    const std::vector<TLinkNode*> nodes = PreOrder();
    if (absoluteIndex < 0 || absoluteIndex >= static_cast<int>(nodes.size()))
        return nullptr;
    return nodes[static_cast<size_t>(absoluteIndex)];
}

TLinkNode& TLinkTree::Append(TLinkNode& parent, const TLinkData& data)
{
    auto child = std::make_unique<TLinkNode>();
    static_cast<TLinkData&>(*child) = data;
    child->parent_ = &parent;
    parent.children_.push_back(std::move(child));
    return *parent.children_.back();
}

void TLinkTree::SortChildren(TLinkNode& parent)
{
    std::stable_sort(parent.children_.begin(), parent.children_.end(), [](const auto& a, const auto& b) {
        return a->text.compare(b->text, Qt::CaseInsensitive) < 0;
    });
}

void TLinkTree::Remove(TLinkNode& node)
{
    if (node.IsRoot())
        return;
    auto& siblings = node.parent_->children_;
    siblings.erase(siblings.begin() + node.Index());
}

void TLinkTree::MoveTo(TLinkNode& node, TLinkNode& newParent)
{
    if (node.IsRoot() || node.Holds(newParent))
        return;
    auto& siblings = node.parent_->children_;
    const auto at = siblings.begin() + node.Index();
    std::unique_ptr<TLinkNode> moved = std::move(*at);
    siblings.erase(at);
    moved->parent_ = &newParent;
    newParent.children_.push_back(std::move(moved));
}

TLinkNode* AddLink(TLinkTree& tree, const TURLFold& entry)
{
    TLinkNode* parent = tree.NodeAt(entry.targetFolder);
    if (!parent || entry.description.isEmpty())
        return nullptr;
    TLinkData node;
    node.text = entry.description;
    node.folder = entry.linkFlag == 0;
    if (!node.folder)
        node.url = entry.url;
    node.note = entry.note;
    TLinkNode& added = tree.Append(*parent, node);
    parent->expanded = true;
    tree.SortChildren(*parent);
    return &added;
}

std::optional<TLinkRefusal> CheckNewLink(bool webSite, const QString& description, const QString& url,
                                         bool folderChosen)
{
    if (description.trimmed().isEmpty())
        return TLinkRefusal{QStringLiteral("Please enter description."), TLinkField::Description};
    if (webSite && url.trimmed() == kDefaultLinkURL)
        return TLinkRefusal{QStringLiteral("Please enter URL (web site address)."), TLinkField::URL};
    if (!folderChosen) {
        const QString what = webSite ? QStringLiteral("web site address") : QStringLiteral("new folder");
        return TLinkRefusal{QStringLiteral("Please select a folder in which you want the %1 created.").arg(what),
                            TLinkField::Description};
    }
    return std::nullopt;
}

std::optional<TLinkRefusal> CheckEditedLink(const QString& description, const QString& url, bool webSite)
{
    if (description.trimmed().isEmpty())
        return TLinkRefusal{QStringLiteral("Please enter a description.  It is required."), TLinkField::Description};
    if (webSite && url.trimmed().isEmpty())
        return TLinkRefusal{QStringLiteral("Please enter a URL (web site address).  It is required."),
                            TLinkField::URL};
    return std::nullopt;
}

std::optional<QString> EditRefusal(const TLinkNode* selected)
{
    if (!selected)
        return QStringLiteral("Please select an item to edit.");
    if (selected->IsRoot())
        return QStringLiteral("Sorry.  This folder cannot be edited.");
    return std::nullopt;
}

void ApplyEdit(TLinkNode& node, const QString& description, const QString& url, const QStringList& noteLines)
{
    node.text = description.trimmed();
    node.url = url.trimmed();
    CopyTextLines(node.note, noteLines);
}

std::optional<QString> DeleteRefusal(const TLinkNode* selected)
{
    if (!selected)
        return QStringLiteral("Please selected an item in the list to delete.");
    if (selected->IsRoot())
        return QStringLiteral("Sorry.  This folder cannot be deleted.");
    return std::nullopt;
}

QString DeleteQuestion(const TLinkNode& node)
{
    if (node.folder)
        return QStringLiteral("Deleting ") + Quoted(node.text) +
               QStringLiteral(" will also delete everything in the folder.  Are you sure you want to do that?");
    return QStringLiteral("Are you sure you want to delete ") + Quoted(node.text) + QLatin1Char('?');
}

TDropDecision DecideDrop(const TLinkTree& tree, const TLinkNode* dragged, TLinkNode* target)
{
    if (!dragged || tree.Root().Children().empty())
        return {};
    if (!target)
        return {nullptr, QStringLiteral("Please drag it into an existing folder to move.")};
    if (dragged->IsRoot())
        return {nullptr, QStringLiteral("Cannot move the root item.")};
    if (target == dragged)
        return {nullptr, QStringLiteral("Cannot move an item onto itself.")};
    // A node without children stands for its folder. The root has children
    // here, so such a node always has a folder above it.
    if (target->Children().empty())
        target = target->Parent();
    // A folder moved below itself would take its own subtree out of the tree.
    if (target == dragged)
        return {nullptr, QStringLiteral("Cannot move an item onto itself.")};
    if (dragged->Holds(*target))
        return {nullptr, QStringLiteral("Cannot move a folder into one of its own folders.")};
    if (target == dragged->Parent())
        return {nullptr, QStringLiteral("Cannot move an item to the same folder.")};
    return {target, QString()};
}
