#include "ExprDump.h"

#include <cstdio>
#include <typeinfo>

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

std::string Utf8Char(char16_t c) { return mevario::Utf8(c); }

// Digits (and a minus) as superscripts or subscripts, or "" when the text
// holds anything else.
std::string Script(const std::string& t, bool su)
{
    static const char16_t kSu[] = {0x2070, 0x00B9, 0x00B2, 0x00B3, 0x2074, 0x2075, 0x2076, 0x2077, 0x2078, 0x2079};
    static const char16_t kGiu[] = {0x2080, 0x2081, 0x2082, 0x2083, 0x2084, 0x2085, 0x2086, 0x2087, 0x2088, 0x2089};
    if (t.empty())
        return "";
    std::string r;
    for (std::size_t i = 0; i < t.size(); ++i) {
        const char c = t[i];
        if (c >= '0' && c <= '9')
            r += Utf8Char(su ? kSu[c - '0'] : kGiu[c - '0']);
        else if (i == 0 && (t.compare(0, 3, "\xE2\x88\x92") == 0)) {
            r += Utf8Char(su ? 0x207B : 0x208B);
            i += 2;
        } else
            return "";
    }
    return r;
}

std::string Lineare(TExprClass* n);

// A row of sibling nodes; signs between operands get spaces around them.
std::string LineareLista(TExprClass* n)
{
    std::string r;
    bool operando = false; // something stands before
    for (; n; n = n->Next()) {
        if (auto* s = dynamic_cast<TExprSign*>(n)) {
            const std::string segno = Lineare(s);
            const char16_t c = s->Code();
            const bool moltiplica = c == esMiddleDot || c == 215 || c == 247 || c == 47;
            if (operando && !moltiplica)
                r += " " + segno + " ";
            else
                r += segno;
            operando = false;
            continue;
        }
        // A fraction written beside a factor reads as one group: (2/5)x.
        const TExprClass* dopo = n->Next();
        const bool gruppo = dynamic_cast<TExprRatio*>(n) && dopo && !dynamic_cast<const TExprSign*>(dopo) &&
                            typeid(*dopo) != typeid(TExprSimple);
        r += gruppo ? "(" + Lineare(n) + ")" : Lineare(n);
        operando = true;
    }
    return r;
}

bool Composto(TExprClass* n)
{
    if (!n)
        return false;
    if (n->Next())
        return true;
    if (auto* b = dynamic_cast<TExprBracketed*>(n)) {
        const bool drawn = b->BracketsShown() && (b->LeftKind() != bkNone || b->RightKind() != bkNone);
        return !drawn && b->Son() && b->Son()->Next();
    }
    auto* c = dynamic_cast<TExprChain*>(n);
    return c && c->Son() && c->Son()->Next();
}

std::string TraParentesi(TExprClass* n)
{
    const std::string t = LineareLista(n);
    return Composto(n) ? "(" + t + ")" : t;
}

