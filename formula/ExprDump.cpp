#include "ExprDump.h"

#include <cstdio>

#include "ExprCanvas.h"

namespace mevario {

namespace {

std::string Utf8(const std::string& narrow) { return NarrowToUtf8(narrow); }

std::string Valore(long double v)
{
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.15Lg", v);
    return buf;
}

std::string Campi(TExprClass* n)
{
    std::string s;
    if (auto* t = dynamic_cast<TExprSimple*>(n))
        s += " Text=\"" + Utf8(t->Text()) + "\"";
    if (auto* v = dynamic_cast<TExprNumber*>(n))
        s += " Value=" + Valore(v->Value());
    if (auto* e = dynamic_cast<TExprExtSymbol*>(n))
        s += " Code=" + std::to_string(static_cast<int>(e->Code()));
    if (auto* b = dynamic_cast<TExprBracketed*>(n))
        s += " Left=" + std::to_string(b->LeftKind()) + " Right=" + std::to_string(b->RightKind());
    if (auto* a = dynamic_cast<TExprArgument*>(n))
        s += std::string(" Forced=") + (a->Forced() ? "1" : "0");
    if (auto* sp = dynamic_cast<TExprSpace*>(n))
        s += " Count=" + std::to_string(sp->Count());
    if (auto* st = dynamic_cast<TExprStrokes*>(n))
        s += " Count=" + std::to_string(st->Count());
    if (auto* c = dynamic_cast<TExprCap*>(n))
        s += " Count=" + std::to_string(c->Count()) + " CapKind=" + std::to_string(c->CapKind());
    if (auto* m = dynamic_cast<TExprMatrix*>(n))
        s += " Columns=" + std::to_string(m->Columns()) + " Rows=" + std::to_string(m->Rows());
    if (auto* i = dynamic_cast<TExprIntegral*>(n))
        s += " Multiplicity=" + std::to_string(i->Multiplicity());
    return s;
}

void Lista(TExprClass* n, int depth, const char* slot, bool metrics, std::string& out);

void Nodo(TExprClass* n, int depth, const char* slot, bool metrics, std::string& out)
{
    out += std::string(2 * depth, ' ') + slot + ExprClassName(n) + Campi(n);
    if (metrics)
        out += " W=" + std::to_string(n->Width()) + " H=" + std::to_string(n->Height()) +
               " Up=" + std::to_string(n->MidLineUp()) + " Dn=" + std::to_string(n->MidLineDown()) +
               " sw=" + std::to_string(n->StrokeW()) + " sh=" + std::to_string(n->StrokeH());
    out += '\n';
    if (auto* p = dynamic_cast<TExprParent*>(n))
        Lista(p->Son(), depth + 1, "", metrics, out);
    if (auto* b = dynamic_cast<TExprBigParent*>(n))
        Lista(b->Son2(), depth + 1, "son2: ", metrics, out);
    if (auto* t = dynamic_cast<TExprTwinParent*>(n)) {
        Lista(t->Sub(1), depth + 1, "lower: ", metrics, out);
        Lista(t->Sub(2), depth + 1, "upper: ", metrics, out);
    }
}

void Lista(TExprClass* n, int depth, const char* slot, bool metrics, std::string& out)
{
    for (; n; n = n->Next())
        Nodo(n, depth, slot, metrics, out);
}

void Breve(TExprClass* n, std::string& out)
{
    for (bool primo = true; n; n = n->Next(), primo = false) {
        if (!primo)
            out += ' ';
        std::string nome = ExprClassName(n);
        out += nome.substr(5); // without "TExpr"
        if (auto* t = dynamic_cast<TExprSimple*>(n))
            out += " " + Utf8(t->Text());
        if (auto* v = dynamic_cast<TExprNumber*>(n))
            out += " " + Valore(v->Value());
        if (auto* e = dynamic_cast<TExprExtSymbol*>(n))
            out += " " + std::to_string(static_cast<int>(e->Code()));
        auto* p = dynamic_cast<TExprParent*>(n);
        auto* b = dynamic_cast<TExprBigParent*>(n);
        auto* t = dynamic_cast<TExprTwinParent*>(n);
        if (p) {
            out += '[';
            Breve(p->Son(), out);
            if (b) {
                out += '|';
                Breve(b->Son2(), out);
            }
            if (t) {
                out += "|_";
                Breve(t->Sub(1), out);
                out += "|^";
                Breve(t->Sub(2), out);
            }
            out += ']';
        }
    }
}

} // namespace

const char* ExprClassName(const TExprClass* n)
{
    // Most derived classes first.
#define MEVARIO_CLASSE(C)                 \
    if (dynamic_cast<const C*>(n))        \
        return #C;
    MEVARIO_CLASSE(TExprVar)
    MEVARIO_CLASSE(TExprFuncName)
    MEVARIO_CLASSE(TExprAsterix)
    MEVARIO_CLASSE(TExprSimple)
    MEVARIO_CLASSE(TExprExpNumber)
    MEVARIO_CLASSE(TExprNumber)
    MEVARIO_CLASSE(TExprSign)
    MEVARIO_CLASSE(TExprComma)
    MEVARIO_CLASSE(TExprPlank)
    MEVARIO_CLASSE(TExprLambda)
    MEVARIO_CLASSE(TExprNabla)
    MEVARIO_CLASSE(TExprExtSymbol)
    MEVARIO_CLASSE(TExprSpace)
    MEVARIO_CLASSE(TExprStrokes)
    MEVARIO_CLASSE(TExprEmpty)
    MEVARIO_CLASSE(TExprRatio)
    MEVARIO_CLASSE(TExprRoot)
    MEVARIO_CLASSE(TExprFunc)
    MEVARIO_CLASSE(TExprCommonFunc)
    MEVARIO_CLASSE(TExprAtValue)
    MEVARIO_CLASSE(TExprRound)
    MEVARIO_CLASSE(TExprArgument)
    MEVARIO_CLASSE(TExprBase)
    MEVARIO_CLASSE(TExprBracketed)
    MEVARIO_CLASSE(TExprChain)
    MEVARIO_CLASSE(TExprIndex)
    MEVARIO_CLASSE(TExprSumma)
    MEVARIO_CLASSE(TExprProd)
    MEVARIO_CLASSE(TExprCirc)
    MEVARIO_CLASSE(TExprIntegral)
    MEVARIO_CLASSE(TExprGroupOp)
    MEVARIO_CLASSE(TExprLim)
    MEVARIO_CLASSE(TExprCap)
    MEVARIO_CLASSE(TExprStand)
    MEVARIO_CLASSE(TExprMatrix)
    MEVARIO_CLASSE(TExprCase)
    MEVARIO_CLASSE(TExprBigParent)
    MEVARIO_CLASSE(TExprTwinParent)
    MEVARIO_CLASSE(TExprParent)
#undef MEVARIO_CLASSE
    return "TExprClass";
}

std::string DumpTree(TExprClass* root, bool metrics)
{
    std::string out;
    Lista(root, 0, "", metrics, out);
    return out;
}

std::string ShortForm(TExprClass* root)
{
    std::string out;
    Breve(root, out);
    return out;
}

} // namespace mevario
