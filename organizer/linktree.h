#pragma once
// The household's tree of web links as the link dialog edits it: folders and
// web sites, each with a description and a note, under a root that is never
// stored. The rules of adding, editing, deleting and moving live here; each
// refusal is the text the user is to read.
#include <QString>
#include <QStringList>
#include <memory>
#include <optional>
#include <vector>

// What a node holds, apart from its place.
struct TLinkData {
    QString text;
    bool folder = false;
    QString url;   // web sites only
    QStringList note;
    bool expanded = false;
};

class TLinkNode : public TLinkData {
public:

    TLinkNode* Parent() const { return parent_; }
    const std::vector<std::unique_ptr<TLinkNode>>& Children() const { return children_; }
    bool IsRoot() const { return parent_ == nullptr; }
    // The root's children are on level 1.
    int Level() const;
    // The place among its siblings, from 0.
    int Index() const;
    // Whether the node is this one or lies below it.
    bool Holds(const TLinkNode& node) const;

private:
    friend class TLinkTree;
    TLinkNode* parent_ = nullptr;
    std::vector<std::unique_ptr<TLinkNode>> children_;
};

class TLinkTree {
public:
    explicit TLinkTree(const QString& rootCaption);

    TLinkNode& Root() { return *root_; }
    const TLinkNode& Root() const { return *root_; }
    // The root, then every node in pre-order: a node's absolute index is its
    // place in this list.
    std::vector<TLinkNode*> PreOrder() const;
    // -1 for a node of another tree.
    int AbsoluteIndex(const TLinkNode& node) const;
    // nullptr outside the tree.
    TLinkNode* NodeAt(int absoluteIndex) const;

    // Appends a node as the parent's last child and gives it back.
    TLinkNode& Append(TLinkNode& parent, const TLinkData& data);
    // Alphabetically, case aside.
    void SortChildren(TLinkNode& parent);
    // Removes the node with everything below it; the root stays.
    void Remove(TLinkNode& node);
    // Makes the node, with everything below it, the new parent's last child.
    void MoveTo(TLinkNode& node, TLinkNode& newParent);

private:
    std::unique_ptr<TLinkNode> root_;
};

// What the add dialog hands back.
struct TURLFold {
    QString description;
    QString url;
    int targetFolder = -1;   // absolute index in the main tree; -1 for none
    quint8 linkFlag = 1;     // 1 a web site, 0 a folder
    QStringList note;
};

// Adds the new entry to the folder at its target and sorts that folder's
// entries, the folder expanded; nullptr when there is no target or no
// description, and nothing was added.
TLinkNode* AddLink(TLinkTree& tree, const TURLFold& entry);

// The add dialog's fields, for the one that takes the focus after a refusal.
enum class TLinkField { Description, URL };

struct TLinkRefusal {
    QString message;
    TLinkField focus = TLinkField::Description;
};

// The text the add dialog shows its URL field with, which is no address.
inline const QString kDefaultLinkURL = QStringLiteral("http://www.");

// The add dialog's checks, in order.
std::optional<TLinkRefusal> CheckNewLink(bool webSite, const QString& description, const QString& url,
                                         bool folderChosen);
// The edit dialog's checks: the description, and the address of a web site.
std::optional<TLinkRefusal> CheckEditedLink(const QString& description, const QString& url, bool webSite);

// Why the selected node cannot be edited; nothing when it can.
std::optional<QString> EditRefusal(const TLinkNode* selected);
// The edit dialog's result: the texts trimmed, the note from its first line
// with text on.
void ApplyEdit(TLinkNode& node, const QString& description, const QString& url, const QStringList& noteLines);

std::optional<QString> DeleteRefusal(const TLinkNode* selected);
// The question asked before the node goes.
QString DeleteQuestion(const TLinkNode& node);

// Where a dropped node goes; it stays where it is when there is no new
// parent, and the user is told why unless the refusal is empty.
struct TDropDecision {
    TLinkNode* newParent = nullptr;
    QString refusal;
};
// target: the node under the mouse, nullptr for none.
TDropDecision DecideDrop(const TLinkTree& tree, const TLinkNode* dragged, TLinkNode* target);
