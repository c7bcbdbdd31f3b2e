#include "ExprParla.h"

#include <cctype>
#include <cmath>
#include <string_view>
#include <typeinfo>
#include <vector>

#include "ExprCanvas.h"

namespace mevario {

namespace {

// ---- numbers ---------------------------------------------------------------

const char* const kUnita[] = {"",         "uno",         "due",      "tre",        "quattro",
                              "cinque",   "sei",         "sette",    "otto",       "nove",
                              "dieci",    "undici",      "dodici",   "tredici",    "quattordici",
                              "quindici", "sedici",      "diciassette", "diciotto", "diciannove"};
const char* const kDecine[] = {"", "", "venti", "trenta", "quaranta", "cinquanta", "sessanta", "settanta", "ottanta", "novanta"};

// 1..999 in words, without the final accent of "tré".
std::string Centinaia(int n)
{
    std::string r;
    const int c = n / 100, resto = n % 100;
    if (c > 0)
        r = std::string(c == 1 ? "" : kUnita[c]) + "cento";
    std::string d;
    if (resto < 20) {
        d = kUnita[resto];
    } else {
        d = kDecine[resto / 10];
        const int u = resto % 10;
        if (u == 1 || u == 8) // ventuno, trentotto
            d.pop_back();
        d += kUnita[u];
    }
    // "cento" keeps its o before "uno" (centouno) and loses it before a
    // word starting with o (centotto, centottanta).
    if (c > 0 && !d.empty() && d[0] == 'o')
        r.pop_back();
    return r + d;
}

constexpr long long kLimiteParole = 1000000000LL;

// The largest denominator read as an ordinal ("sette duecentocinquantaseiesimi");
// from the next one on a fraction is read with "fratto" and a pause after
// it, as a teacher does with a long denominator.
constexpr long long kLimiteOrdinali = 300;

std::string Cifre(std::string_view s);

// A word ending in "tre" after other numbers takes the accent: ventitré,
// centotré (tremila, ventitremila keep none).
std::string Accento(std::string r)
{
    if (r.size() > 3 && r.compare(r.size() - 3, 3, "tre") == 0 && r[r.size() - 4] != ' ')
        r.replace(r.size() - 3, 3, "tré");
    return r;
}

std::string Cardinale(long long n)
{
    if (n < 0)
        return "meno " + Cardinale(-n);
    if (n == 0)
        return "zero";
    if (n >= kLimiteParole)
        return Cifre(std::to_string(n)); // past the words: digit by digit
    std::string r;
    const int milioni = static_cast<int>(n / 1000000);
    const int migliaia = static_cast<int>(n / 1000 % 1000);
    const int resto = static_cast<int>(n % 1000);
    if (milioni > 0)
        r = milioni == 1 ? "un milione" : Accento(Centinaia(milioni)) + " milioni";
    if (migliaia > 0) {
        if (!r.empty())
            r += ' ';
        r += migliaia == 1 ? "mille" : Centinaia(migliaia) + "mila";
    }
    if (resto > 0) {
        if (!r.empty() && migliaia == 0)
            r += ' ';
        r += Centinaia(resto);
    }
    return Accento(r);
}

// The ordinal's stem ("quart", "undicesim"), to which -o, -a, -i, -e go.
std::string RadiceOrdinale(long long n)
{
    static const char* const primi[] = {"",     "prim",    "second", "terz", "quart", "quint",
                                        "sest", "settim", "ottav",  "non",  "decim"};
    if (n >= 1 && n <= 10)
        return primi[n];
    std::string c = Cardinale(n);
    const auto finisce = [&c](std::string_view f) {
        return c.size() >= f.size() && c.compare(c.size() - f.size(), f.size(), f) == 0;
    };
    if (finisce("tré")) // ventitreesimo
        return c.substr(0, c.size() - 4) + "treesim";
    if (finisce("sei")) // ventiseiesimo
        return c + "esim";
    if (finisce("dieci")) // centodecimo
        return c.substr(0, c.size() - 5) + "decim";
    if (finisce("centouno")) // centunesimo, as ventunesimo
        return c.substr(0, c.size() - 4) + "unesim";
    if (finisce("mila")) // duemillesimo
        return c.substr(0, c.size() - 4) + "millesim";
    if (c == "un milione")
        return "milionesim";
    c.pop_back(); // undicesimo, ventesimo, centesimo, millesimo
    return c + "esim";
}

bool Vocale(char c) { return c == 'a' || c == 'e' || c == 'i' || c == 'o' || c == 'u'; }

// "alla quarta", "all'undicesima", "alla meno tre".
std::string Alla(const std::string& parola)
{
    if (!parola.empty() && Vocale(parola[0]))
        return "all'" + parola;
    return "alla " + parola;
}

// Whole-number value of a number node, when it has one in range.
bool Intero(const TExprClass* n, long long& v)
{
    const auto* num = dynamic_cast<const TExprNumber*>(n);
    if (!num || !num->Exponent().empty())
        return false;
    const long double x = num->Value();
    if (!std::isfinite(static_cast<double>(x)) || x != std::floor(x) || std::fabs(x) >= 1e15L)
        return false;
    v = static_cast<long long>(x);
    return true;
}

// A fraction of whole numbers as a teacher says it, the denominator an
// ordinal ("un mezzo", "due mezzi", "tre quarti", "un ventitreesimo",
// "undici ventesimi"); empty where it is read with "fratto" instead.
std::string FrazioneParole(long long n, long long d)
{
    if (d < 2 || d > kLimiteOrdinali || n < 0 || n >= kLimiteParole)
        return {};
    if (d == 2)
        return n == 1 ? "un mezzo" : Cardinale(n) + " mezzi";
    const std::string radice = RadiceOrdinale(d);
    return n == 1 ? "un " + radice + "o" : Cardinale(n) + " " + radice + "i";
}

// Digits one by one ("zero cinque").
std::string Cifre(std::string_view s)
{
    std::string r;
    for (char c : s)
        if (c >= '0' && c <= '9') {
            if (!r.empty())
                r += ' ';
            r += Cardinale(c - '0');
        }
    return r;
}

// A number as its node shows it: mantissa (whole or decimal) and exponent.
std::string NumeroParole(const TExprNumber* n)
{
    long long v = 0;
    if (Intero(n, v))
        return Cardinale(v);
    const long double x = n->Value();
    if (std::isnan(static_cast<double>(x)))
        return "non un numero";
    if (std::isinf(static_cast<double>(x)))
        return x < 0 ? "meno infinito" : "infinito";
    std::string m = n->Mantissa();
    std::string r;
    if (!m.empty() && m[0] == '-') {
        r = "meno ";
        m.erase(0, 1);
    }
    std::size_t sep = m.find_first_of(".,");
    const std::string intera = m.substr(0, sep);
    const std::string decimale = sep == std::string::npos ? std::string() : m.substr(sep + 1);
    if (intera.size() <= 9 && !intera.empty())
        r += Cardinale(std::stoll(intera));
    else
        r += intera.empty() ? "zero" : Cifre(intera);
    if (!decimale.empty()) {
        r += " virgola ";
        // "due virgola venticinque"; with leading zeros or many digits,
        // one digit at a time.
        if (decimale[0] != '0' && decimale.size() <= 3)
            r += Cardinale(std::stoll(decimale));
        else
            r += Cifre(decimale);
    }
    if (!n->Exponent().empty()) {
        std::string e = n->Exponent();
        std::string segno;
        if (e[0] == '-') {
            segno = "meno ";
            e.erase(0, 1);
        } else if (e.compare(0, 3, "\xE2\x88\x92") == 0) {
            segno = "meno ";
            e.erase(0, 3);
        }
        const std::string dieci = "dieci " + (segno.empty() ? Alla(e.size() <= 9 ? RadiceOrdinale(std::stoll("0" + e)) + "a" : Cifre(e))
                                                            : "alla meno " + (e.size() <= 9 ? Cardinale(std::stoll("0" + e)) : Cifre(e)));
        r = r == "uno" ? dieci : r + " per " + dieci;
    }
    return r;
}

// ---- letters and symbols ---------------------------------------------------

const char* const kLettere[] = {"a",   "bi",  "ci",  "di",    "e",       "effe", "gi",    "acca", "i",
                                "i lunga", "cappa", "elle", "emme", "enne", "o", "pi", "cu", "erre",
                                "esse", "ti",  "u",   "vu",    "doppia vu", "ics", "ipsilon", "zeta"};

const char* const kGreche[] = {"alfa", "beta", "gamma", "delta",   "epsilon",  "zeta", "eta",  "theta", "iota",
                               "kappa", "lambda", "mi", "ni",      "xi",       "omicron", "pi greco", "rho",
                               "sigma", "sigma", "tau", "upsilon", "phi",      "chi",  "psi",  "omega"};

// One character of a name or of plain text that is no letter of a word.
std::string ParolaCarattere(char16_t c)
{
    if (c >= u'a' && c <= u'z')
        return kLettere[c - u'a'];
    if (c >= u'A' && c <= u'Z')
        return kLettere[c - u'A'];
    if (c >= u'0' && c <= u'9')
        return Cardinale(c - u'0');
    if (c >= 913 && c <= 937)
        return std::string(kGreche[c - 913]) + " maiuscolo";
    if (c >= 945 && c <= 969)
        return kGreche[c - 945];
    switch (c) {
    case u'+': return "più";
    case u'-': case 8722: return "meno";
    case u'*': case 183: case 215: return "per";
    case u'/': case 247: case u':': return "diviso";
    case u'=': return "uguale";
    case u'<': return "minore di";
    case u'>': return "maggiore di";
    case u'^': return "elevato";
    case u'&': return "e";
    case u'(': return "aperta parentesi";
    case u')': return "chiusa parentesi";
    case u'[': return "aperta parentesi quadra";
    case u']': return "chiusa parentesi quadra";
    case u'{': return "aperta parentesi graffa";
    case u'}': return "chiusa parentesi graffa";
    case u'|': return "barra";
    case u'!': return "fattoriale";
    case u'~': return "tilde";
    case u'_': return "pedice";
    case u'#': return "cancelletto";
    case u'%': return "per cento";
    case u'\'': return "primo";
    case 8734: return "infinito";
    case 8230: return "puntini";
    case 8706: return "d tonda";
    case 295: case 8463: return "acca tagliato";
    case 8594: return "tende a";
    case 8776: return "circa uguale a";
    case 8800: return "diverso da";
    case 8801: return "identico a";
    case 8804: return "minore o uguale a";
    case 8805: return "maggiore o uguale a";
    default: break;
    }
    if (c == u',' || c == u'.' || c == u';' || c == u'?' || c == u'"')
        return std::string(1, static_cast<char>(c));
    return "simbolo";
}

// What a row item is, for the reading of what follows it.
enum class TVoce {
    Inizio,     // nothing before, or a relation, comma or words: a new start
    Operatore,  // +, -, ·, :
    Operando,   // a factor
};

// The words of a sign node.
std::string ParolaSegno(char16_t c, TVoce& voce)
{
    voce = TVoce::Operatore;
    switch (c) {
    case esPlusMinus: return "più o meno";
    case esMinusPlus: return "meno o più";
    case esMuchLess: voce = TVoce::Inizio; return "molto minore di";
    case esMuchGreater: voce = TVoce::Inizio; return "molto maggiore di";
    case esLessOrSimilar: voce = TVoce::Inizio; return "minore o circa uguale a";
    case esGreaterOrSimilar: voce = TVoce::Inizio; return "maggiore o circa uguale a";
    case esAsymptotic: voce = TVoce::Inizio; return "asintotico a";
    case esParallel: voce = TVoce::Inizio; return "parallelo a";
    case esPerpendicular: voce = TVoce::Inizio; return "perpendicolare a";
    case esAngle: voce = TVoce::Operando; return "angolo";
    case u'+': case u'-': case 8722: case 183: case 215: case 247: case u'/': case u':': case u'*':
        return ParolaCarattere(c);
    default: break;
    }
    voce = TVoce::Inizio; // relations
    return ParolaCarattere(c);
}

// ---- the sentence ----------------------------------------------------------

void Aggiungi(std::string& s, const std::string& w)
{
    if (w.empty())
        return;
    if (!s.empty() && s.back() != ' ' && w[0] != ',')
        s += ' ';
    s += w;
}

// A spoken piece with what its ends are, for "per" between factors.
struct TDetto {
    std::string testo;
    bool iniziaNumero = false;
    bool finisceNumero = false;
    bool iniziaParentesi = false;
    bool finisceParentesi = false;
    bool virgolaDopo = false; // a compound exponent ends: a pause before what follows
};

bool Vuoto(const TExprClass* n)
{
    return typeid(*n) == typeid(TExprSpace) || typeid(*n) == typeid(TExprEmpty) || typeid(*n) == typeid(TExprClass);
}

bool TestoSoloSpazi(const TExprClass* n)
{
    if (typeid(*n) != typeid(TExprSimple))
        return false;
    for (char c : static_cast<const TExprSimple*>(n)->Text())
        if (c != ' ')
            return false;
    return true;
}

bool Disegnate(TExprBracketed* b)
{
    return b->BracketsShown() && (b->LeftKind() != bkNone || b->RightKind() != bkNone);
}

// The list a node stands for when it shows nothing of its own: a chain, or
// a group whose brackets are not drawn.
TExprClass* Interno(TExprClass* n)
{
    while (n && !n->Next()) {
        if (auto* b = dynamic_cast<TExprBracketed*>(n)) {
            if (Disegnate(b))
                break;
            n = b->Son();
        } else if (typeid(*n) == typeid(TExprChain)) {
            n = static_cast<TExprChain*>(n)->Son();
        } else {
            break;
        }
    }
    return n;
}

int Elementi(TExprClass* n)
{
    int k = 0;
    for (; n; n = n->Next())
        if (!Vuoto(n) && !TestoSoloSpazi(n))
            ++k;
    return k;
}

TExprClass* Primo(TExprClass* n)
{
    while (n && (Vuoto(n) || TestoSoloSpazi(n)))
        n = n->Next();
    return n;
}

std::string Ritaglia(const std::string& t)
{
    const auto a = t.find_first_not_of(' ');
    if (a == std::string::npos)
        return {};
    return t.substr(a, t.find_last_not_of(' ') - a + 1);
}

// A sign node, or a symbol written by its code that is an operation or a
// relation ("symbol(43)" between two polynomials).
bool SegnoScritto(const TExprClass* n)
{
    if (dynamic_cast<const TExprSign*>(n))
        return true;
    if (typeid(*n) != typeid(TExprExtSymbol))
        return false;
    switch (static_cast<const TExprExtSymbol*>(n)->Code()) {
    case u'+': case u'-': case u'/': case u':': case u'<': case u'=': case u'>': case u'~':
    case 183: case 215: case 247: case 8722: case 8594: case 8776: case 8800: case 8801: case 8804: case 8805:
        return true;
    default:
        return static_cast<const TExprExtSymbol*>(n)->Code() < 32;
    }
}

bool SegnoAdditivo(const TExprClass* n)
{
    if (SegnoScritto(n)) {
        const char16_t c = static_cast<const TExprExtSymbol*>(n)->Code();
        return c == u'+' || c == 8722 || c == u'-' || c == esPlusMinus || c == esMinusPlus;
    }
    if (typeid(*n) == typeid(TExprSimple)) {
        const std::string t = Ritaglia(static_cast<const TExprSimple*>(n)->Text());
        return t == "+" || t == "-";
    }
    return false;
}

// A row holding an operation: a sign or a joiner written as text (plus,
// minus, times, divided) after something.
bool Operazione(TExprClass* n)
{
    bool prima = false;
    for (; n; n = n->Next()) {
        if (Vuoto(n) || TestoSoloSpazi(n))
            continue;
        if (prima && SegnoAdditivo(n))
            return true;
        if (prima && SegnoScritto(n))
            return true;
        if (prima && typeid(*n) == typeid(TExprSimple)) {
            const std::string t = Ritaglia(static_cast<TExprSimple*>(n)->Text());
            if (t == ":" || t == "\xB7" || t == "*" || t == "/")
                return true;
        }
        prima = true;
    }
    return false;
}

// A row holding a sum: a plus or minus after something.
bool Somma(TExprClass* n)
{
    bool prima = false;
    for (; n; n = n->Next()) {
        if (Vuoto(n) || TestoSoloSpazi(n))
            continue;
        if (SegnoAdditivo(n) && prima)
            return true;
        prima = true;
    }
    return false;
}

// A minus sign, drawn or written as text.
bool Meno(const TExprClass* n)
{
    if (SegnoScritto(n)) {
        const char16_t c = static_cast<const TExprExtSymbol*>(n)->Code();
        return c == 8722 || c == u'-';
    }
    return typeid(*n) == typeid(TExprSimple) && Ritaglia(static_cast<const TExprSimple*>(n)->Text()) == "-";
}

bool Negativo(TExprClass* n)
{
    n = Primo(n);
    return n && SegnoAdditivo(n);
}

bool HaVirgole(TExprClass* n)
{
    for (; n; n = n->Next()) {
        if (dynamic_cast<TExprComma*>(n))
            return true;
        if (typeid(*n) == typeid(TExprSimple) && Ritaglia(static_cast<TExprSimple*>(n)->Text()) == ",")
            return true;
    }
    return false;
}

bool IniziaConSpazio(const std::string& t) { return !t.empty() && t[0] == ' '; }

class TParlatore {
public:
    // The items from n up to (not including) `fine`.
    TDetto Riga(TExprClass* n, TVoce inizio = TVoce::Inizio, const TExprClass* fine = nullptr);
    TDetto Nodo(TExprClass* n, TVoce prima, bool solo);

private:
    std::string Testo(const std::string& narrow, TVoce& voce, int& funzione);
    std::string Parole(const std::string& narrow);
    TDetto Gruppo(TExprBracketed* b, TVoce prima, bool solo);
    TDetto Tra(TExprBracketed* b, TExprClass* contenuto);
    TDetto Argomenti(TExprClass* contenuto);
    TDetto Potenza(TExprIndex* i);
    TDetto Base(TExprClass* b);
    std::string Esponente(TExprClass* e, bool& composto);
    TDetto Frazione(TExprRatio* r);
    std::string Parte(TExprClass* n);
    std::string Nome(TExprClass* n);
};

// Plain text: words kept (an apostrophe after a vowel is its accent, as the
// program's code page writes "e'"), digits read as numbers, signs by name.
std::string TParlatore::Parole(const std::string& t)
{
    std::string r, parola, cifre;
    const auto chiudi = [&] {
        if (!cifre.empty()) {
            Aggiungi(r, cifre.size() <= 9 ? Cardinale(std::stoll(cifre)) : Cifre(cifre));
            cifre.clear();
        }
        if (!parola.empty()) {
            Aggiungi(r, NarrowToUtf8(parola));
            parola.clear();
        }
    };
    for (std::size_t i = 0; i < t.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(t[i]);
        if (c >= '0' && c <= '9') {
            if (!parola.empty())
                chiudi();
            cifre += static_cast<char>(c);
            continue;
        }
        if (std::isalpha(c) || c >= 0xC0 || c == 0xA8 || c == 0xB8) {
            if (!cifre.empty())
                chiudi();
            parola += static_cast<char>(c);
            continue;
        }
        if (c == '\'' && !parola.empty() && Vocale(static_cast<char>(std::tolower(parola.back()))) &&
            (i + 1 == t.size() || !std::isalpha(static_cast<unsigned char>(t[i + 1])))) {
            static const std::string_view semplici = "aeiouAEIOU";
            static const char* const accentate[] = {"à", "è", "ì", "ò", "ù", "À", "È", "Ì", "Ò", "Ù"};
            const char v = parola.back();
            parola.pop_back();
            const std::string prima = NarrowToUtf8(parola);
            parola.clear();
            chiudi();
            Aggiungi(r, prima + accentate[semplici.find(v)]);
            continue;
        }
        if (c == '\'' && !parola.empty()) { // an elision: l'esponente
            parola += '\'';
            continue;
        }
        chiudi();
        if (c == ' ')
            continue;
        // Punctuation of a sentence stays on its word.
        if (c == ',' || c == '.' || c == ';' || c == ':' || c == '!' || c == '?' || c == '"' || c == '\'') {
            r += static_cast<char>(c);
            continue;
        }
        Aggiungi(r, ParolaCarattere(NarrowToUnicode(c)));
    }
    chiudi();
    return r;
}

// A plain-text item of a row: a joiner written as text, the names of the
// GCD and the LCM (`funzione` 1 and 2, whose arguments follow), or words.
std::string TParlatore::Testo(const std::string& narrow, TVoce& voce, int& funzione)
{
    const std::string t = Ritaglia(narrow);
    voce = TVoce::Inizio;
    if (t.empty())
        return {};
    if (t.size() == 1 || t == "\xB7") {
        const char16_t c = NarrowToUnicode(static_cast<unsigned char>(t[0]));
        if (c == u',')
            return ",";
        if (c == u'!')
            return "fattoriale";
        if (c == u'+' || c == u'-' || c == u':' || c == 183 || c == u'*' || c == u'/' || c == 215 || c == 247) {
            voce = TVoce::Operatore;
            return ParolaCarattere(c);
        }
    }
    if (t == "MCD") {
        funzione = 1;
        return "massimo comune divisore di";
    }
    if (t == "mcm") {
        funzione = 2;
        return "minimo comune multiplo di";
    }
    return Parole(t);
}

TDetto TParlatore::Riga(TExprClass* n, TVoce inizio, const TExprClass* fine)
{
    TDetto r;
    TVoce prima = inizio;
    TDetto ultimo;           // the last factor
    bool operandoPrima = false; // the item before is a factor
    bool pausa = false;         // a pause (comma) is due before the next word
    bool qualcosa = false;      // something has been said
    int funzione = 0;
    for (; n && n != fine; n = n->Next()) {
        if (Vuoto(n))
            continue;
        if (TestoSoloSpazi(n)) {
            // Room between items of a list: a pause between them.
            if (operandoPrima)
                pausa = true;
            continue;
        }
        std::string parola;
        TVoce voce = TVoce::Inizio;
        bool operando = false;
        TDetto d;
        if (SegnoScritto(n)) {
            parola = ParolaSegno(static_cast<TExprExtSymbol*>(n)->Code(), voce);
            if (voce == TVoce::Operando)
                operando = true;
        } else if (dynamic_cast<TExprComma*>(n)) {
            parola = ",";
        } else if (typeid(*n) == typeid(TExprSimple)) {
            int f = 0;
            parola = Testo(static_cast<TExprSimple*>(n)->Text(), voce, f);
            if (parola.empty())
                continue;
            funzione = f;
            if (pausa && parola == ",")
                pausa = false;
            // Words set apart by room after a factor ("    Resto = ") start
            // after a pause; "e" and "o" join.
            if (operandoPrima && voce == TVoce::Inizio && !f && IniziaConSpazio(static_cast<TExprSimple*>(n)->Text()) &&
                parola != "e" && parola != "o" && parola != "," && parola.rfind("uguale", 0) != 0)
                pausa = true;
        } else {
            operando = true;
            auto* b = dynamic_cast<TExprBracketed*>(n);
            if (funzione && b) {
                d = Argomenti(b->Son());
            } else {
                bool solo = !qualcosa;
                for (TExprClass* m = n->Next(); solo && m && m != fine; m = m->Next())
                    if (!Vuoto(m) && !TestoSoloSpazi(m))
                        solo = false;
                d = Nodo(n, prima, solo);
            }
            funzione = 0;
            if (d.testo.empty())
                continue;
        }
        // A pause after a compound exponent or between items set apart,
        // then "per" before a number or a bracket that follows a factor.
        if (pausa || (ultimo.virgolaDopo && operandoPrima))
            r.testo += ",";
        if (operando) {
            if (!d.testo.empty() || parola.empty())
                parola = d.testo;
            if (operandoPrima && !pausa && (d.iniziaNumero || d.iniziaParentesi))
                Aggiungi(r.testo, "per");
        }
        pausa = false;
        Aggiungi(r.testo, parola);
        if (!qualcosa) {
            r.iniziaNumero = operando && d.iniziaNumero;
            r.iniziaParentesi = operando && d.iniziaParentesi;
        }
        qualcosa = true;
        operandoPrima = operando;
        if (operando) {
            ultimo = d;
            if (d.testo.empty()) // a sign standing as a factor
                ultimo = TDetto{};
            prima = TVoce::Operando;
        } else {
            ultimo = TDetto{};
            prima = voce;
        }
    }
    r.finisceNumero = operandoPrima && ultimo.finisceNumero;
    r.finisceParentesi = operandoPrima && ultimo.finisceParentesi;
    r.virgolaDopo = operandoPrima && ultimo.virgolaDopo;
    return r;
}

// The arguments of the GCD or the LCM: "a, b e c", no brackets said.
TDetto TParlatore::Argomenti(TExprClass* n)
{
    std::vector<std::string> parti;
    TExprClass* inizio = n;
    const auto separa = [](TExprClass* m) {
        return dynamic_cast<TExprComma*>(m) ||
               (typeid(*m) == typeid(TExprSimple) && Ritaglia(static_cast<TExprSimple*>(m)->Text()) == ",");
    };
    // Each part, up to its comma, is spoken as a row of its own.
    while (inizio) {
        TExprClass* virgola = inizio;
        while (virgola && !separa(virgola))
            virgola = virgola->Next();
        const std::string parte = Riga(inizio, TVoce::Inizio, virgola).testo;
        if (!parte.empty())
            parti.push_back(parte);
        inizio = virgola ? virgola->Next() : nullptr;
    }
    TDetto d;
    for (std::size_t i = 0; i < parti.size(); ++i) {
        if (i > 0)
            d.testo += i + 1 == parti.size() ? " e " : ", ";
        d.testo += parti[i];
    }
    return d;
}

TDetto TParlatore::Tra(TExprBracketed* b, TExprClass* contenuto)
{
    static const char* const aperte[] = {"", "aperta parentesi", "aperta parentesi quadra", "aperta parentesi graffa",
                                         "valore assoluto di"};
    static const char* const chiuse[] = {"", "chiusa parentesi", "chiusa parentesi quadra", "chiusa parentesi graffa",
                                         "fine valore assoluto"};
    TDetto d;
    d.testo = aperte[b->LeftKind() % 5];
    Aggiungi(d.testo, Riga(contenuto).testo);
    Aggiungi(d.testo, chiuse[b->RightKind() % 5]);
    d.iniziaParentesi = b->LeftKind() != bkNone;
    d.finisceParentesi = b->RightKind() != bkNone;
    return d;
}

TDetto TParlatore::Gruppo(TExprBracketed* b, TVoce prima, bool solo)
{
    TExprClass* contenuto = b->Son();
    if (!Disegnate(b))
        return Riga(contenuto, prima);
    if (b->LeftKind() == bkCurly && b->RightKind() == bkNone) {
        TDetto d;
        d.testo = "sistema: " + Riga(contenuto).testo;
        return d;
    }
    if (b->LeftKind() != bkRound || b->RightKind() != bkRound)
        return Tra(b, contenuto);
    // Round brackets are said where leaving them out changes what is heard.
    const bool servono = (Operazione(contenuto) && !solo) || (Negativo(contenuto) && prima != TVoce::Inizio) ||
                         HaVirgole(contenuto);
    if (servono)
        return Tra(b, contenuto);
    return Riga(contenuto, prima);
}

// The base of a power: brackets said around anything but one symbol.
TDetto TParlatore::Base(TExprClass* n)
{
    if (auto* b = dynamic_cast<TExprBracketed*>(n); b && Disegnate(b)) {
        TExprClass* c = Interno(b->Son());
        const bool composta = Elementi(c) > 1 || dynamic_cast<TExprRatio*>(c) || dynamic_cast<TExprIndex*>(c) ||
                              dynamic_cast<TExprRoot*>(c);
        if (composta || b->LeftKind() != bkRound || b->RightKind() != bkRound)
            return Tra(b, b->Son());
        return Riga(b->Son());
    }
    // A fraction raised as a whole: its brackets are said, or the power
    // would be heard on the denominator alone.
    if (Elementi(Interno(n)) > 1 || dynamic_cast<TExprRatio*>(n)) {
        TDetto d;
        d.testo = "aperta parentesi";
        Aggiungi(d.testo, Riga(Interno(n)).testo);
        Aggiungi(d.testo, "chiusa parentesi");
        d.iniziaParentesi = d.finisceParentesi = true;
        return d;
    }
    return Nodo(n, TVoce::Inizio, true);
}

std::string TParlatore::Esponente(TExprClass* e, bool& composto)
{
    composto = false;
    TExprClass* c = Primo(Interno(e));
    long long v = 0;
    if (c && Elementi(c) == 1) {
        if (Intero(c, v) && v >= 0) {
            if (v == 2)
                return "al quadrato";
            if (v == 3)
                return "al cubo";
            if (v == 0)
                return "alla zero";
            if (v < kLimiteParole)
                return Alla(RadiceOrdinale(v) + "a");
        }
        if (auto* s = dynamic_cast<TExprStrokes*>(c)) {
            const int k = s->Count();
            return k >= 1 && k <= 10 ? RadiceOrdinale(k) + "o" : Cardinale(k) + " primi";
        }
        if (typeid(*c) == typeid(TExprVar))
            return Alla(Nome(c));
    }
    if (c && Elementi(c) == 2 && SegnoAdditivo(c)) {
        TExprClass* numero = Primo(c->Next());
        if (Intero(numero, v)) {
            TVoce voce;
            int f = 0;
            const std::string segno = dynamic_cast<TExprSign*>(c) ? ParolaSegno(static_cast<TExprSign*>(c)->Code(), voce)
                                                                   : Testo(static_cast<TExprSimple*>(c)->Text(), voce, f);
            return "alla " + segno + " " + Cardinale(v);
        }
    }
    composto = true;
    return "elevato a " + Riga(Interno(e)).testo;
}

TDetto TParlatore::Potenza(TExprIndex* i)
{
    TDetto d = Base(i->Son());
    if (TExprClass* giu = i->Sub(1)) {
        Aggiungi(d.testo, "con indice");
        Aggiungi(d.testo, Riga(Interno(giu)).testo);
        d.virgolaDopo = Elementi(Interno(giu)) > 1;
    }
    if (TExprClass* su = i->Sub(2)) {
        bool composto = false;
        Aggiungi(d.testo, Esponente(su, composto));
        d.virgolaDopo = composto;
        d.finisceNumero = false;
        d.finisceParentesi = false;
    }
    return d;
}

// What is under a root sign: in brackets when it is a sum.
std::string TParlatore::Parte(TExprClass* n)
{
    TExprClass* c = Interno(n);
    const std::string t = Riga(c).testo;
    if (Somma(c))
        return "aperta parentesi " + t + " chiusa parentesi";
    return t;
}

// A fraction, in the order it is drawn. A number over a number, perhaps
// with a minus before it and letters after it in the numerator, is said as
// a teacher says a coefficient ("meno tredici diciassettesimi ics"). A
// numerator or denominator that is a sum is named as such, the bar groups
// it on the screen and no bracket is drawn to be said. Otherwise the
// numerator, "fratto", the denominator; after "fratto" and after the named
// parts a pause, so one hears where the fraction ends.
TDetto TParlatore::Frazione(TExprRatio* r)
{
    TDetto d;
    TExprClass* sopra = Interno(r->Son());
    TExprClass* sotto = Interno(r->Son2());
    if (Somma(sopra) || Somma(sotto)) {
        d.testo = "frazione con numeratore";
        Aggiungi(d.testo, Riga(sopra).testo);
        Aggiungi(d.testo, "e denominatore");
        Aggiungi(d.testo, Riga(sotto).testo);
        d.iniziaParentesi = true; // after a factor, "per" before it, as before a bracket
        d.virgolaDopo = true;
        return d;
    }
    TExprClass* num = Primo(sopra);
    bool meno = false;
    if (num && Meno(num)) {
        meno = true;
        num = Primo(num->Next());
    }
    long long n = 0, k = 0;
    if (num && Intero(num, n) && Elementi(sotto) == 1 && Intero(Primo(sotto), k)) {
        // Letters written in the numerator after the number follow the
        // fraction's words ("cinque mezzi ics al quadrato").
        bool lettere = true;
        for (TExprClass* m = num->Next(); m; m = m->Next())
            if (!Vuoto(m) && !dynamic_cast<TExprVar*>(m) &&
                !(dynamic_cast<TExprIndex*>(m) && dynamic_cast<TExprVar*>(static_cast<TExprIndex*>(m)->Son())))
                lettere = false;
        const std::string parole = lettere ? FrazioneParole(n, k) : std::string();
        if (!parole.empty()) {
            d.testo = meno ? "meno " + parole : parole;
            d.iniziaNumero = !meno;
            d.finisceNumero = !num->Next();
            if (num->Next())
                Aggiungi(d.testo, Riga(num->Next()).testo);
            return d;
        }
    }
    d.testo = Riga(sopra).testo;
    Aggiungi(d.testo, "fratto");
    Aggiungi(d.testo, Riga(sotto).testo);
    d.iniziaNumero = num && !meno && dynamic_cast<TExprNumber*>(num);
    d.finisceNumero = true;
    d.virgolaDopo = true;
    return d;
}

// A variable's or function's name: letters by their names.
std::string TParlatore::Nome(TExprClass* n)
{
    std::string r;
    if (auto* s = dynamic_cast<TExprSimple*>(n))
        for (char c : s->Text())
            Aggiungi(r, ParolaCarattere(NarrowToUnicode(static_cast<unsigned char>(c))));
    return r;
}

std::string NomeFunzione(const std::string& t)
{
    static const std::pair<const char*, const char*> nomi[] = {
        {"sin", "seno"},       {"sen", "seno"},        {"cos", "coseno"},   {"tg", "tangente"},
        {"tan", "tangente"},   {"cotg", "cotangente"}, {"ctg", "cotangente"}, {"log", "logaritmo"},
        {"ln", "logaritmo naturale"}, {"exp", "esponenziale"}, {"arcsin", "arcoseno"}, {"arccos", "arcocoseno"},
        {"arctg", "arcotangente"}, {"max", "massimo"}, {"min", "minimo"}, {"lim", "limite"}};
    for (const auto& [da, a] : nomi)
        if (t == da)
            return a;
    return {};
}

TDetto TParlatore::Nodo(TExprClass* n, TVoce prima, bool solo)
{
    TDetto d;
    if (typeid(*n) == typeid(TExprVar)) {
        d.testo = Nome(n);
        return d;
    }
    if (auto* f = dynamic_cast<TExprFuncName*>(n)) {
        d.testo = NomeFunzione(f->Text());
        if (d.testo.empty())
            d.testo = Parole(f->Text());
        return d;
    }
    if (dynamic_cast<TExprAsterix*>(n)) {
        d.testo = "asterisco";
        return d;
    }
    if (auto* s = dynamic_cast<TExprSimple*>(n)) {
        TVoce voce;
        int f = 0;
        d.testo = Testo(s->Text(), voce, f);
        return d;
    }
    if (auto* num = dynamic_cast<TExprNumber*>(n)) {
        d.testo = NumeroParole(num);
        d.iniziaNumero = d.finisceNumero = true;
        return d;
    }
    if (auto* s = dynamic_cast<TExprSign*>(n)) {
        TVoce voce;
        d.testo = ParolaSegno(s->Code(), voce);
        return d;
    }
    if (dynamic_cast<TExprComma*>(n)) {
        d.testo = ",";
        return d;
    }
    if (dynamic_cast<TExprLambda*>(n)) {
        d.testo = "lambda barrato";
        return d;
    }
    if (dynamic_cast<TExprNabla*>(n)) {
        d.testo = "nabla";
        return d;
    }
    if (auto* e = dynamic_cast<TExprExtSymbol*>(n)) {
        d.testo = ParolaCarattere(e->Code());
        return d;
    }
    if (auto* st = dynamic_cast<TExprStrokes*>(n)) {
        const int k = st->Count();
        d.testo = k >= 1 && k <= 10 ? RadiceOrdinale(k) + "o" : Cardinale(k) + " primi";
        return d;
    }
    if (Vuoto(n))
        return d;
    if (auto* r = dynamic_cast<TExprRatio*>(n))
        return Frazione(r);
    if (auto* r = dynamic_cast<TExprRoot*>(n)) {
        long long k = 0;
        if (!r->Son2())
            d.testo = "radice quadrata di";
        else if (Elementi(Interno(r->Son2())) == 1 && Intero(Primo(Interno(r->Son2())), k) && k == 3)
            d.testo = "radice cubica di";
        else
            d.testo = "radice di indice " + Riga(Interno(r->Son2())).testo + " di";
        Aggiungi(d.testo, Parte(r->Son()));
        d.virgolaDopo = Elementi(Interno(r->Son())) > 1;
        return d;
    }
    if (auto* i = dynamic_cast<TExprIndex*>(n))
        return Potenza(i);
    if (auto* b = dynamic_cast<TExprBracketed*>(n))
        return Gruppo(b, prima, solo);
    if (auto* f = dynamic_cast<TExprCommonFunc*>(n)) {
        TExprClass* nome = f->Son();
        if (auto* l = dynamic_cast<TExprLim*>(nome)) {
            d.testo = "limite per";
            Aggiungi(d.testo, Riga(Interno(l->Son())).testo);
            Aggiungi(d.testo, "di");
        } else {
            d.testo = nome ? Nodo(nome, TVoce::Inizio, true).testo : std::string();
            Aggiungi(d.testo, "di");
        }
        TExprClass* arg = f->Son2();
        const TDetto a = arg ? (dynamic_cast<TExprBracketed*>(arg) && Somma(static_cast<TExprBracketed*>(arg)->Son())
                                    ? Tra(static_cast<TExprBracketed*>(arg), static_cast<TExprBracketed*>(arg)->Son())
                                    : Riga(Interno(arg)))
                             : TDetto{};
        Aggiungi(d.testo, a.testo);
        d.finisceParentesi = a.finisceParentesi;
        return d;
    }
    if (auto* l = dynamic_cast<TExprLim*>(n)) {
        d.testo = "limite per";
        Aggiungi(d.testo, Riga(Interno(l->Son())).testo);
        return d;
    }
    if (auto* a = dynamic_cast<TExprAtValue*>(n)) {
        d.testo = Riga(Interno(a->Son())).testo;
        Aggiungi(d.testo, "calcolato in");
        Aggiungi(d.testo, Riga(Interno(a->Son2())).testo);
        return d;
    }
    if (auto* c = dynamic_cast<TExprCap*>(n)) {
        const std::string t = Riga(Interno(c->Son())).testo;
        switch (c->CapKind()) {
        case ckArrow: d.testo = "vettore " + t; break;
        case ckCap: d.testo = t + " cappuccio"; break;
        case ckTilde: d.testo = t + " tilde"; break;
        case ckLine: d.testo = t + " segnato"; break;
        default:
            d.testo = t + (c->Count() == 1 ? " punto" : " con " + Cardinale(c->Count()) + " punti");
            break;
        }
        return d;
    }
    const auto elenco = [this](TExprClass* m, const char* separatore) {
        std::string r;
        for (bool primo = true; m; m = m->Next()) {
            if (Vuoto(m))
                continue;
            if (!primo)
                r += separatore;
            r += Nodo(m, TVoce::Inizio, true).testo;
            primo = false;
        }
        return r;
    };
    if (auto* m = dynamic_cast<TExprMatrix*>(n)) {
        d.testo = "matrice di " + Cardinale(m->Rows()) + (m->Rows() == 1 ? " riga e " : " righe e ") +
                  Cardinale(m->Columns()) + (m->Columns() == 1 ? " colonna: " : " colonne: ") + elenco(m->Son(), ", ");
        return d;
    }
    if (auto* c = dynamic_cast<TExprCase*>(n)) {
        // Each line a value and its condition.
        d.testo = "casi:";
        int k = 0;
        for (TExprClass* m = c->Son(); m; m = m->Next()) {
            if (Vuoto(m))
                continue;
            if (k % 2 == 1)
                Aggiungi(d.testo, "se");
            else if (k > 0)
                d.testo += ";";
            Aggiungi(d.testo, Nodo(m, TVoce::Inizio, true).testo);
            ++k;
        }
        return d;
    }
    if (auto* s = dynamic_cast<TExprStand*>(n)) {
        d.testo = elenco(s->Son(), "; ");
        return d;
    }
    if (auto* g = dynamic_cast<TExprGroupOp*>(n)) {
        if (dynamic_cast<TExprSumma*>(g))
            d.testo = "sommatoria";
        else if (dynamic_cast<TExprProd*>(g))
            d.testo = "produttoria";
        else if (dynamic_cast<TExprCirc*>(g))
            d.testo = "integrale di linea";
        else if (auto* i = dynamic_cast<TExprIntegral*>(g))
            d.testo = i->Multiplicity() == 2 ? "integrale doppio" : i->Multiplicity() == 3 ? "integrale triplo" : "integrale";
        if (g->Sub(1)) {
            Aggiungi(d.testo, "da");
            Aggiungi(d.testo, Riga(Interno(g->Sub(1))).testo);
        }
        if (g->Sub(2)) {
            Aggiungi(d.testo, "a");
            Aggiungi(d.testo, Riga(Interno(g->Sub(2))).testo);
        }
        Aggiungi(d.testo, "di");
        Aggiungi(d.testo, Riga(Interno(g->Son())).testo);
        return d;
    }
    if (auto* c = dynamic_cast<TExprChain*>(n))
        return Riga(c->Son(), prima);
    if (auto* p = dynamic_cast<TExprParent*>(n)) {
        std::string r;
        for (TExprClass* m = p->Son(); m; m = m->Next())
            Aggiungi(r, Nodo(m, TVoce::Inizio, true).testo);
        d.testo = r;
        return d;
    }
    return d;
}

} // namespace

std::string ItalianNumber(long long n) { return Cardinale(n); }

std::string SpokenForm(TExprClass* root)
{
    if (!root)
        return {};
    TParlatore p;
    const std::string t = p.Riga(root).testo;
    // One space between words, none at the ends, no comma left dangling;
    // and, whatever a text held, nothing of the formula language.
    std::string r;
    r.reserve(t.size());
    for (char c : t) {
        switch (c) {
        case '^': case '*': case '/': case '&': case '(': case ')': case '{': case '}': {
            const std::string w = ParolaCarattere(static_cast<char16_t>(c));
            if (!r.empty() && r.back() != ' ')
                r += ' ';
            r += w + ' ';
            continue;
        }
        default: break;
        }
        if (c == ' ' && (r.empty() || r.back() == ' '))
            continue;
        r += c;
    }
    while (!r.empty() && (r.back() == ' ' || r.back() == ','))
        r.pop_back();
    while (!r.empty() && (r.front() == ',' || r.front() == ' '))
        r.erase(0, 1);
    return r;
}

} // namespace mevario
