#pragma once
// Trees of links of a given size, shared by the crash test and its writer.
#include "organizer/linktree.h"

// `folders` folders under the root, each with `linksPerFolder` sites; the
// texts carry the mark so two trees of one size differ.
TLinkTree MakeLinkTree(int folders, int linksPerFolder, const QString& mark);
