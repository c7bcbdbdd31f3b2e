#include "espressione.h"

#include <algorithm>
#include <limits>

#include "passaggi.h"

namespace mevario {

namespace {

__extension__ typedef unsigned __int128 Naturale128;

constexpr Intero128 KMinimo = static_cast<Intero128>(static_cast<Naturale128>(1) << 127);

[[noreturn]] void NumeroTroppoGrande() { throw ErroreRiga(true, -1, "un numero \xC3\xA8 troppo grande"); }

Naturale128 Modulo(Intero128 a) { return a < 0 ? static_cast<Naturale128>(0) - static_cast<Naturale128>(a) : static_cast<Naturale128>(a); }

Naturale128 Mcd(Naturale128 a, Naturale128 b)
{
    // Nearly always both fit in 64 bits, where division is many times faster.
    if ((a >> 64) == 0 && (b >> 64) == 0) {
        std::uint64_t x = static_cast<std::uint64_t>(a), y = static_cast<std::uint64_t>(b);
        while (y != 0) {
            const std::uint64_t r = x % y;
            x = y;
            y = r;
        }
        return x;
    }
    while (b != 0) {
        const Naturale128 r = a % b;
        a = b;
        b = r;
    }
    return a;
}

Intero128 Quoto(Intero128 a, Naturale128 g)
{
    if (g == 1)
        return a;
    return a < 0 ? -static_cast<Intero128>(Modulo(a) / g) : static_cast<Intero128>(Modulo(a) / g);
}

} // namespace

Intero128 Per(Intero128 a, Intero128 b)
{
    Intero128 r;
    if (__builtin_mul_overflow(a, b, &r))
        NumeroTroppoGrande();
    return r;
}

Intero128 Piu(Intero128 a, Intero128 b)
{
    Intero128 r;
    if (__builtin_add_overflow(a, b, &r))
        NumeroTroppoGrande();
    return r;
}

Razionale Razionale::Di(Intero128 n, Intero128 d)
{
    if (n == KMinimo || d == KMinimo)
        NumeroTroppoGrande();
    if (d < 0) {
        n = -n;
        d = -d;
    }
    if (n == 0)
        return {0, 1};
    const Naturale128 g = Mcd(Modulo(n), static_cast<Naturale128>(d));
    Razionale r;
    r.num = Quoto(n, g);
    r.den = Quoto(d, g);
    return r;
}

Razionale operator+(const Razionale& a, const Razionale& b)
{
    if (a.num == 0)
        return b;
    if (b.num == 0)
        return a;
    if (a.den == b.den)
        return Razionale::Di(Piu(a.num, b.num), a.den);
    const Naturale128 g = Mcd(static_cast<Naturale128>(a.den), static_cast<Naturale128>(b.den));
    const Intero128 da = Quoto(a.den, g), db = Quoto(b.den, g);
    return Razionale::Di(Piu(Per(a.num, db), Per(b.num, da)), Per(da, b.den));
}

Razionale operator-(const Razionale& a)
{
    if (a.num == KMinimo)
        NumeroTroppoGrande();
    return {-a.num, a.den};
}

Razionale operator-(const Razionale& a, const Razionale& b) { return a + (-b); }

Razionale operator*(const Razionale& a, const Razionale& b)
{
    if (a.num == 0 || b.num == 0)
        return {0, 1};
    const Naturale128 g1 = Mcd(Modulo(a.num), static_cast<Naturale128>(b.den));
    const Naturale128 g2 = Mcd(Modulo(b.num), static_cast<Naturale128>(a.den));
    Razionale r;
    r.num = Per(Quoto(a.num, g1), Quoto(b.num, g2));
    r.den = Per(Quoto(a.den, g2), Quoto(b.den, g1));
    return r;
}

Razionale operator/(const Razionale& a, const Razionale& b)
{
    Razionale inverso = Razionale::Di(b.den, b.num);
    return a * inverso;
}

std::string TestoIntero(Intero128 n)
{
    Naturale128 m = Modulo(n);
    std::string r;
    do {
        r += static_cast<char>('0' + static_cast<int>(m % 10));
        m /= 10;
    } while (m != 0);
    if (n < 0)
        r += '-';
    std::reverse(r.begin(), r.end());
    return r;
}

std::string TestoRazionale(const Razionale& r)
{
    return r.den == 1 ? TestoIntero(r.num) : TestoIntero(r.num) + "/" + TestoIntero(r.den);
}

// ---- Polynomials -------------------------------------------------------------

Polinomio Costante(const Razionale& c)
{
    if (c.Zero())
        return {};
    return {{0, c}};
}

Polinomio SommaPolinomi(const Polinomio& a, const Polinomio& b)
{
    Polinomio r;
    r.reserve(a.size() + b.size());
    std::size_t i = 0, j = 0;
    while (i < a.size() || j < b.size()) {
        if (j == b.size() || (i < a.size() && a[i].chiave < b[j].chiave))
            r.push_back(a[i++]);
        else if (i == a.size() || b[j].chiave < a[i].chiave)
            r.push_back(b[j++]);
        else {
            const Razionale c = a[i].c + b[j].c;
            if (!c.Zero())
                r.push_back({a[i].chiave, c});
            ++i;
            ++j;
        }
    }
    return r;
}

Polinomio Opposto(Polinomio a)
{
    for (Monomio& m : a)
        m.c = -m.c;
    return a;
}

namespace {

[[noreturn]] void TroppiTermini()
{
    throw ErroreRiga(true, -1,
                     "il calcolo avrebbe pi\xC3\xB9 di " + std::to_string(KPassaggioMaxTermini) + " termini");
}

[[noreturn]] void EsponenteTroppoGrande(int posizione = -1)
{
    throw ErroreRiga(true, posizione,
                     "un esponente \xC3\xA8 maggiore di " + std::to_string(KPassaggioMaxEsponente));
}

int MassimoEsponente(const Polinomio& p, int lettera)
{
    int m = 0;
    for (const Monomio& t : p)
        m = std::max(m, EsponenteDi(t.chiave, lettera));
    return m;
}

} // namespace

Polinomio Canonico(std::vector<Monomio> termini)
{
    std::sort(termini.begin(), termini.end(),
              [](const Monomio& a, const Monomio& b) { return a.chiave < b.chiave; });
    Polinomio r;
    r.reserve(termini.size());
    for (const Monomio& t : termini) {
        if (!r.empty() && r.back().chiave == t.chiave)
            r.back().c = r.back().c + t.c;
        else
            r.push_back(t);
    }
    std::erase_if(r, [](const Monomio& m) { return m.c.Zero(); });
    return r;
}

namespace {

// The products of terms a multiplication works through: beyond this many,
// the computation is refused even when the similar terms it would gather
// leave few (the pupil waits for no line).
constexpr std::size_t KMaxProdottiTermini = 100000;

// At most how many terms a polynomial whose exponents of each letter reach
// at most massimi[l] can have: every key is one of those exponents' tuples.
std::size_t TerminiPossibili(const int massimi[3])
{
    std::size_t r = 1;
    for (int l = 0; l < 3; ++l)
        r *= static_cast<std::size_t>(massimi[l]) + 1; // at most 101^3: no overflow
    return r;
}

// C(n+k-1, k), the number of ways to pick k terms of n with repetition
// (the most terms a power of a sum can have), or `tetto`+1 past `tetto`.
std::size_t Combinazioni(std::size_t n, int k, std::size_t tetto)
{
    // C(n-1+i, i) = C(n-1+i-1, i-1) * (n-1+i) / i, exact at every step;
    // c stays within the cap before each step, so nothing overflows.
    std::size_t c = 1;
    for (int i = 1; i <= k; ++i) {
        c = c * (n - 1 + static_cast<std::size_t>(i)) / static_cast<std::size_t>(i);
        if (c > tetto)
            return tetto + 1;
    }
    return c;
}

// The product with no limit checked (the caller has).
Polinomio Moltiplica(const Polinomio& a, const Polinomio& b)
{
    std::vector<Monomio> t;
    t.reserve(a.size() * b.size());
    for (const Monomio& p : a)
        for (const Monomio& q : b)
            t.push_back({p.chiave + q.chiave, p.c * q.c}); // exponents at most 100: no carry between letters
    if (a.size() == 1 || b.size() == 1) {
        // One factor a single term: the keys stay distinct and in order.
        return t;
    }
    return Canonico(std::move(t));
}

} // namespace

Polinomio ProdottoPolinomi(const Polinomio& a, const Polinomio& b)
{
    if (a.empty() || b.empty())
        return {};
    int massimi[3];
    for (int l = 0; l < 3; ++l) {
        massimi[l] = MassimoEsponente(a, l) + MassimoEsponente(b, l);
        if (massimi[l] > KPassaggioMaxEsponente)
            EsponenteTroppoGrande();
    }
    // The result's real size: at most one term a pair, at most one term a
    // tuple of exponents within the largest.
    const std::size_t coppie = a.size() * b.size();
    if (std::min(coppie, TerminiPossibili(massimi)) > static_cast<std::size_t>(KPassaggioMaxTermini) ||
        coppie > KMaxProdottiTermini)
        TroppiTermini();
    return Moltiplica(a, b);
}

Polinomio PotenzaPolinomio(const Polinomio& base, int k)
{
    if (k == 0)
        return Costante(Razionale::Di(1));
    if (base.empty())
        return {};
    int massimi[3];
    for (int l = 0; l < 3; ++l) {
        massimi[l] = MassimoEsponente(base, l) * k;
        if (massimi[l] > KPassaggioMaxEsponente)
            EsponenteTroppoGrande();
    }
    // The size of the result before anything is multiplied: a power of a
    // sum of n terms has at most C(n+k-1, k) terms, and no more than its
    // exponents allow. Every partial power is smaller: the products below
    // need no check of their own.
    const std::size_t tetto = static_cast<std::size_t>(KPassaggioMaxTermini);
    const std::size_t termini = std::min(Combinazioni(base.size(), k, tetto), TerminiPossibili(massimi));
    if (termini > tetto || termini * base.size() > KMaxProdottiTermini)
        TroppiTermini();
    Polinomio r = base;
    for (int i = 1; i < k; ++i)
        r = Moltiplica(r, base);
    return r;
}

Razionale ValoreIn(const Polinomio& p, const long long valori[3])
{
    // Powers of each letter's value up to the largest exponent used.
    Intero128 potenze[3][KPassaggioMaxEsponente + 1];
    int calcolate[3] = {0, 0, 0};
    for (int l = 0; l < 3; ++l)
        potenze[l][0] = 1;
    Razionale somma;
    for (const Monomio& t : p) {
        Intero128 v = 1;
        for (int l = 0; l < 3; ++l) {
            const int e = EsponenteDi(t.chiave, l);
            for (; calcolate[l] < e; ++calcolate[l])
                potenze[l][calcolate[l] + 1] = Per(potenze[l][calcolate[l]], valori[l]);
            v = Per(v, potenze[l][e]);
        }
        somma = somma + t.c * Razionale{v, 1};
    }
    return somma;
}

std::string TestoPolinomio(const Polinomio& p)
{
    if (p.empty())
        return "0";
    std::string r;
    for (auto it = p.rbegin(); it != p.rend(); ++it) {
        std::string lettere;
        for (int l = 0; l < 3; ++l) {
            const int e = EsponenteDi(it->chiave, l);
            if (e == 0)
                continue;
            lettere += static_cast<char>('x' + l);
            if (e > 1)
                lettere += "^" + std::to_string(e);
        }
        std::string t;
        const Razionale& c = it->c;
        if (!lettere.empty() && c.den == 1 && (c.num == 1 || c.num == -1))
            t = (c.num < 0 ? "-" : "") + lettere;
        else
            t = TestoRazionale(c) + lettere;
        if (!r.empty() && t[0] != '-')
            r += '+';
        r += t;
    }
    return r;
}

// ---- Reading a line ------------------------------------------------------------

namespace {

const char* const KManca = "qui manca un numero o una lettera";
const char* const KNonSiLegge = "da qui la risposta non si legge";

bool Cifra(int c) { return c >= '0' && c <= '9'; }
bool Apre(int c) { return c == '(' || c == '[' || c == '{'; }
bool Chiude(int c) { return c == ')' || c == ']' || c == '}'; }
char Chiusura(int c) { return c == '(' ? ')' : c == '[' ? ']' : '}'; }
int LetteraDi(int c)
{
    if (c >= 'x' && c <= 'z')
        return c - 'x';
    if (c >= 'X' && c <= 'Z')
        return c - 'X';
    return -1;
}
bool Alfabetica(int c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool Spazio(int c) { return c == ' ' || c == '\t'; }
bool Ammesso(int c)
{
    return Cifra(c) || LetteraDi(c) >= 0 || Apre(c) || Chiude(c) || Spazio(c) || c == '+' || c == '-' || c == '*' ||
           c == '/' || c == '^' || c == ':' || c == '.' || c == ',';
}

[[noreturn]] void NonSiLegge(std::size_t posizione, const std::string& motivo)
{
    throw ErroreRiga(false, static_cast<int>(posizione), motivo);
}

// What is wrong before anything is read: a character that cannot be used,
// a bracket that closes nothing or another kind, brackets nested too deep.
void Esamina(const std::string& s)
{
    std::size_t caratteri = 0;
    for (unsigned char c : s)
        if ((c & 0xC0) != 0x80)
            ++caratteri;
    if (caratteri > static_cast<std::size_t>(KPassaggioMaxCaratteri))
        throw ErroreRiga(true, -1,
                         "la riga ha pi\xC3\xB9 di " + std::to_string(KPassaggioMaxCaratteri) + " caratteri");
    std::vector<char> aperte;
    for (std::size_t k = 0; k < s.size(); ++k) {
        const int c = static_cast<unsigned char>(s[k]);
        if (Alfabetica(c) && LetteraDi(c) < 0)
            NonSiLegge(k, "qui si usano solo le lettere x, y, z");
        if (!Ammesso(c))
            NonSiLegge(k, "questo carattere non si pu\xC3\xB2 usare");
        if (Apre(c)) {
            aperte.push_back(Chiusura(c));
            if (aperte.size() > static_cast<std::size_t>(KPassaggioMaxAnnidamento))
                throw ErroreRiga(true, static_cast<int>(k),
                                 "ci sono pi\xC3\xB9 di " + std::to_string(KPassaggioMaxAnnidamento) +
                                     " parentesi una dentro l'altra");
        } else if (Chiude(c)) {
            if (aperte.empty())
                NonSiLegge(k, "questa parentesi non \xC3\xA8 stata aperta");
            if (aperte.back() != c)
                NonSiLegge(k, std::string("questa parentesi non chiude quella aperta: ci vuole \xC2\xAB") +
                                  aperte.back() + "\xC2\xBB");
            aperte.pop_back();
        }
    }
}

class Lettore {
public:
    // The line without its spaces, each character with its byte in the line.
    explicit Lettore(const std::string& riga) : riga_(riga)
    {
        for (std::size_t k = 0; k < riga.size(); ++k)
            if (!Spazio(static_cast<unsigned char>(riga[k]))) {
                s_ += riga[k];
                posto_.push_back(static_cast<int>(k));
            }
    }

    Espressione Leggi()
    {
        Esamina(riga_);
        if (Guarda() < 0)
            throw ErroreRiga(false, -1, "la riga \xC3\xA8 vuota");
        (void)Somma();
        if (Guarda() >= 0)
            Dopo();
        return std::move(e_);
    }

private:
    const std::string& riga_;
    std::string s_;
    std::vector<int> posto_;
    std::size_t i_ = 0;
    Espressione e_;
    int profondita_ = 0;

    // The byte in the line of the k-th character read (the line's end after the last).
    int Pos(std::size_t k) const { return k < posto_.size() ? posto_[k] : static_cast<int>(riga_.size()); }

    [[noreturn]] void Ferma(std::size_t k, const std::string& motivo) const
    {
        throw ErroreRiga(false, Pos(k), motivo);
    }

    int Guarda()
    {
        while (i_ < s_.size() && Spazio(static_cast<unsigned char>(s_[i_])))
            ++i_;
        return i_ < s_.size() ? static_cast<unsigned char>(s_[i_]) : -1;
    }

    // The character before i_ that is not a space (-1 at the start).
    int Prima() const
    {
        std::size_t k = i_;
        while (k > 0 && Spazio(static_cast<unsigned char>(s_[k - 1])))
            --k;
        return k > 0 ? static_cast<unsigned char>(s_[k - 1]) : -1;
    }

    int Aggiungi(Nodo n)
    {
        const int id = static_cast<int>(e_.nodi.size());
        for (int f : n.figli)
            e_.nodi[static_cast<std::size_t>(f)].padre = id;
        e_.nodi.push_back(std::move(n));
        return id;
    }

    // A term was expected at i_ and something else stands there.
    [[noreturn]] void SenzaTermine()
    {
        const int c = Guarda();
        if (c < 0)
            Ferma(s_.size(), KManca);
        if (Chiude(c) && Apre(Prima()))
            Ferma(i_, "tra le parentesi manca qualcosa");
        Ferma(i_, KManca);
    }

    // A complete term stands before i_ and what follows joins nothing.
    [[noreturn]] void Dopo()
    {
        const int c = Guarda();
        if (Chiude(c))
            Ferma(i_, "questa parentesi non \xC3\xA8 stata aperta");
        if (c == '/')
            Ferma(i_, "la frazione si scrive tra due numeri: numeratore/denominatore");
        Ferma(i_, KNonSiLegge);
    }

    int Somma()
    {
        Nodo n;
        n.tipo = TipoNodo::Somma;
        n.posizione = Pos(i_);
        bool meno = false;
        int c = Guarda();
        if (c == '+' || c == '-') {
            meno = c == '-';
            ++i_;
        }
        for (;;) {
            n.figli.push_back(Termine());
            n.meno.push_back(meno);
            c = Guarda();
            if (c != '+' && c != '-')
                break;
            meno = c == '-';
            ++i_;
        }
        if (n.figli.size() == 1 && !n.meno[0])
            return n.figli[0];
        return Aggiungi(std::move(n));
    }

    int Termine()
    {
        int r = Catena();
        for (;;) {
            const int c = Guarda();
            if (c != '*' && c != ':')
                return r;
            const std::size_t dove = i_++;
            const int destro = Catena();
            Nodo n;
            n.tipo = c == '*' ? TipoNodo::Prodotto : TipoNodo::Quoziente;
            n.posizione = Pos(dove);
            n.figli = {r, destro};
            r = Aggiungi(std::move(n));
        }
    }

    // Factors side by side, after any unary minus.
    int Catena()
    {
        if (Guarda() == '-') {
            Nodo n;
            n.tipo = TipoNodo::Meno;
            n.posizione = Pos(i_++);
            n.figli = {Catena()};
            return Aggiungi(std::move(n));
        }
        int r = Fattore();
        for (;;) {
            const int c = Guarda();
            if (!(Cifra(c) || LetteraDi(c) >= 0 || Apre(c)))
                return r;
            const std::size_t dove = i_;
            const int destro = Fattore();
            Nodo n;
            n.tipo = TipoNodo::Prodotto;
            n.posizione = Pos(dove);
            n.figli = {r, destro};
            r = Aggiungi(std::move(n));
        }
    }

    int Fattore()
    {
        const int base = Primario();
        if (Guarda() != '^')
            return base;
        const std::size_t dove = i_++;
        const int c = Guarda();
        if (!Cifra(c))
            Ferma(c < 0 ? s_.size() : i_, "qui ci vuole l'esponente: un numero intero da 0 a " +
                                                   std::to_string(KPassaggioMaxEsponente));
        const std::size_t inizio = i_;
        int k = 0;
        while (i_ < s_.size() && Cifra(static_cast<unsigned char>(s_[i_]))) {
            k = k * 10 + (s_[i_++] - '0');
            if (k > KPassaggioMaxEsponente)
                EsponenteTroppoGrande(Pos(inizio));
        }
        if (Guarda() == '^')
            Ferma(i_, "due potenze di seguito: usa le parentesi");
        Nodo n;
        n.tipo = TipoNodo::Potenza;
        n.posizione = Pos(dove);
        n.esponente = k;
        n.figli = {base};
        return Aggiungi(std::move(n));
    }

    int Primario()
    {
        const int c = Guarda();
        if (c < 0)
            SenzaTermine();
        if (Cifra(c))
            return Numero();
        if (const int l = LetteraDi(c); l >= 0) {
            Nodo n;
            n.tipo = TipoNodo::Lettera;
            n.posizione = Pos(i_++);
            n.lettera = l;
            return Aggiungi(std::move(n));
        }
        if (Apre(c)) {
            Nodo n;
            n.tipo = TipoNodo::Parentesi;
            n.posizione = Pos(i_++);
            if (Chiude(Guarda()))
                Ferma(i_, "tra le parentesi manca qualcosa");
            ++profondita_;
            n.figli = {Somma()};
            --profondita_;
            const int f = Guarda();
            if (f < 0)
                Ferma(s_.size(), "qui manca una parentesi chiusa");
            if (f != Chiusura(c))
                Dopo();
            ++i_;
            return Aggiungi(std::move(n));
        }
        SenzaTermine();
    }

    // Digits, "," or "." refused as an answer's coefficient is.
    Intero128 Cifre(std::size_t inizio)
    {
        Intero128 v = 0;
        while (i_ < s_.size() && Cifra(static_cast<unsigned char>(s_[i_]))) {
            v = Piu(Per(v, 10), s_[i_] - '0');
            ++i_;
        }
        if (i_ < s_.size() && (s_[i_] == '.' || s_[i_] == ',')) {
            std::size_t fine = i_;
            while (fine < s_.size() && (Cifra(static_cast<unsigned char>(s_[fine])) || s_[fine] == '.' ||
                                        s_[fine] == ',' || s_[fine] == '/'))
                ++fine;
            Ferma(inizio, "Non riesco a leggere il coefficiente \xC2\xAB" + s_.substr(inizio, fine - inizio) +
                                   "\xC2\xBB: scrivi un numero intero o una frazione come 3/4.");
        }
        return v;
    }

    int Numero()
    {
        const std::size_t inizio = i_;
        Nodo n;
        n.tipo = TipoNodo::Numero;
        n.posizione = Pos(inizio);
        try {
            const Intero128 num = Cifre(inizio);
            Intero128 den = 1;
            if (Guarda() == '/') {
                n.barra = true;
                ++i_;
                const int c = Guarda();
                if (!Cifra(c))
                    Ferma(c < 0 ? s_.size() : i_, "qui manca il denominatore della frazione");
                den = Cifre(inizio);
                if (den == 0)
                    Ferma(inizio, "Il denominatore non pu\xC3\xB2 essere zero.");
            }
            n.valore = Razionale::Di(num, den);
            n.numeratore = num;
            n.denominatore = den;
        } catch (const ErroreRiga& e) {
            if (e.troppoGrande())
                throw ErroreRiga(true, Pos(inizio), e.motivo());
            throw;
        }
        return Aggiungi(std::move(n));
    }
};

} // namespace

Espressione LeggiEspressione(const std::string& riga) { return Lettore(riga).Leggi(); }

namespace {

// One node's value, its children's values looked up with valore(id).
template <class Valore>
Polinomio Calcola(const Espressione& e, int nodo, const Valore& valore)
{
    const Nodo& n = e.nodi[static_cast<std::size_t>(nodo)];
    const auto figlio = [&](std::size_t k) -> const Polinomio& { return valore(n.figli[k]); };
    switch (n.tipo) {
    case TipoNodo::Numero:
        return Costante(n.valore);
    case TipoNodo::Lettera:
        return {{Chiave(n.lettera == 0, n.lettera == 1, n.lettera == 2), Razionale::Di(1)}};
    case TipoNodo::Somma: {
        Polinomio r;
        for (std::size_t k = 0; k < n.figli.size(); ++k) {
            r = SommaPolinomi(r, n.meno[k] ? Opposto(figlio(k)) : figlio(k));
            if (r.size() > static_cast<std::size_t>(KPassaggioMaxTermini))
                TroppiTermini();
        }
        return r;
    }
    case TipoNodo::Prodotto:
        return ProdottoPolinomi(figlio(0), figlio(1));
    case TipoNodo::Quoziente: {
        const Polinomio& divisore = figlio(1);
        if (divisore.empty())
            throw ErroreRiga(false, n.posizione, "non si pu\xC3\xB2 dividere per zero");
        if (divisore.size() > 1)
            throw ErroreRiga(false, n.posizione, "si pu\xC3\xB2 dividere solo per un monomio");
        const Monomio& d = divisore[0];
        Polinomio r = figlio(0);
        for (Monomio& t : r) {
            for (int l = 0; l < 3; ++l)
                if (EsponenteDi(t.chiave, l) < EsponenteDi(d.chiave, l))
                    throw ErroreRiga(false, n.posizione,
                                     "questa divisione non d\xC3\xA0 un polinomio: nel dividendo manca qualche "
                                     "lettera del divisore");
            t.chiave -= d.chiave;
            t.c = t.c / d.c;
        }
        return r;
    }
    case TipoNodo::Potenza:
        if (n.esponente == 0 && figlio(0).empty())
            throw ErroreRiga(false, n.posizione, "0 elevato a 0 non ha significato");
        try {
            return PotenzaPolinomio(figlio(0), n.esponente);
        } catch (const ErroreRiga& x) {
            throw ErroreRiga(x.troppoGrande(), x.posizione() < 0 ? n.posizione : x.posizione(), x.motivo());
        }
    case TipoNodo::Meno:
        return Opposto(figlio(0));
    case TipoNodo::Parentesi:
        return figlio(0);
    }
    return {};
}

} // namespace

Polinomio ValoreNodo(const Espressione& e, int nodo, const std::vector<Polinomio>& v)
{
    return Calcola(e, nodo, [&v](int id) -> const Polinomio& { return v[static_cast<std::size_t>(id)]; });
}

Polinomio ValoreNodoCon(const Espressione& e, int nodo, const std::vector<Polinomio>& v, int sostituito,
                        const Polinomio& sostituto)
{
    return Calcola(e, nodo, [&](int id) -> const Polinomio& {
        return id == sostituito ? sostituto : v[static_cast<std::size_t>(id)];
    });
}

std::vector<Polinomio> ValoriNodi(const Espressione& e)
{
    std::vector<Polinomio> v(e.nodi.size());
    for (std::size_t k = 0; k < e.nodi.size(); ++k)
        v[k] = ValoreNodo(e, static_cast<int>(k), v);
    return v;
}

Polinomio PolinomioDi(const std::string& riga)
{
    const Espressione e = LeggiEspressione(riga);
    return ValoriNodi(e).back();
}

} // namespace mevario