std::string Lineare(TExprClass* n)
{
    if (!n)
        return "";
    if (auto* t = dynamic_cast<TExprSimple*>(n))
        return NarrowToUtf8(t->Text());
    if (auto* v = dynamic_cast<TExprNumber*>(n)) {
        std::string m = NarrowToUtf8(v->Mantissa());
        if (v->Exponent().empty())
            return m;
        const std::string e = Script(v->Exponent(), true);
        return (m == "1" ? "" : m + "·") + "10" + (e.empty() ? "^" + v->Exponent() : e);
    }
    if (auto* s = dynamic_cast<TExprSign*>(n)) {
        switch (s->Code()) {
        case esMuchLess: return "≪";
        case esMuchGreater: return "≫";
        case esLessOrSimilar: return "≲";
        case esGreaterOrSimilar: return "≳";
        case esPlusMinus: return "±";
        case esMinusPlus: return "∓";
        case esAsymptotic: return "≃";
        case esParallel: return "∥";
        case esPerpendicular: return "⊥";
        case esAngle: return "∠";
        default: return Utf8Char(s->Code());
        }
    }
    if (dynamic_cast<TExprNabla*>(n))
        return "∇";
    if (auto* e = dynamic_cast<TExprExtSymbol*>(n))
        return Utf8Char(e->Code());
    if (auto* sp = dynamic_cast<TExprSpace*>(n))
        return sp->Count() > 0 ? " " : "";
    if (auto* st = dynamic_cast<TExprStrokes*>(n))
        return std::string(static_cast<std::size_t>(std::max(0, std::min(st->Count(), 10))), '\'');
    if (auto* r = dynamic_cast<TExprRatio*>(n))
        return TraParentesi(r->Son()) + "/" + TraParentesi(r->Son2());
    if (auto* i = dynamic_cast<TExprIndex*>(n)) {
        std::string b = Lineare(i->Son());
        if (TExprClass* lo = i->Sub(1)) {
            const std::string t = LineareLista(lo);
            const std::string s = Script(t, false);
            b += s.empty() ? "_(" + t + ")" : s;
        }
        if (TExprClass* up = i->Sub(2)) {
            const std::string t = LineareLista(up);
            const std::string s = Script(t, true);
            b += s.empty() ? "^(" + t + ")" : s;
        }
        return b;
    }
    if (auto* b = dynamic_cast<TExprBracketed*>(n)) {
        const std::string t = LineareLista(b->Son());
        if (!b->BracketsShown() || (b->LeftKind() == bkNone && b->RightKind() == bkNone))
            return t;
        static const char* aperte[] = {"", "(", "[", "{", "|"};
        static const char* chiuse[] = {"", ")", "]", "}", "|"};
        return std::string(aperte[b->LeftKind() % 5]) + t + chiuse[b->RightKind() % 5];
    }
    if (auto* c = dynamic_cast<TExprChain*>(n))
        return LineareLista(c->Son());
    if (auto* r = dynamic_cast<TExprRoot*>(n))
        return (r->Son2() ? "radice " + LineareLista(r->Son2()) + " di " : "√") + "(" + LineareLista(r->Son()) + ")";
    if (auto* f = dynamic_cast<TExprCommonFunc*>(n))
        return Lineare(f->Son()) + " " + Lineare(f->Son2());
    if (auto* l = dynamic_cast<TExprLim*>(n))
        return "lim(" + LineareLista(l->Son()) + ")";
    if (auto* a = dynamic_cast<TExprAtValue*>(n))
        return Lineare(a->Son()) + " per " + LineareLista(a->Son2());
    if (auto* c = dynamic_cast<TExprCap*>(n))
        return LineareLista(c->Son());
    if (auto* g = dynamic_cast<TExprGroupOp*>(n)) {
        std::string nome = dynamic_cast<TExprSumma*>(g) ? "∑" : dynamic_cast<TExprProd*>(g) ? "∏" : dynamic_cast<TExprCirc*>(g) ? "∮" : "∫";
        if (g->Sub(1))
            nome += "_(" + LineareLista(g->Sub(1)) + ")";
        if (g->Sub(2))
            nome += "^(" + LineareLista(g->Sub(2)) + ")";
        return nome + " " + LineareLista(g->Son());
    }
    if (auto* p = dynamic_cast<TExprParent*>(n)) {
        std::string r;
        for (TExprClass* s = p->Son(); s; s = s->Next())
            r += (r.empty() ? "" : "; ") + Lineare(s);
        return r;
    }
    return "";
}

} // namespace

std::string LinearForm(TExprClass* root)
{
    std::string t = LineareLista(root);
    // One space at most between words, none at the ends.
    std::string r;
    for (char c : t) {
        if (c == ' ' && (r.empty() || r.back() == ' '))
            continue;
        r += c;
    }
    while (!r.empty() && r.back() == ' ')
        r.pop_back();
    return r;
}

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
