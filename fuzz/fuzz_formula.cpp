// Arbitrary bytes as a formula text: the parser gives a tree or
// EIncorrectExpr, the tree is said as a sentence with no character of the
// formula language in it, and it measures and paints on a fake canvas,
// never a crash, a hang or a leak.
#include <cstddef>
#include <cstdint>
#include <string>

#include "../formula/tests/FakeCanvas.h"
#include "ExprDraw.h"
#include "ExprMake.h"
#include "ExprParla.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size > 4096)
        return 0;
    const std::string testo(reinterpret_cast<const char*>(data), size);
    mevario::PExpr root;
    try {
        root = mevario::TExprBuilder().ParseFormula(testo);
    } catch (const mevario::EIncorrectExpr&) {
        return 0;
    }
    // The sentence a screen reader gets, from the same tree.
    const std::string detta = mevario::SpokenForm(root.get());
    if (detta.find_first_of("^*/&(){}") != std::string::npos)
        __builtin_trap();
    mevario::test::FakeCanvas canvas;
    root->SetCanvas(&canvas);
    root->SetFontSize(20);
    root->SetColor(0x123456);
    root->Draw(200, 100, mevario::THorzAlign::Center, mevario::TVertAlign::MidLine);
    root->SetCanvas(nullptr);
    return 0;
}
