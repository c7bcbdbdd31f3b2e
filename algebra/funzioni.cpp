#include "funzioni.h"

#include <utility>

namespace mevario {

namespace {

bool Cifra(char c) { return c >= '0' && c <= '9'; }
bool Lettera(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
char Maiuscola(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

std::string Maiuscolo(std::string s)
{
    for (char& c : s)
        c = Maiuscola(c);
    return s;
}

} // namespace

std::string TogliCarattere(char c, const std::string& testo)
{
    std::string r;
    r.reserve(testo.size());
    for (char ch : testo)
        if (ch != c)
            r += ch;
    return r;
}

std::string FormaFormula(const std::string& testo)
{
    std::string s = testo;

    // 1. Bracket the first fraction, when its bar is not the first character:
    //    the digit runs on either side (each may be empty) go inside.
    const auto barra = s.find('/');
    if (barra != std::string::npos && barra >= 1) {
        std::size_t inizio = barra;
        while (inizio > 0 && Cifra(s[inizio - 1]))
            --inizio;
        std::size_t fine = barra + 1;
        while (fine < s.size() && Cifra(s[fine]))
            ++fine;
        s.insert(fine, 1, ')');
        s.insert(inizio, 1, '(');
    }

    // 2. Write the implicit multiplications: a digit after a letter or ')',
    //    a letter after a letter, ')' or digit.
    std::string r;
    r.reserve(s.size() * 2);
    bool dopoLettera = false; // previous was a letter or ')'
    bool dopoCifra = false;   // previous was a digit
    for (char c : s) {
        if (Cifra(c)) {
            if (dopoLettera)
                r += '*';
            dopoCifra = true;
            dopoLettera = false;
        } else if (Lettera(c)) {
            if (dopoLettera || dopoCifra)
                r += '*';
            dopoLettera = true;
            dopoCifra = false;
        } else if (c == ')') {
            dopoLettera = true;
            dopoCifra = false;
        } else {
            dopoLettera = false;
            dopoCifra = false;
        }
        r += c;
    }
    return r;
}

std::string ParteLetterale(const std::string& testo)
{
    std::size_t i = 0;
    while (i < testo.size() && testo[i] != '*' && !Lettera(testo[i]))
        ++i;
    std::string r;
    for (; i < testo.size(); ++i)
        if (testo[i] != ' ')
            r += testo[i];
    if (!r.empty() && r[0] == '*')
        r.erase(0, 1);
    return r;
}

Frazione LeggiCoefficiente(const std::string& testo)
{
    std::string numeratore;
    std::string denominatore;
    std::string* corrente = &numeratore;
    for (char c : testo) {
        if (c == ' ' || c == '(')
            continue;
        if (c == '/')
            corrente = &denominatore;
        else if (c == '-' || Cifra(c))
            *corrente += c;
        else
            break;
    }
    if (numeratore == "-")
        numeratore = "-1";
    Frazione f;
    if (!numeratore.empty())
        f.num = ConvertiIntero(numeratore);
    if (!denominatore.empty())
        f.den = ConvertiIntero(denominatore);
    return f;
}

int Esponente(const std::string& monomio, const std::string& lettera)
{
    if (lettera.empty())
        return 0;
    const std::string m = Maiuscolo(monomio);
    const auto pos = m.find(Maiuscolo(lettera));
    if (pos == std::string::npos)
        return 0;
    const std::size_t dopo = pos + lettera.size();
    if (dopo + 1 < m.size() && m[dopo] == '^' && Cifra(m[dopo + 1])) {
        int e = m[dopo + 1] - '0';
        if (dopo + 2 < m.size() && Cifra(m[dopo + 2]))
            e = e * 10 + (m[dopo + 2] - '0');
        return e;
    }
    return 1;
}

bool StessaParteLetterale(const std::string& a, const std::string& b)
{
    for (const char* l : {"x", "y", "z"})
        if (Esponente(a, l) != Esponente(b, l))
            return false;
    return true;
}

bool LetteraRipetuta(const std::string& parte)
{
    int visti[3] = {0, 0, 0};
    for (char c : parte) {
        const char m = Maiuscola(c);
        if (m >= 'X' && m <= 'Z' && ++visti[m - 'X'] > 1)
            return true;
    }
    return false;
}

bool SoloLettere(const std::string& parte)
{
    const auto lettera = [](char c) {
        const char m = Maiuscola(c);
        return m >= 'X' && m <= 'Z';
    };
    const auto cifra = [](char c) { return c >= '0' && c <= '9'; };
    std::size_t i = 0;
    const std::size_t n = parte.size();
    while (i < n) {
        if (!lettera(parte[i]))
            return false;
        ++i;
        if (i < n && parte[i] == '^') {
            std::size_t cifre = 0;
            while (++i < n && cifra(parte[i]))
                ++cifre;
            if (cifre == 0 || cifre > 2)
                return false;
        }
        if (i < n && parte[i] == '*' && (++i == n || !lettera(parte[i])))
            return false;
    }
    return true;
}

Esponenti EsponentiDi(const std::string& monomio)
{
    return {Esponente(monomio, "x"), Esponente(monomio, "y"), Esponente(monomio, "z")};
}

bool LettereEsatte(const std::string& parte, const Esponenti& attesi)
{
    return SoloLettere(parte) && !LetteraRipetuta(parte) && EsponentiDi(parte) == attesi;
}

std::string MonomioDigitato(long long num, long long den, const Esponenti& e)
{
    RiduciFrazione(num, den);
    std::string lettere;
    const std::pair<char, int> l[] = {{'x', e.x}, {'y', e.y}, {'z', e.z}};
    for (auto [lettera, esp] : l) {
        if (esp <= 0)
            continue;
        lettere += lettera;
        if (esp > 1)
            lettere += "^" + std::to_string(esp);
    }
    return TermineDigitato(num, den, lettere);
}

std::string TermineDigitato(long long num, long long den, const std::string& lettere)
{
    if (den < 0) {
        num = -num;
        den = -den;
    }
    if (!lettere.empty() && den == 1 && (num == 1 || num == -1))
        return (num < 0 ? "-" : "") + lettere;
    std::string c = std::to_string(num);
    if (den != 1)
        c += "/" + std::to_string(den);
    return c + lettere;
}

std::vector<std::string> SeparaTermini(const std::string& testo)
{
    const std::string t =
        TogliCarattere(')', TogliCarattere('(', TogliCarattere(' ', FormaFormula(testo))));
    std::vector<std::string> termini;
    if (t.empty())
        return termini;
    std::string corrente(1, t[0]);
    for (std::size_t i = 1; i < t.size(); ++i) {
        const char c = t[i];
        if (c == '+') {
            termini.push_back(corrente);
            corrente.clear();
        } else if (c == '-' && t[i - 1] != '*') {
            termini.push_back(corrente);
            corrente = "-";
        } else {
            corrente += c;
        }
    }
    termini.push_back(corrente);
    return termini;
}

std::int64_t CalcolaMcd(std::int64_t a, std::int64_t b)
{
    // Magnitudes in unsigned arithmetic: |INT64_MIN| has no signed value.
    std::uint64_t x = a < 0 ? 0 - static_cast<std::uint64_t>(a) : static_cast<std::uint64_t>(a);
    std::uint64_t y = b < 0 ? 0 - static_cast<std::uint64_t>(b) : static_cast<std::uint64_t>(b);
    if (y == 0)
        return static_cast<std::int64_t>(x); // also 0 when both are 0
    for (;;) {
        const std::uint64_t r = x % y;
        if (r == 0)
            return static_cast<std::int64_t>(y);
        x = y;
        y = r;
    }
}

void RiduciFrazione(long long& num, long long& den)
{
    if (den < 0) {
        num = -num;
        den = -den;
    }
    const long long g = static_cast<long long>(CalcolaMcd(num, den));
    if (g > 1) {
        num /= g;
        den /= g;
    }
}

std::int64_t CalcolaMcm(std::int64_t a, std::int64_t b)
{
    const std::int64_t g = CalcolaMcd(a, b);
    if (g == 0 || a == 0 || b == 0)
        return 0;
    const std::uint64_t x = a < 0 ? 0 - static_cast<std::uint64_t>(a) : static_cast<std::uint64_t>(a);
    const std::uint64_t y = b < 0 ? 0 - static_cast<std::uint64_t>(b) : static_cast<std::uint64_t>(b);
    return static_cast<std::int64_t>(x / static_cast<std::uint64_t>(g) * y);
}

} // namespace mevario
