// The rules of the link tree: where a new entry goes, what may be edited,
// deleted and moved, and every message the user reads when a rule refuses.
#include "organizer/linktree.h"

#include "tests/organizer/linktrees.h"

#include <gtest/gtest.h>
#include "tests/shell/pages/qstringprint.h"

namespace {

// Root
//   Allergies (folder)
//     Pollen count (site)
//     Kids (folder)
//       Peanuts (site)
//     Empty (folder)
//   Dr. O'Neil's "clinic" (site)
class LinkTreeRules : public ::testing::Test {
protected:
    TLinkTree tree{QStringLiteral("Internet Health Info Resources")};
    TLinkNode& allergies = tree.Append(tree.Root(), Folder(QStringLiteral("Allergies")));
    TLinkNode& pollen = tree.Append(allergies, Site(QStringLiteral("Pollen count"), QStringLiteral("https://pollen.example/")));
    TLinkNode& kids = tree.Append(allergies, Folder(QStringLiteral("Kids")));
    TLinkNode& peanuts = tree.Append(kids, Site(QStringLiteral("Peanuts"), QStringLiteral("http://nuts.example/")));
    TLinkNode& empty = tree.Append(allergies, Folder(QStringLiteral("Empty")));
    TLinkNode& clinic = tree.Append(tree.Root(), Site(QStringLiteral("Dr. O'Neil's \"clinic\""), QStringLiteral("http://clinic.example/")));
};

TEST_F(LinkTreeRules, NodesAreCountedInPreOrderWithTheirLevelsAndPlaces)
{
    const std::vector<TLinkNode*> nodes = tree.PreOrder();
    const std::vector<TLinkNode*> expected{&tree.Root(), &allergies, &pollen, &kids, &peanuts, &empty, &clinic};
    EXPECT_EQ(nodes, expected);
    EXPECT_EQ(tree.AbsoluteIndex(empty), 5);
    EXPECT_EQ(tree.NodeAt(4), &peanuts);
    EXPECT_EQ(tree.NodeAt(7), nullptr);
    EXPECT_EQ(tree.NodeAt(-1), nullptr);
    EXPECT_EQ(peanuts.Level(), 3);
    EXPECT_EQ(clinic.Level(), 1);
    EXPECT_EQ(empty.Index(), 2);
    EXPECT_EQ(clinic.Index(), 1);
    EXPECT_TRUE(allergies.Holds(peanuts));
    EXPECT_FALSE(kids.Holds(pollen));
}

TEST_F(LinkTreeRules, ANewEntryGoesIntoItsFolderSortedAndOpensIt)
{
    TURLFold entry;
    entry.description = QStringLiteral("asthma");
    entry.url = QStringLiteral("http://asthma.example/");
    entry.targetFolder = tree.AbsoluteIndex(allergies);
    entry.note = {QStringLiteral("ask about inhalers"), QString()};
    allergies.expanded = false;
    TLinkNode* added = AddLink(tree, entry);
    ASSERT_NE(added, nullptr);
    EXPECT_EQ(added->Parent(), &allergies);
    EXPECT_FALSE(added->folder);
    EXPECT_EQ(added->url, entry.url);
    EXPECT_EQ(added->note, entry.note);
    EXPECT_TRUE(allergies.expanded);
    // Case aside: "asthma" before "Empty", "Kids" and "Pollen count".
    EXPECT_EQ(allergies.Children().front().get(), added);
    EXPECT_EQ(allergies.Children().back().get(), &pollen);

    TURLFold folder;
    folder.description = QStringLiteral("Vision");
    folder.linkFlag = 0;
    folder.url = QStringLiteral("ignored");
    folder.targetFolder = 0;
    TLinkNode* vision = AddLink(tree, folder);
    ASSERT_NE(vision, nullptr);
    EXPECT_TRUE(vision->folder);
    EXPECT_TRUE(vision->url.isEmpty());

    entry.targetFolder = -1;
    EXPECT_EQ(AddLink(tree, entry), nullptr);
    entry.targetFolder = 0;
    entry.description.clear();
    EXPECT_EQ(AddLink(tree, entry), nullptr);
    EXPECT_EQ(tree.PreOrder().size(), 9u);
}

TEST(LinkDialogChecks, TheAddDialogRefusesInOrderWithTheFieldToFocus)
{
    auto refusal = CheckNewLink(true, QStringLiteral("   "), QStringLiteral("http://www."), false);
    ASSERT_TRUE(refusal);
    EXPECT_EQ(refusal->message, QStringLiteral("Please enter description."));
    EXPECT_EQ(refusal->focus, TLinkField::Description);

    refusal = CheckNewLink(true, QStringLiteral("Flu"), QStringLiteral("  http://www.  "), false);
    ASSERT_TRUE(refusal);
    EXPECT_EQ(refusal->message, QStringLiteral("Please enter URL (web site address)."));
    EXPECT_EQ(refusal->focus, TLinkField::URL);

    refusal = CheckNewLink(true, QStringLiteral("Flu"), QStringLiteral("http://www.flu.example"), false);
    ASSERT_TRUE(refusal);
    EXPECT_EQ(refusal->message, QStringLiteral("Please select a folder in which you want the web site address created."));
    EXPECT_EQ(refusal->focus, TLinkField::Description);

    // A folder has no address to check.
    refusal = CheckNewLink(false, QStringLiteral("Flu"), QStringLiteral("http://www."), false);
    ASSERT_TRUE(refusal);
    EXPECT_EQ(refusal->message, QStringLiteral("Please select a folder in which you want the new folder created."));

    EXPECT_FALSE(CheckNewLink(false, QStringLiteral("Flu"), QStringLiteral("http://www."), true));
    EXPECT_FALSE(CheckNewLink(true, QStringLiteral("Flu"), QStringLiteral("http://www.flu.example"), true));
}

TEST(LinkDialogChecks, TheEditDialogRequiresADescriptionAndASitesAddress)
{
    auto refusal = CheckEditedLink(QStringLiteral(" \t"), QStringLiteral("http://a.example"), true);
    ASSERT_TRUE(refusal);
    EXPECT_EQ(refusal->message, QStringLiteral("Please enter a description.  It is required."));
    EXPECT_EQ(refusal->focus, TLinkField::Description);

    refusal = CheckEditedLink(QStringLiteral("Flu"), QStringLiteral("   "), true);
    ASSERT_TRUE(refusal);
    EXPECT_EQ(refusal->message, QStringLiteral("Please enter a URL (web site address).  It is required."));
    EXPECT_EQ(refusal->focus, TLinkField::URL);

    EXPECT_FALSE(CheckEditedLink(QStringLiteral("Flu"), QString(), false));
}

TEST_F(LinkTreeRules, EditingTrimsTheTextsAndKeepsTheNoteFromItsFirstLineWithText)
{
    EXPECT_EQ(EditRefusal(nullptr), QStringLiteral("Please select an item to edit."));
    EXPECT_EQ(EditRefusal(&tree.Root()), QStringLiteral("Sorry.  This folder cannot be edited."));
    EXPECT_FALSE(EditRefusal(&kids));

    ApplyEdit(clinic, QStringLiteral("  Dr. Lee  "), QStringLiteral(" https://lee.example/ "),
              {QStringLiteral("  "), QStringLiteral(" open 9-5"), QString()});
    EXPECT_EQ(clinic.text, QStringLiteral("Dr. Lee"));
    EXPECT_EQ(clinic.url, QStringLiteral("https://lee.example/"));
    EXPECT_EQ(clinic.note, QStringList({QStringLiteral(" open 9-5"), QString()}));
    ApplyEdit(clinic, QStringLiteral("Dr. Lee"), clinic.url, {QStringLiteral("   ")});
    EXPECT_TRUE(clinic.note.isEmpty());
}

TEST_F(LinkTreeRules, DeletingAsksAboutTheFolderOrTheSiteByName)
{
    EXPECT_EQ(DeleteRefusal(nullptr), QStringLiteral("Please selected an item in the list to delete."));
    EXPECT_EQ(DeleteRefusal(&tree.Root()), QStringLiteral("Sorry.  This folder cannot be deleted."));
    EXPECT_FALSE(DeleteRefusal(&clinic));
    EXPECT_EQ(DeleteQuestion(kids), QStringLiteral("Deleting \"Kids\" will also delete everything in the folder.  "
                                                   "Are you sure you want to do that?"));
    EXPECT_EQ(DeleteQuestion(clinic), QStringLiteral("Are you sure you want to delete \"Dr. O'Neil's \"clinic\"\"?"));

    tree.Remove(kids);
    EXPECT_EQ(tree.PreOrder().size(), 5u) << "the folder went with its site";
    tree.Remove(tree.Root());
    EXPECT_EQ(tree.PreOrder().size(), 5u) << "the root stays";
}

TEST_F(LinkTreeRules, EveryRefusedDropSaysWhy)
{
    const auto refusal = [&](const TLinkNode* dragged, TLinkNode* target) {
        const TDropDecision decision = DecideDrop(tree, dragged, target);
        EXPECT_EQ(decision.newParent, nullptr);
        return decision.refusal;
    };
    EXPECT_EQ(refusal(nullptr, &kids), QString());
    EXPECT_EQ(refusal(&pollen, nullptr), QStringLiteral("Please drag it into an existing folder to move."));
    EXPECT_EQ(refusal(&tree.Root(), &kids), QStringLiteral("Cannot move the root item."));
    EXPECT_EQ(refusal(&kids, &kids), QStringLiteral("Cannot move an item onto itself."));
    // Onto a site beside it, or an empty folder beside it: its own folder.
    EXPECT_EQ(refusal(&pollen, &empty), QStringLiteral("Cannot move an item to the same folder."));
    EXPECT_EQ(refusal(&peanuts, &kids), QStringLiteral("Cannot move an item to the same folder."));
    EXPECT_EQ(refusal(&clinic, &tree.Root()), QStringLiteral("Cannot move an item to the same folder."));
}

TEST_F(LinkTreeRules, AFolderIsNeverMovedIntoItsOwnSubtree)
{
    const TDropDecision intoChild = DecideDrop(tree, &allergies, &kids);
    EXPECT_EQ(intoChild.newParent, nullptr);
    EXPECT_EQ(intoChild.refusal, QStringLiteral("Cannot move a folder into one of its own folders."));
    // A site inside the folder stands for the folder itself.
    const TDropDecision ontoOwnSite = DecideDrop(tree, &allergies, &pollen);
    EXPECT_EQ(ontoOwnSite.newParent, nullptr);
    EXPECT_EQ(ontoOwnSite.refusal, QStringLiteral("Cannot move an item onto itself."));
    const TDropDecision ontoDeepSite = DecideDrop(tree, &allergies, &peanuts);
    EXPECT_EQ(ontoDeepSite.refusal, QStringLiteral("Cannot move a folder into one of its own folders."));
    EXPECT_EQ(tree.PreOrder().size(), 7u);
}

// A move that the drop's checks would refuse, asked of the tree directly: the
// node would end up as its own child, out of the tree and owned by nothing.
TEST_F(LinkTreeRules, AMoveIntoItselfOrBelowItselfLeavesTheTreeAsItWas)
{
    EXPECT_TRUE(kids.Holds(kids));
    EXPECT_FALSE(peanuts.Holds(kids));
    const std::vector<TLinkNode*> before = tree.PreOrder();
    // Each checked at once: a node its own parent would send the next walk up round for ever.
    tree.MoveTo(kids, kids);
    ASSERT_EQ(tree.PreOrder(), before) << "a folder into itself";
    ASSERT_EQ(kids.Parent(), &allergies);
    tree.MoveTo(empty, empty);
    ASSERT_EQ(tree.PreOrder(), before) << "an empty folder into itself";
    tree.MoveTo(allergies, kids);
    ASSERT_EQ(tree.PreOrder(), before) << "a folder into its subfolder";
    tree.MoveTo(tree.Root(), empty);
    EXPECT_EQ(tree.PreOrder(), before) << "the root anywhere";
}

TEST_F(LinkTreeRules, AnAcceptedDropMakesTheNodeTheTargetsLastChild)
{
    TDropDecision decision = DecideDrop(tree, &clinic, &kids);
    ASSERT_EQ(decision.newParent, &kids);
    EXPECT_TRUE(decision.refusal.isEmpty());
    tree.MoveTo(clinic, *decision.newParent);
    EXPECT_EQ(kids.Children().back().get(), &clinic);
    EXPECT_EQ(clinic.Level(), 3);

    decision = DecideDrop(tree, &kids, &tree.Root());
    ASSERT_EQ(decision.newParent, &tree.Root());
    tree.MoveTo(kids, tree.Root());
    EXPECT_EQ(tree.AbsoluteIndex(kids), 4);
    EXPECT_EQ(tree.AbsoluteIndex(clinic), 6);
    // Dropped on a site, the node goes into that site's folder.
    decision = DecideDrop(tree, &empty, &peanuts);
    EXPECT_EQ(decision.newParent, &kids);

    // The only node left: nothing to move, nothing said.
    TLinkTree alone(QStringLiteral("Root"));
    EXPECT_EQ(DecideDrop(alone, &alone.Root(), &alone.Root()).refusal, QString());
}

}  // namespace
