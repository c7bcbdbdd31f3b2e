// A readable listing of a formula tree, one node a line in pre-order, for
// the formula tool and for tests that check what the parser built.
#pragma once

#include <string>

#include "ExprDraw.h"

namespace mevario {

// The class name of a node ("TExprRatio").
const char* ExprClassName(const TExprClass* n);

// Each line: two spaces per depth, then "son2: ", "lower: " or "upper: " for
// those slots, the class name, the node's own fields (Text, Value, Code,
// Left/Right, Forced, Count, CapKind, Columns/Rows, Multiplicity) and, with
// `metrics`, W H Up Dn sw sh as measured on the node's canvas.
std::string DumpTree(TExprClass* root, bool metrics);

// A short one-line form of the tree, for tests: nodes by their content,
// sons in brackets ("Ratio[Number 2|Number 5]").
std::string ShortForm(TExprClass* root);

// A readable linear form of what the tree shows, for screen readers:
// "3x²y + (−2/5)x²y" (UTF-8).
std::string LinearForm(TExprClass* root);

} // namespace mevario
