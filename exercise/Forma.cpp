#include "Forma.h"

#include <algorithm>
#include <utility>

#include "funzioni.h"

namespace mevario {

namespace {

char Minuscola(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }
bool Lettera(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool Cifra(char c) { return c >= '0' && c <= '9'; }

// One term, its sign(s) included, written again.
std::string RiscriviTermine(const std::string& t, unsigned quali, unsigned& trovati)
{
    std::size_t p = 0;
    while (p < t.size() && !Lettera(t[p]))
        ++p;
    if (p == t.size())
        return t; // a number
    std::string coefficiente = t.substr(0, p);
    const std::string lettere = t.substr(p);
    if (!SoloLettere(lettere) || LetteraRipetuta(lettere))
        return t;
    // Letters with their exponents as typed.
    std::vector<std::pair<char, std::string>> pezzi;
    unsigned qui = 0;
    for (std::size_t i = 0; i < lettere.size();) {
        if (lettere[i] == '*') {
            ++i;
            continue;
        }
        char l = lettere[i++];
        if (l != Minuscola(l))
            qui |= KMaiuscole;
        if (quali & KMaiuscole)
            l = Minuscola(l);
        std::string esponente;
        if (i < lettere.size() && lettere[i] == '^') {
            ++i;
            while (i < lettere.size() && Cifra(lettere[i]))
                esponente += lettere[i++];
        }
        if (!esponente.empty() && std::stoi(esponente) == 1) {
            qui |= KEsponenteUno;
            if (quali & KEsponenteUno)
                esponente.clear();
        }
        pezzi.emplace_back(l, esponente);
    }
    const auto prima = [](const auto& a, const auto& b) { return Minuscola(a.first) < Minuscola(b.first); };
    if (!std::is_sorted(pezzi.begin(), pezzi.end(), prima)) {
        qui |= KOrdine;
        if (quali & KOrdine)
            std::stable_sort(pezzi.begin(), pezzi.end(), prima);
    }
    // A coefficient 1 before the letters ("1x", "-1*x", "+1x").
    std::size_t segni = 0;
    while (segni < coefficiente.size() && (coefficiente[segni] == '+' || coefficiente[segni] == '-'))
        ++segni;
    const std::string numero = coefficiente.substr(segni);
    if (numero == "1" || numero == "1*") {
        qui |= KCoefficienteUno;
        if (quali & KCoefficienteUno)
            coefficiente.resize(segni);
    }
    trovati |= qui & quali;
    if ((qui & quali) == 0)
        return t;
    std::string r = coefficiente;
    for (const auto& [l, e] : pezzi)
        r += e.empty() ? std::string(1, l) : std::string(1, l) + "^" + e;
    return r;
}

} // namespace

TFormaRiscritta RiscriviForma(const std::string& risposta, unsigned quali)
{
    const std::string testo = TogliCarattere(' ', risposta);
    TFormaRiscritta r;
    // Terms end before a sign that is not an exponent's, a denominator's or
    // a factor's, outside brackets.
    int profondita = 0;
    std::size_t inizio = 0;
    for (std::size_t i = 0; i <= testo.size(); ++i) {
        const char c = i < testo.size() ? testo[i] : '\0';
        if (c == '(')
            ++profondita;
        else if (c == ')')
            --profondita;
        const bool fine = i == testo.size() ||
                          ((c == '+' || c == '-') && profondita == 0 && i > inizio &&
                           std::string("^/*(+-").find(testo[i - 1]) == std::string::npos);
        if (!fine)
            continue;
        r.testo += RiscriviTermine(testo.substr(inizio, i - inizio), quali, r.trovati);
        inizio = i;
    }
    return r;
}

std::string FraseScivolone(TScivolone s)
{
    switch (s) {
    case KMaiuscole:
        return "Scrivi le lettere in minuscolo.";
    case KOrdine:
        return "Scrivi le lettere nell'ordine x, y, z.";
    case KEsponenteUno:
        return "Non scrivere l'esponente 1: x^1 si scrive x.";
    case KCoefficienteUno:
        return "Non scrivere il coefficiente 1: 1x si scrive x.";
    default:
        return {};
    }
}

namespace {

std::optional<TNumeroLetto> Numero(const std::string& t, std::size_t& i, int profondita);

// "(" numero ")" or at most 9 digits, read from t at i.
std::optional<TNumeroLetto> Atomo(const std::string& t, std::size_t& i, int profondita)
{
    if (i < t.size() && t[i] == '(') {
        if (profondita >= 8)
            return std::nullopt;
        ++i;
        auto n = Numero(t, i, profondita + 1);
        if (!n || i >= t.size() || t[i] != ')')
            return std::nullopt;
        ++i;
        return n;
    }
    const std::size_t da = i;
    TNumeroLetto v;
    while (i < t.size() && Cifra(t[i]) && i - da < 9)
        v.num = v.num * 10 + (t[i++] - '0');
    if (i == da || (i < t.size() && Cifra(t[i]))) // a tenth digit: not read
        return std::nullopt;
    return v;
}

// sign* atomo [ "/" sign* atomo ], reduced; nothing beyond 9 digits.
std::optional<TNumeroLetto> Numero(const std::string& t, std::size_t& i, int profondita)
{
    const auto segni = [&] {
        bool meno = false;
        while (i < t.size() && (t[i] == '+' || t[i] == '-'))
            meno ^= t[i++] == '-';
        return meno;
    };
    const bool meno = segni();
    auto n = Atomo(t, i, profondita);
    if (!n)
        return std::nullopt;
    if (i < t.size() && t[i] == '/') {
        ++i;
        const bool menoDen = segni();
        const auto d = Atomo(t, i, profondita);
        if (!d || d->num == 0)
            return std::nullopt;
        n = TNumeroLetto{n->num * d->den, n->den * d->num};
        if (menoDen)
            n->num = -n->num;
    }
    if (meno)
        n->num = -n->num;
    RiduciFrazione(n->num, n->den);
    if (n->num > 999999999 || n->num < -999999999 || n->den > 999999999)
        return std::nullopt;
    return n;
}

} // namespace

std::optional<TNumeroLetto> LeggiNumero(const std::string& testo)
{
    const std::string t = TogliCarattere(' ', testo);
    std::size_t i = 0;
    auto n = Numero(t, i, 0);
    if (!n || i != t.size())
        return std::nullopt;
    return n;
}

bool StessoNumero(const std::string& a, const std::string& b)
{
    const auto x = LeggiNumero(a), y = LeggiNumero(b);
    // At most 9 digits each (Numero reads no more): the products fit in 64 bits.
    return x && y && x->num * y->den == y->num * x->den;
}

} // namespace mevario
