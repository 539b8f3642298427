#pragma once
// Link trees for the tests: single entries to build by hand, and trees of a
// given size shared by the crash test and its writer.
#include "organizer/linktree.h"

// A closed folder with no note.
TLinkData Folder(const QString& text);
// A web site with no note.
TLinkData Site(const QString& text, const QString& url);

// `folders` folders under the root, each with `linksPerFolder` sites; the
// texts carry the mark so two trees of one size differ.
TLinkTree MakeLinkTree(int folders, int linksPerFolder, const QString& mark);
