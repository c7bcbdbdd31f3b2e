#include "ExprMake.h"

#include <array>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <string_view>

namespace mevario {

namespace {

// Codes the pre-scan gives to the written sequences.
enum : char {
    cNotEqual = 1,      // <>
    cGreaterEq = 2,     // >=
    cLessEq = 3,        // <=
    cMuchGreater = 4,   // >>
    cMuchLess = 5,      // <<
    cArrow = 6,         // ->
    cAlmostEqual = 7,   // ~~
    cPlusMinus = 8,     // +-
    cMinusPlus = 9,     // -+
    cIdentical = 10,    // ==
    cDivSign = 11,      // /+
    cCross = 12,        // *+
    cEllipsis = 13,     // ...
    cGreaterSim = 14,   // >~
    cLessSim = 15,      // <~
    cSlash = 16,        // //
    cBang = 17,         // !(
    cDot = 18,          // *.
    cNoSign = 19,       // **
    cAsymptotic = 20,   // =~
};

// Deep enough for any formula a person writes; deeper texts are rejected
// rather than allowed to exhaust the stack.
constexpr int kMaxDepth = 150;

char Upper(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

std::string UpperName(const std::string& s)
{
    std::string r = s;
    for (char& c : r)
        c = Upper(c);
    return r;
}

// The relation a character stands for: its sign code, or 0.
char16_t RelationCode(char c)
{
    switch (c) {
    case '=': return 61;
    case '<': return 60;
    case '>': return 62;
    case '~': return 126;
    case cNotEqual: return 8800;
    case cGreaterEq: return 8805;
    case cLessEq: return 8804;
    case cMuchGreater: return esMuchGreater;
    case cMuchLess: return esMuchLess;
    case cArrow: return 8594;
    case cAlmostEqual: return 8776;
    case cIdentical: return 8801;
    case cGreaterSim: return esGreaterOrSimilar;
    case cLessSim: return esLessOrSimilar;
    case cAsymptotic: return esAsymptotic;
    default: return 0;
    }
}

char16_t SumCode(char c)
{
    switch (c) {
    case '+': return u'+';
    case '-': return esMinus;
    case cPlusMinus: return esPlusMinus;
    case cMinusPlus: return esMinusPlus;
    default: return 0;
    }
}

const char* const kGreek[] = {"ALPHA", "BETA",    "GAMMA", "DELTA", "EPSILON", "ZETA", "ETA",   "THETA",
                              "IOTA",  "KAPPA",   "LAMBDA", "MU",   "NU",      "XI",   "OMICRON", "PI",
                              "RHO",   "SIGMA",   "TAU",   "UPSILON", "PHI",   "CHI",  "PSI",   "OMEGA"};

// Code of a Greek name (capital or small by the first character as written), or 0.
char16_t GreekCode(const std::string& written)
{
    const std::string up = UpperName(written);
    for (int i = 0; i < 24; ++i) {
        if (up == kGreek[i]) {
            char16_t code = static_cast<char16_t>(i < 17 ? 913 + i : 914 + i);
            if (!written.empty() && written[0] >= 'a' && written[0] <= 'z')
                code = static_cast<char16_t>(code + 32);
            return code;
        }
    }
    return 0;
}

// The named symbols a function may also be called by (Greek letters,
// PLAMBDA, NABLA); nil when the name is none of them.
PExpr NamedSymbol(const std::string& written)
{
    if (const char16_t g = GreekCode(written))
        return std::make_unique<TExprExtSymbol>(g);
    const std::string up = UpperName(written);
    if (up == "PLAMBDA")
        return std::make_unique<TExprLambda>();
    if (up == "NABLA")
        return std::make_unique<TExprNabla>();
    return nullptr;
}

PExpr Var(const char* name) { return std::make_unique<TExprVar>(name); }

} // namespace

// ---- errors ------------------------------------------------------------------

EIncorrectExpr::EIncorrectExpr(const std::string& message, int position)
    : std::runtime_error(message + std::to_string(position)), FMessage(message), FPosition(position)
{
}

EIncorrectExpr::EIncorrectExpr(const std::string& message) : std::runtime_error(message), FMessage(message) {}

// ---- pre-scan ----------------------------------------------------------------

std::string PreScan(const std::string& text)
{
    struct Seq {
        std::string_view written;
        char code;
    };
    static constexpr Seq kSeq[] = {
        {"...", cEllipsis}, {" & ", '&'},       {"!(", cBang},      {"**", cNoSign},    {"*+", cCross},
        {"*.", cDot},       {"+-", cPlusMinus}, {"-+", cMinusPlus}, {"->", cArrow},     {"/+", cDivSign},
        {"//", cSlash},     {"<<", cMuchLess},  {"<=", cLessEq},    {"<>", cNotEqual},  {"<~", cLessSim},
        {"==", cIdentical}, {"=~", cAsymptotic}, {">=", cGreaterEq}, {">>", cMuchGreater}, {">~", cGreaterSim},
        {"~~", cAlmostEqual},
    };
    // Only a character that starts some sequence is looked up (most are
    // letters and digits, which start none).
    static const std::array<bool, 256> kInizia = [] {
        std::array<bool, 256> a{};
        for (const Seq& q : kSeq)
            a[static_cast<unsigned char>(q.written[0])] = true;
        return a;
    }();
    const std::string_view t(text);
    std::string r;
    r.reserve(text.size() + 1);
    std::size_t i = 0;
    while (i < t.size()) {
        bool found = false;
        if (kInizia[static_cast<unsigned char>(t[i])]) {
            for (const Seq& q : kSeq) {
                const std::size_t n = q.written.size();
                bool uguale = q.written[0] == t[i] && i + n <= t.size();
                for (std::size_t k = 1; uguale && k < n; ++k)
                    uguale = q.written[k] == t[i + k];
                if (uguale) {
                    r += q.code;
                    i += q.written.size();
                    found = true;
                    break;
                }
            }
        }
        if (!found)
            r += t[i++];
    }
    r += ' ';
    return r;
}

// ---- runs --------------------------------------------------------------------

void TExprBuilder::Run::Append(PExpr n)
{
    if (!n)
        return;
    TExprClass* last = n.get();
    int added = 1;
    while (last->Next()) {
        last = last->Next();
        ++added;
    }
    if (tail)
        tail->SetNext(std::move(n));
    else
        head = std::move(n);
    tail = last;
    count += added;
}

void TExprBuilder::Run::Append(Run&& r)
{
    if (!r.head)
        return;
    TExprClass* t = r.tail;
    const int c = r.count;
    if (tail)
        tail->SetNext(std::move(r.head));
    else
        head = std::move(r.head);
    tail = t;
    count += c;
    r = Run{};
}

void TExprBuilder::Run::Prepend(Run&& r)
{
    if (!r.head)
        return;
    PExpr rest = std::move(head);
    head = std::move(r.head);
    r.tail->SetNext(std::move(rest));
    if (!tail)
        tail = r.tail;
    count += r.count;
    r = Run{};
}

PExpr TExprBuilder::Run::Take()
{
    tail = nullptr;
    count = 0;
    return std::move(head);
}

// ---- reading -----------------------------------------------------------------

char TExprBuilder::At(int p) const
{
    return (p >= 1 && p <= static_cast<int>(FText.size())) ? FText[static_cast<std::size_t>(p - 1)] : '\0';
}

char TExprBuilder::Cur() const { return At(FPos); }

void TExprBuilder::Error(const char* message) const { throw EIncorrectExpr(message); }
void TExprBuilder::Error(const char* message, int position) const { throw EIncorrectExpr(message, position); }

void TExprBuilder::Expect(char c, const char* message)
{
    if (Cur() != c)
        Error(message, FPos);
    Advance();
}

void TExprBuilder::SkipSpaces()
{
    while (FPos < static_cast<int>(FText.size()) && Cur() == ' ')
        Advance();
}

bool TExprBuilder::IsLetter(char c)
{
    const unsigned char u = static_cast<unsigned char>(c);
    return (u >= 'A' && u <= 'Z') || (u >= 'a' && u <= 'z') || u == 0xA8 || u == 0xB8 || u >= 0xC0;
}

bool TExprBuilder::IsDigit(char c) { return c >= '0' && c <= '9'; }

// The longest prefix at the current position that is a decimal number
// (digits, an optional decimal point with digits, an optional exponent),
// at most 255 characters.
bool TExprBuilder::ScanNumber(int& length, long double& value) const
{
    int p = FPos;
    const int limit = FPos + 255;
    if (!IsDigit(At(p)))
        return false;
    while (p < limit && IsDigit(At(p)))
        ++p;
    if (p < limit && At(p) == '.') {
        ++p;
        while (p < limit && IsDigit(At(p)))
            ++p;
    }
    if (p < limit && (At(p) == 'E' || At(p) == 'e')) {
        int q = p + 1;
        if (q < limit && (At(q) == '+' || At(q) == '-'))
            ++q;
        if (q < limit && IsDigit(At(q))) {
            while (q < limit && IsDigit(At(q)))
                ++q;
            const std::string all = FText.substr(static_cast<std::size_t>(FPos - 1), static_cast<std::size_t>(q - FPos));
            const long double v = std::strtold(all.c_str(), nullptr);
            if (std::isfinite(v)) {
                length = q - FPos;
                value = v;
                return true;
            }
        }
    }
    const std::string s = FText.substr(static_cast<std::size_t>(FPos - 1), static_cast<std::size_t>(p - FPos));
    value = std::strtold(s.c_str(), nullptr);
    length = p - FPos;
    return std::isfinite(value);
}

PExpr TExprBuilder::ReadNumber(bool expForm)
{
    int n = 0;
    long double v = 0;
    if (!ScanNumber(n, v))
        Error("errore in posizione ", FPos);
    Advance(n);
    return std::make_unique<TExprNumber>(v, expForm);
}

// The longest signed 32-bit integer at the current position; false (and
// nothing consumed) when none starts there.
bool TExprBuilder::ReadInteger(long long& value)
{
    int p = FPos;
    bool neg = false;
    if (At(p) == '-' || At(p) == '+') {
        neg = At(p) == '-';
        ++p;
    }
    if (!IsDigit(At(p)))
        return false;
    long long v = 0;
    while (IsDigit(At(p))) {
        const long long next = v * 10 + (At(p) - '0');
        if (next > 2147483647LL + (neg ? 1 : 0))
            break;
        v = next;
        ++p;
    }
    value = neg ? -v : v;
    FPos = p;
    return true;
}

bool TExprBuilder::ReadReal(long double& value)
{
    const int start = FPos;
    bool neg = false;
    if (Cur() == '-' || Cur() == '+') {
        neg = Cur() == '-';
        Advance();
    }
    int n = 0;
    if (!ScanNumber(n, value)) {
        FPos = start;
        return false;
    }
    Advance(n);
    if (neg)
        value = -value;
    return true;
}

std::string TExprBuilder::ReadLiteral()
{
    const int end = static_cast<int>(FText.size());
    std::string t;
    if (Cur() == '"') {
        Advance();
        for (;;) {
            if (FPos > end)
                Error("Espressione errata");
            if (Cur() == '"') {
                if (At(FPos + 1) == '"' && FPos + 1 <= end) {
                    t += '"';
                    Advance(2);
                    continue;
                }
                Advance();
                return t;
            }
            t += Cur();
            Advance();
        }
    }
    while (Cur() != ')') {
        if (FPos > end)
            Error("Espressione errata");
        t += Cur();
        Advance();
    }
    return t;
}

void TExprBuilder::Comma()
{
    if (Cur() != ',')
        Error("si aspetta \",\" in posizione ", FPos);
    Advance();
    SkipSpaces();
}

bool TExprBuilder::OptionalComma()
{
    if (Cur() != ',')
        return false;
    Comma();
    return true;
}

// ---- tree helpers ------------------------------------------------------------

// One node standing for a run: the node itself, or a chain of the run.
PExpr TExprBuilder::Single(Run&& run)
{
    if (run.count <= 1)
        return run.Take();
    return std::make_unique<TExprChain>(run.Take());
}

// Before a postfix: a factor that is a group of several nodes whose brackets
// may hide is put in round brackets that always show.
PExpr TExprBuilder::ReplaceChain(PExpr factor)
{
    auto* chain = dynamic_cast<TExprChain*>(factor.get());
    if (!chain || !chain->Son() || !chain->Son()->Next())
        return factor;
    if (dynamic_cast<TExprRound*>(chain))
        return factor; // its brackets always show
    if (dynamic_cast<TExprBracketed*>(chain) && !dynamic_cast<TExprArgument*>(chain) &&
        !dynamic_cast<TExprBase*>(chain))
        return factor; // square, curly or bars keep their kind
    return std::make_unique<TExprBracketed>(chain->CutSon(), bkRound, bkRound);
}

PExpr TExprBuilder::PlaceIndex(PExpr base, PExpr index, int slot)
{
    if (auto* f = dynamic_cast<TExprCommonFunc*>(base.get())) {
        auto* fi = dynamic_cast<TExprIndex*>(f->Son());
        if (fi && !fi->Sub(slot)) {
            fi->SetSub(slot, std::move(index));
            return base;
        }
        if (!fi) {
            PExpr part = f->CutSon();
            PExpr lower = slot == 1 ? std::move(index) : nullptr;
            PExpr upper = slot == 2 ? std::move(index) : nullptr;
            f->SetSon(std::make_unique<TExprIndex>(std::move(part), std::move(lower), std::move(upper)));
            return base;
        }
    }
    if (auto* i = dynamic_cast<TExprIndex*>(base.get()); i && !i->Sub(slot)) {
        i->SetSub(slot, std::move(index));
        return base;
    }
    PExpr lower = slot == 1 ? std::move(index) : nullptr;
    PExpr upper = slot == 2 ? std::move(index) : nullptr;
    return std::make_unique<TExprIndex>(std::move(base), std::move(lower), std::move(upper));
}

PExpr TExprBuilder::PlaceCap(PExpr base, unsigned char kind, int count)
{
    if (auto* f = dynamic_cast<TExprCommonFunc*>(base.get())) {
        f->SetSon(PlaceCap(f->CutSon(), kind, count));
        return base;
    }
    if (auto* i = dynamic_cast<TExprIndex*>(base.get()); i && !i->Sub(2)) {
        i->SetSon(PlaceCap(i->CutSon(), kind, count));
        return base;
    }
    return std::make_unique<TExprCap>(std::move(base), kind, count);
}

// "!(" calls: the named argument's brackets always show.
PExpr TExprBuilder::Force(PExpr n)
{
    if (auto* a = dynamic_cast<TExprArgument*>(n.get())) {
        a->ForceBrackets();
        return n;
    }
    return std::make_unique<TExprRound>(std::move(n));
}

// ---- grammar -----------------------------------------------------------------

PExpr TExprBuilder::ParseFormula(const std::string& text)
{
    FText = PreScan(text);
    FPos = 1;
    FPostfix = true;
    FDepth = 0;
    Run r = List(Kind::Chain, true);
    // The whole text is the formula: what no level reads (a letter right
    // after a number, an unmatched ")", a space before more text) is an
    // error at its place, never left out of the drawing unsaid. Spaces at
    // the end are nothing to read; the place said is where reading stopped.
    const int fermo = FPos;
    SkipSpaces();
    if (FPos < static_cast<int>(FText.size()))
        Error("errore in posizione ", fermo);
    return Wrap(std::move(r), Kind::Chain);
}

TExprBuilder::Run TExprBuilder::List(Kind, bool commas)
{
    Run run = Relation();
    int items = 1;
    while (Cur() == '&' || (commas && Cur() == ',')) {
        const bool comma = Cur() == ',';
        Advance();
        if (comma)
            SkipSpaces();
        Run next = Relation();
        if (comma) {
            run.Append(std::make_unique<TExprComma>());
            run.Append(std::make_unique<TExprSpace>(7));
        }
        run.Append(std::move(next));
        ++items;
    }
    if (items > 1 || run.count > 1)
        run.mark = run.count > 1 ? 1 : run.mark;
    return run;
}

PExpr TExprBuilder::Wrap(Run&& run, Kind kind)
{
    const int mark = run.mark;
    const int count = run.count;
    switch (kind) {
    case Kind::None: return run.Take();
    case Kind::Chain: return Single(std::move(run));
    case Kind::Round: return std::make_unique<TExprRound>(run.Take());
    case Kind::Argument:
        if (count >= 2)
            return std::make_unique<TExprArgument>(run.Take());
        return run.Take();
    case Kind::Base:
        if (count >= 2)
            return std::make_unique<TExprBase>(run.Take());
        if (mark == 1)
            return std::make_unique<TExprBracketed>(run.Take(), bkRound, bkRound);
        return run.Take();
    case Kind::Bars: return std::make_unique<TExprBracketed>(run.Take(), bkBar, bkBar);
    case Kind::Square: return std::make_unique<TExprBracketed>(run.Take(), bkSquare, bkSquare);
    case Kind::Curly: return std::make_unique<TExprBracketed>(run.Take(), bkCurly, bkCurly);
    }
    return run.Take();
}

TExprBuilder::Run TExprBuilder::Relation()
{
    Run run = Sum();
    while (const char16_t code = RelationCode(Cur())) {
        Advance();
        Run next = Sum();
        run.Append(std::make_unique<TExprSign>(code));
        run.Append(std::move(next));
    }
    if (run.count >= 2)
        run.mark = 1;
    return run;
}

TExprBuilder::Run TExprBuilder::Sum()
{
    Run run = Product();
    while (const char16_t code = SumCode(Cur())) {
        Advance();
        Run next = Product();
        run.Append(std::make_unique<TExprSign>(code));
        run.Append(std::move(next));
    }
    if (run.count >= 2)
        run.mark = 1;
    return run;
}

TExprBuilder::Run TExprBuilder::Product()
{
    Run num = Factor();
    Run den;
    for (;;) {
        const char c = Cur();
        if (c == '*') {
            Advance();
            Join(num, Factor());
        } else if (c == '/') {
            Advance();
            Run f = Factor();
            if (den.count == 0)
                den = std::move(f);
            else
                Join(den, std::move(f));
        } else if (c == cDot || c == cCross || c == cDivSign || c == cSlash) {
            Advance();
            const char16_t code = c == cDot ? esMiddleDot : c == cCross ? 215 : c == cDivSign ? 247 : 47;
            Run f = Factor();
            num.Append(std::make_unique<TExprSign>(code));
            num.Append(std::move(f));
        } else if (c == cNoSign) {
            Advance();
            num.Append(Factor());
        } else {
            break;
        }
    }
    if (den.count == 0) {
        if (num.count != 1)
            num.mark = 0;
        return num;
    }
    // One fraction: a numerator or denominator shown in round brackets
    // loses them, the bar groups it already.
    auto parte = [](Run&& r) {
        PExpr n = Single(std::move(r));
        const int f = n->JoinFlags();
        if ((f & jfRoundBrackets) && (f & jfBracketed))
            if (auto* b = dynamic_cast<TExprBracketed*>(n.get()))
                b->RemoveBrackets();
        return n;
    };
    PExpr n = parte(std::move(num));
    PExpr d = parte(std::move(den));
    Run r;
    r.Append(std::make_unique<TExprRatio>(std::move(n), std::move(d)));
    r.mark = 1;
    return r;
}

// Joins a factor written after "*" to a run, number first and without a
// sign where a mathematician writes none.
void TExprBuilder::Join(Run& left, Run&& right)
{
    if (right.count == 0)
        return;
    if (left.count == 0) {
        left = std::move(right);
        return;
    }
    TExprClass* firstL = left.head.get();
    TExprClass* lastL = left.tail;
    TExprClass* firstR = right.head.get();
    TExprClass* lastR = right.tail;
    // 1. It may simply follow.
    if ((lastL->JoinFlags() & jfFollowedByFactor) && (firstR->JoinFlags() & jfFollowsFactor)) {
        left.Append(std::move(right));
        return;
    }
    // 2. It may stand in front: x*2 shows 2x.
    if ((lastR->JoinFlags() & jfFollowedByFactor) && (firstL->JoinFlags() & jfFollowsFactor)) {
        left.Prepend(std::move(right));
        return;
    }
    // 3. Two numbers meet: fold them, 2*x*3 shows 6x.
    auto* nL = dynamic_cast<TExprNumber*>(firstL);
    auto* nR = dynamic_cast<TExprNumber*>(lastR);
    if (nL && nR) {
        nR->SetValue(nR->Value() * nL->Value());
        PExpr rest = left.head->CutNext();
        const int restCount = left.count - 1;
        TExprClass* restTail = restCount > 0 ? left.tail : nullptr;
        left = std::move(right);
        if (rest) {
            left.tail->SetNext(std::move(rest));
            left.tail = restTail;
            left.count += restCount;
        }
        return;
    }
    // 4. It may go into the first seam of the run that takes a factor.
    if ((firstR->JoinFlags() & jfFollowsFactor) && (lastR->JoinFlags() & jfFollowedByFactor)) {
        for (TExprClass* n = firstL; n && n != lastL; n = n->Next()) {
            if ((n->JoinFlags() & jfFollowedByFactor) && (n->Next()->JoinFlags() & jfFollowsFactor)) {
                PExpr after = n->CutNext();
                TExprClass* rTail = right.tail;
                const int rCount = right.count;
                n->SetNext(right.Take());
                rTail->SetNext(std::move(after));
                left.count += rCount;
                return;
            }
        }
    }
    // 5. A middle dot between them.
    left.Append(std::make_unique<TExprSign>(esMiddleDot));
    left.Append(std::move(right));
}

TExprBuilder::Run TExprBuilder::Factor()
{
    if (++FDepth > kMaxDepth)
        Error("errore in posizione ", FPos);
    struct Uscita {
        int& d;
        ~Uscita() { --d; }
    } uscita{FDepth};

    Run run;
    const char c = Cur();
    if (c == '+' || c == cPlusMinus || c == cMinusPlus || c == '-') {
        Advance();
        Run inner = Factor();
        run.Append(std::make_unique<TExprSign>(SumCode(c)));
        run.Append(std::move(inner));
        run.mark = c == '-' ? 0 : 3;
        return run;
    }
    if (c == '_') {
        Advance();
        Run inner = Factor();
        const int mark = inner.mark;
        run.Append(PlaceCap(Single(std::move(inner)), ckArrow, 0));
        run.mark = mark;
        return run;
    }
    run = Primary();
    while (FPostfix) {
        const char p = Cur();
        if (p == '!') {
            Advance();
            PExpr f = ReplaceChain(Single(std::move(run)));
            run = Run{};
            run.Append(std::move(f));
            run.Append(std::make_unique<TExprSimple>("!"));
        } else if (p == '^' || p == '_') {
            Advance();
            if (p == '_')
                FPostfix = false;
            Run idx;
            try {
                idx = Factor();
            } catch (...) {
                FPostfix = true;
                throw;
            }
            FPostfix = true;
            PExpr index = Single(std::move(idx));
            if (auto* a = dynamic_cast<TExprArgument*>(index.get()))
                a->RemoveBrackets();
            PExpr base = ReplaceChain(Single(std::move(run)));
            run = Run{};
            run.Append(PlaceIndex(std::move(base), std::move(index), p == '^' ? 2 : 1));
            if (p == '^')
                run.mark = 1;
        } else if (p == '`') {
            int n = 0;
            while (Cur() == '`') {
                ++n;
                Advance();
            }
            PExpr base = ReplaceChain(Single(std::move(run)));
            run = Run{};
            run.Append(PlaceIndex(std::move(base), std::make_unique<TExprStrokes>(n), 2));
        } else {
            break;
        }
    }
    return run;
}

TExprBuilder::Run TExprBuilder::Primary()
{
    Run run;
    const char c = Cur();
    if (c == cEllipsis) {
        Advance();
        run.Append(std::make_unique<TExprExtSymbol>(8230));
    } else if (c == cBang) {
        Advance();
        run.Append(Wrap(List(Kind::Round, true), Kind::Round));
        Expect(')', "si aspetta \")\" in posizione ");
    } else if (c == '#') {
        Advance();
        if (!IsDigit(Cur()))
            Error("si aspetta una cifra in posizione ", FPos);
        run.Append(ReadNumber(true));
    } else if (IsDigit(c)) {
        run.Append(ReadNumber(false));
    } else if (c == '(') {
        Advance();
        Run inner = List(Kind::Argument, false);
        const int mark = inner.mark;
        run.Append(Wrap(std::move(inner), Kind::Argument));
        run.mark = mark;
        Expect(')', "si aspetta \")\" in posizione ");
    } else if (IsLetter(c)) {
        return NameOrCall();
    } else if (c == '[') {
        Advance();
        run.Append(Wrap(List(Kind::Square, true), Kind::Square));
        Expect(']', "si aspetta \"]\"  in posizione ");
    } else if (c == '{') {
        Advance();
        run.Append(Wrap(List(Kind::Curly, true), Kind::Curly));
        Expect('}', "si aspetta \"}\" in posizione ");
    } else if (c == '|') {
        Advance();
        run.Append(Wrap(List(Kind::Bars, true), Kind::Bars));
        Expect('|', "si aspetta \"|\" in posizione ");
    } else {
        Error("errore in posizione ", FPos);
    }
    return run;
}

TExprBuilder::Run TExprBuilder::NameOrCall()
{
    std::string name;
    while (IsLetter(Cur()) || IsDigit(Cur())) {
        name += Cur();
        Advance();
    }
    Run run;
    if (Cur() == '(' || Cur() == cBang) {
        const bool bang = Cur() == cBang;
        Advance();
        int mark = 0;
        run = Call(name, bang, mark);
        Expect(')', "si aspetta \")\" in posizione ");
        run.mark = mark;
        return run;
    }
    // Trailing digits become a lower index: x1 is x with index 1.
    std::size_t cut = name.size();
    while (cut > 0 && IsDigit(name[cut - 1]))
        --cut;
    const std::string digits = name.substr(cut);
    const std::string written = name.substr(0, cut);
    const std::string up = UpperName(written);
    Run node;
    if (const char16_t g = GreekCode(written))
        node.Append(std::make_unique<TExprExtSymbol>(g));
    else if (up == "PLAMBDA")
        node.Append(std::make_unique<TExprLambda>());
    else if (up == "NABLA")
        node.Append(std::make_unique<TExprNabla>());
    else if (up == "INF")
        node.Append(std::make_unique<TExprExtSymbol>(8734));
    else if (up == "PLANK")
        node.Append(std::make_unique<TExprPlank>());
    else if (up == "NIL")
        node.Append(std::make_unique<TExprClass>());
    else if (up == "COMMA")
        node.Append(std::make_unique<TExprComma>());
    else if (up == "CONST") {
        node.Append(std::make_unique<TExprSimple>(written));
        node.Append(std::make_unique<TExprSpace>(3));
    } else if (up == "ASTERIX")
        node.Append(std::make_unique<TExprAsterix>());
    else if (up == "MINUS")
        node.Append(std::make_unique<TExprExtSymbol>(esMinus));
    else if (up == "PARALLEL")
        node.Append(std::make_unique<TExprSign>(esParallel));
    else if (up == "PERPENDICULAR")
        node.Append(std::make_unique<TExprSign>(esPerpendicular));
    else if (up == "ANGLE")
        node.Append(std::make_unique<TExprSign>(esAngle));
    else if (up == "EMPTY")
        node.Append(std::make_unique<TExprEmpty>());
    else if ((written[0] >= 'A' && written[0] <= 'Z') || (written[0] >= 'a' && written[0] <= 'z'))
        node.Append(std::make_unique<TExprVar>(written));
    else
        node.Append(std::make_unique<TExprSimple>(written));
    if (digits.empty())
        return node;
    run.Append(std::make_unique<TExprIndex>(Single(std::move(node)),
                                            std::make_unique<TExprNumber>(std::strtold(digits.c_str(), nullptr), false),
                                            nullptr));
    return run;
}

PExpr TExprBuilder::Arg(Kind kind)
{
    Run r = List(kind, false);
    return Wrap(std::move(r), kind);
}

TExprBuilder::Run TExprBuilder::Call(const std::string& name, bool bang, int& mark)
{
    const std::string k = UpperName(name);
    Run run;
    auto bracket = [bang](PExpr n) { return bang ? Force(std::move(n)) : std::move(n); };
    auto dOf = [&k]() -> PExpr {
        if (k[0] == 'P')
            return std::make_unique<TExprExtSymbol>(8706);
        return Var("d");
    };
    auto integer = [this](long long def) {
        long long v = def;
        ReadInteger(v);
        return static_cast<int>(v);
    };
    auto items = [this]() {
        Run r;
        r.Append(Arg(Kind::Chain));
        while (Cur() == ',') {
            Comma();
            r.Append(Arg(Kind::Chain));
        }
        return r.Take();
    };

    if (k == "SQRT") {
        run.Append(std::make_unique<TExprRoot>(Arg(Kind::Chain), nullptr));
    } else if (k == "SQR") {
        run.Append(PlaceIndex(Arg(Kind::Base), std::make_unique<TExprNumber>(2, false), 2));
        mark = 1;
    } else if (k == "LOG") {
        PExpr e = Arg(Kind::Chain);
        Comma();
        PExpr a = bracket(Arg(Kind::Argument));
        run.Append(std::make_unique<TExprCommonFunc>(
            std::make_unique<TExprIndex>(std::make_unique<TExprFuncName>(name), std::move(e), nullptr), std::move(a)));
    } else if (k == "ABS") {
        run.Append(Wrap(List(Kind::Bars, false), Kind::Bars));
    } else if (k == "POW") {
        PExpr b = Arg(Kind::Base);
        Comma();
        run.Append(PlaceIndex(std::move(b), Arg(Kind::Chain), 2));
        mark = 1;
    } else if (k == "ROOT") {
        PExpr degree = Arg(Kind::Chain);
        Comma();
        run.Append(std::make_unique<TExprRoot>(Arg(Kind::Chain), std::move(degree)));
    } else if (k == "IND") {
        PExpr b = Arg(Kind::Base);
        Comma();
        run.Append(PlaceIndex(std::move(b), Arg(Kind::Chain), 1));
    } else if (k == "LIM") {
        PExpr e = bracket(Arg(Kind::Chain));
        Comma();
        run.Append(std::make_unique<TExprCommonFunc>(std::make_unique<TExprLim>(std::move(e)), Arg(Kind::Argument)));
        mark = 1;
    } else if (k == "FUNC") {
        PExpr e = Arg(Kind::Chain);
        Comma();
        Run args;
        args.Append(Arg(Kind::Argument));
        while (Cur() == ',') {
            Comma();
            args.Append(std::make_unique<TExprComma>());
            args.Append(Arg(Kind::Argument));
        }
        run.Append(std::make_unique<TExprCommonFunc>(std::move(e), bracket(std::make_unique<TExprArgument>(args.Take()))));
    } else if (k == "SPACE") {
        run.Append(std::make_unique<TExprSpace>(integer(0)));
    } else if (k == "DIFF" || k == "PDIFF") {
        PExpr b = Arg(Kind::Base);
        if (OptionalComma())
            b = PlaceIndex(std::move(b), Arg(Kind::Chain), 2);
        run.Append(std::make_unique<TExprSpace>(4));
        run.Append(dOf());
        run.Append(std::move(b));
    } else if (k == "DIFFN" || k == "PDIFFN") {
        PExpr b = Arg(Kind::Base);
        PExpr d = dOf();
        if (OptionalComma())
            d = PlaceIndex(std::move(d), Arg(Kind::Base), 2);
        run.Append(std::make_unique<TExprSpace>(4));
        run.Append(std::move(d));
        run.Append(std::move(b));
    } else if (k == "DIFFR" || k == "PDIFFR") {
        PExpr b = Arg(Kind::Base);
        PExpr top = dOf();
        if (OptionalComma()) {
            // The order is read twice so that each place has its own copy.
            const int at = FPos;
            top = PlaceIndex(std::move(top), Arg(Kind::Chain), 2);
            FPos = at;
            b = PlaceIndex(std::move(b), Arg(Kind::Chain), 2);
        }
        Run den;
        den.Append(dOf());
        den.Append(std::move(b));
        run.Append(std::make_unique<TExprRatio>(std::move(top), std::make_unique<TExprChain>(den.Take())));
    } else if (k == "DIFFRF" || k == "PDIFFRF") {
        PExpr b1 = Arg(Kind::Base);
        Comma();
        PExpr b2 = Arg(Kind::Base);
        PExpr dTop = dOf();
        if (OptionalComma()) {
            const int at = FPos;
            dTop = PlaceIndex(std::move(dTop), Arg(Kind::Chain), 2);
            FPos = at;
            b2 = PlaceIndex(std::move(b2), Arg(Kind::Chain), 2);
        }
        Run num, den;
        num.Append(std::move(dTop));
        num.Append(std::move(b1));
        den.Append(dOf());
        den.Append(std::move(b2));
        run.Append(std::make_unique<TExprRatio>(std::make_unique<TExprChain>(num.Take()),
                                                std::make_unique<TExprChain>(den.Take())));
    } else if (k == "STRING") {
        run.Append(std::make_unique<TExprSimple>(ReadLiteral()));
    } else if (k == "STROKES") {
        PExpr b = Arg(Kind::Base);
        int n = 1;
        if (OptionalComma())
            n = integer(0);
        run.Append(PlaceIndex(std::move(b), std::make_unique<TExprStrokes>(n), 2));
        mark = 1;
    } else if (k == "FACT") {
        run.Append(Arg(Kind::Base));
        run.Append(std::make_unique<TExprSimple>("!"));
        mark = 1;
    } else if (k == "AT") {
        PExpr a = Arg(Kind::Argument);
        Comma();
        run.Append(std::make_unique<TExprAtValue>(std::move(a), Arg(Kind::Chain)));
    } else if (k == "LINE" || k == "VECT" || k == "CAP" || k == "TILDE") {
        const unsigned char kind = k == "LINE" ? ckLine : k == "VECT" ? ckArrow : k == "CAP" ? ckCap : ckTilde;
        run.Append(PlaceCap(Arg(Kind::Chain), kind, 0));
    } else if (k == "POINTS") {
        PExpr e = Arg(Kind::Chain);
        int n = 1;
        if (OptionalComma())
            n = integer(0);
        run.Append(std::make_unique<TExprCap>(std::move(e), ckDots, n));
    } else if (k == "STANDL" || k == "STANDC" || k == "STANDR") {
        run.Append(std::make_unique<TExprStand>(items(), k == "STANDL" ? 0 : k == "STANDC" ? 1 : 2));
    } else if (k == "MATRIX") {
        const int m = integer(0);
        Comma();
        const int rows = integer(0);
        Comma();
        run.Append(std::make_unique<TExprMatrix>(items(), m, rows));
    } else if (k == "SUMMA" || k == "PROD" || k == "CIRC" || k == "INT" || k == "INTM") {
        int n = 1;
        if (k == "INTM") {
            n = integer(0);
            Comma();
        }
        PExpr a = bracket(Arg(Kind::Argument));
        PExpr lower, upper;
        if (OptionalComma()) {
            lower = Arg(Kind::Chain);
            if (OptionalComma())
                upper = Arg(Kind::Chain);
        }
        if (k == "SUMMA")
            run.Append(std::make_unique<TExprSumma>(std::move(a), std::move(lower), std::move(upper)));
        else if (k == "PROD")
            run.Append(std::make_unique<TExprProd>(std::move(a), std::move(lower), std::move(upper)));
        else if (k == "CIRC")
            run.Append(std::make_unique<TExprCirc>(std::move(a), std::move(lower), std::move(upper)));
        else
            run.Append(std::make_unique<TExprIntegral>(std::move(a), std::move(lower), std::move(upper), n));
    } else if (k == "CASE") {
        run.Append(std::make_unique<TExprCase>(items()));
    } else if (k == "COMMA") {
        run.Append(std::make_unique<TExprComma>());
        run.Append(std::make_unique<TExprSpace>(integer(0)));
    } else if (k == "BRACKETS") {
        // The two characters right after "(": the end of the text there is
        // "Espressione errata", any other character "Errore in posizione".
        auto kind = [this](const char* set) -> unsigned char {
            if (FPos >= static_cast<int>(FText.size()))
                Error("Espressione errata");
            const char* f = Cur() == '\0' ? nullptr : std::strchr(set, Cur());
            if (!f)
                Error("Errore in posizione ", FPos);
            Advance();
            return *f == '0' ? static_cast<unsigned char>(bkNone) : static_cast<unsigned char>(f - set + 1);
        };
        const unsigned char l = kind("([{|0");
        const unsigned char r = kind(")]}|0");
        Comma();
        run.Append(std::make_unique<TExprBracketed>(Arg(Kind::Chain), l, r));
    } else if (k == "SYSTEM") {
        run.Append(std::make_unique<TExprBracketed>(std::make_unique<TExprStand>(items(), 0), bkCurly, bkNone));
    } else if (k == "NUM") {
        long double r = 0;
        if (!ReadReal(r))
            Error("Errore in posizione ", FPos);
        int i = 4, j = 4, m = 2;
        if (OptionalComma()) {
            i = integer(0);
            if (OptionalComma()) {
                j = integer(0);
                if (OptionalComma())
                    m = integer(0);
            }
        }
        run.Append(std::make_unique<TExprExpNumber>(r, i, j, m));
    } else if (k == "SYMBOL") {
        long long n = 0;
        if (!ReadInteger(n))
            Error("Errore in posizione ", FPos);
        run.Append(std::make_unique<TExprExtSymbol>(static_cast<char16_t>(static_cast<unsigned long long>(n) & 0xFFFF)));
    } else if (k == "ANGLE") {
        run.Append(std::make_unique<TExprSign>(esAngle));
        run.Append(std::make_unique<TExprSimple>(ReadLiteral()));
    } else {
        // Any other name is a function applied to its arguments.
        Run args = List(Kind::None, true);
        PExpr argument = bracket(std::make_unique<TExprArgument>(args.Take()));
        std::size_t cut = name.size();
        while (cut > 0 && IsDigit(name[cut - 1]))
            --cut;
        const std::string written = name.substr(0, cut);
        PExpr part = NamedSymbol(written);
        if (!part) {
            if (written.size() == 1)
                part = std::make_unique<TExprVar>(written);
            else
                part = std::make_unique<TExprFuncName>(written);
        }
        if (cut < name.size())
            part = std::make_unique<TExprIndex>(
                std::move(part), std::make_unique<TExprNumber>(std::strtold(name.substr(cut).c_str(), nullptr), false),
                nullptr);
        run.Append(std::make_unique<TExprCommonFunc>(std::move(part), std::move(argument)));
    }
    return run;
}

} // namespace mevario
