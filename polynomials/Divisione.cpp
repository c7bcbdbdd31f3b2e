#include "Divisione.h"

#include <algorithm>
#include <climits>
#include <utility>
#include <cstdlib>

#include "Polinomi.h"
#include "funzioni.h"

namespace mevario {

namespace {

std::string Potenza(int grado) { return "x^" + std::to_string(grado); }

// The letters of a generated term of degree k: "x^0", "x", "x^2" ...
std::string LettGenerata(int k) { return k == 0 ? "x^0" : k == 1 ? "x" : Potenza(k); }

long long Mcd(long long a, long long b) { return static_cast<long long>(CalcolaMcd(a, b)); }

} // namespace

void Riduci(TTermine& t)
{
    if (t.Num == 0) {
        t.Den = 1;
        return;
    }
    const long long g = Mcd(t.Num, t.Den);
    if (g > 1) {
        t.Num = static_cast<int>(t.Num / g);
        t.Den = static_cast<int>(t.Den / g);
    }
    if (t.Den < 0) {
        t.Num = -t.Num;
        t.Den = -t.Den;
    }
}

std::string TestoTermine(const TTermine& t)
{
    if (t.Num == 0)
        return t.Riga == 1 ? "0" : "";
    std::string lett = t.Lett == "x^1" ? "x" : t.Lett.empty() ? "x^0" : t.Lett;
    std::string coeff;
    if (std::abs(static_cast<long long>(t.Den)) == 1) {
        const long long v = static_cast<long long>(t.Num) * t.Den;
        if (lett != "x^0" && v == 1)
            coeff.clear();
        else if (lett != "x^0" && v == -1)
            coeff = "-";
        else
            coeff = std::to_string(v);
    } else {
        const bool negativo = static_cast<long long>(t.Num) * t.Den < 0;
        coeff = std::string(negativo ? "-" : "") + "(" + std::to_string(std::llabs(t.Num)) + "/" +
                std::to_string(std::llabs(t.Den)) + ")";
    }
    if (lett == "x^0")
        return coeff;
    if (coeff.empty() || coeff == "-")
        return coeff + lett;
    return coeff + "*" + lett;
}

std::string TestoDigitato(const TTermine& t)
{
    if (t.Num == 0)
        return t.Riga == 1 ? "0" : "";
    std::string lettere = TogliCarattere('*', t.Lett);
    if (lettere == "x^0")
        lettere.clear();
    else if (lettere == "x^1")
        lettere = "x";
    return TermineDigitato(t.Num, t.Den, lettere);
}

std::string UnisciTermini(const std::vector<TTermine>& termini)
{
    std::string r;
    bool primo = true;
    for (const TTermine& t : termini) {
        const std::string s = TestoTermine(t);
        if (s != "0") {
            r += (!primo && !s.empty() && s[0] != '-') ? "+" + s : s;
        }
        primo = false;
    }
    return r;
}

std::string UnisciRisultato(const std::vector<TTermine>& termini)
{
    std::string r;
    for (const TTermine& t : termini) {
        const std::string s = TestoTermine(t);
        if (s == "0" || s.empty())
            continue;
        r += (!r.empty() && s[0] != '-') ? "+" + s : s;
    }
    return r;
}

bool TerminiUguali(const TTermine& a, const TTermine& b)
{
    if (a.Num != b.Num || a.Den != b.Den)
        return false;
    if (a.Num == 0)
        return true;
    // "" is "x^0" and "x" is "x^1"; otherwise the texts must be the same.
    const auto norma = [](const std::string& l) { return l.empty() ? std::string("x^0") : l == "x" ? std::string("x^1") : l; };
    return norma(a.Lett) == norma(b.Lett);
}

namespace {

// The power a term's letters stand for, as one text: lower case, no '*',
// "x^0" for none and "x^1" for a bare "x".
std::string PotenzaNormale(const std::string& lett)
{
    std::string l = TogliCarattere('*', lett);
    for (char& c : l)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return l.empty() ? "x^0" : l == "x" ? "x^1" : l;
}

} // namespace

TGiudizioCella GiudicaTermine(const TTermine& atteso, const TTermine& alunno)
{
    TGiudizioCella g;
    if (TerminiUguali(atteso, alunno))
        return g;
    const bool stessoValore = alunno.Den != 0 && atteso.Den != 0 &&
                              static_cast<long long>(atteso.Num) * alunno.Den ==
                                  static_cast<long long>(alunno.Num) * atteso.Den;
    if (!stessoValore || (atteso.Num != 0 && PotenzaNormale(atteso.Lett) != PotenzaNormale(alunno.Lett))) {
        g.esito = EsitoCella::Sbagliata;
        return g;
    }
    g.esito = EsitoCella::Forma;
    const auto maiuscola = [](const std::string& l) {
        for (char c : l)
            if (c >= 'A' && c <= 'Z')
                return true;
        return false;
    };
    if (maiuscola(alunno.Lett))
        g.cosaCambiare.emplace_back("Scrivi le lettere in minuscolo.");
    if (alunno.Num != atteso.Num || alunno.Den != atteso.Den)
        g.cosaCambiare.emplace_back("Scrivi le frazioni ridotte ai minimi termini.");
    return g;
}

TTermine GeneraCoefficiente(bool frazioni)
{
    TTermine t;
    if (CasualeTra(1, 5) == 3)
        return t; // zero
    if (frazioni && CasualeTra(1, 5) == 3) {
        do {
            t.Den = CasualeTra(1, 10);
            t.Num = CasualeTra(1, 10);
        } while (t.Num % t.Den == 0 || Mcd(t.Num, t.Den) != 1);
    } else {
        t.Den = 1;
        t.Num = CasualeTra(1, 10);
    }
    if (TestaOCroce())
        t.Num = -t.Num;
    return t;
}

TDivisione::TDivisione() { Pulisci(); }

void TDivisione::Pulisci()
{
    for (int r = 0; r <= Righe; ++r)
        for (int k = 0; k < 6; ++k)
            SolDividendo[r][k] = AluDividendo[r][k] = TTermine{0, 1, "", r};
    for (int r = 0; r < 3; ++r)
        for (int k = 0; k < 5; ++k)
            SolDivisore[r][k] = AluDivisore[r][k] = TTermine{0, 1, "", r};
    TestoQuoziente.clear();
    TestoResto.clear();
}

void TDivisione::GeneraDivisione()
{
    Pulisci();
    GradoDividendo = 4;
    GradoDivisore = TestaOCroce() ? 1 : 2;
    TTermine t = GeneraCoefficiente(false);
    t.Lett = "x^0";
    t.Riga = 1;
    SolDividendo[1][0] = t;
    for (int k = 1; k <= GradoDividendo; ++k) {
        do
            t = GeneraCoefficiente(true);
        while (k == GradoDividendo && t.Num == 0);
        t.Lett = LettGenerata(k);
        t.Riga = 1;
        SolDividendo[1][k] = t;
    }
    for (int k = 0; k <= GradoDivisore; ++k) {
        do
            t = GeneraCoefficiente(false);
        while (t.Num == 0);
        t.Lett = LettGenerata(k);
        t.Riga = 1;
        SolDivisore[1][k] = t;
    }
    AluDividendo[1] = SolDividendo[1];
    AluDivisore[1] = SolDivisore[1];
}

bool TDivisione::ImpostaDivisione(const std::vector<TTermine>& dividendo, const std::vector<TTermine>& divisore)
{
    const auto grado = [](const std::vector<TTermine>& p) {
        int g = static_cast<int>(p.size()) - 1;
        while (g >= 0 && p[static_cast<std::size_t>(g)].Num == 0)
            --g;
        return g;
    };
    const int n = grado(dividendo), m = grado(divisore);
    if (n < 1 || n > 4 || m < 1 || m > n)
        return false;
    Pulisci();
    GradoDividendo = n;
    GradoDivisore = m;
    for (int k = 0; k <= n; ++k) {
        TTermine t = dividendo[static_cast<std::size_t>(k)];
        if (t.Den == 0)
            return false;
        Riduci(t);
        t.Lett = LettGenerata(k);
        t.Riga = 1;
        SolDividendo[1][k] = t;
    }
    for (int k = 0; k <= m; ++k) {
        TTermine t = divisore[static_cast<std::size_t>(k)];
        if (t.Den == 0)
            return false;
        Riduci(t);
        t.Lett = LettGenerata(k);
        t.Riga = 1;
        SolDivisore[1][k] = t;
    }
    AluDividendo[1] = SolDividendo[1];
    AluDivisore[1] = SolDivisore[1];
    return true;
}

void TDivisione::Limite99(const TTermine& t)
{
    if (std::abs(t.Num) > Limite || std::abs(t.Den) > Limite)
        FuoriLimite = true;
}

namespace {

// num/den of degree `grado`, reduced, into t; values beyond the int range
// (possible only in a step that is beyond the limit anyway) are saturated.
void Imposta(TTermine& t, long long num, long long den, int grado)
{
    RiduciFrazione(num, den);
    const auto sat = [](long long v) { return static_cast<int>(v > INT_MAX ? INT_MAX : v < -INT_MAX ? -INT_MAX : v); };
    t.Num = sat(num);
    t.Den = sat(den);
    t.Lett = Potenza(grado);
}

} // namespace

void TDivisione::Svolgi(int modo, TNarratore* narratore)
{
    TNarratore* n = modo == 0 ? narratore : nullptr;
    if (n) {
        n->PulisciNarrazione();
        n->MostraNarrazione(true);
    }
    const auto narra = [n](const std::string& riga) {
        if (n) {
            n->Narra(riga);
            n->Pausa();
        }
    };
    const int gn = GradoDividendo, gm = GradoDivisore;
    int lead = gm;
    while (lead > 0 && SolDivisore[1][static_cast<std::size_t>(lead)].Num == 0)
        --lead;
    const TTermine& d = SolDivisore[1][static_cast<std::size_t>(lead)];
    FuoriLimite = false;
    int i = 1, p = 4;
    while (!FuoriLimite) {
        int e = gn;
        while (e >= 0 && SolDividendo[static_cast<std::size_t>(i)][static_cast<std::size_t>(e)].Num == 0)
            --e;
        if (e < 0 || e < lead || i + 2 > Righe || p < 0) {
            narra("-) Ci fermiamo perch\xC3\xA9 il grado del Resto parziale \xC3\xA8 minore del grado del Divisore. "
                  "Il risultato della Divisione \xC3\xA8 scritto sotto.");
            break;
        }
        const std::string W = i == 1 ? "Dividendo" : "Resto parziale";
        auto& riga = SolDividendo[static_cast<std::size_t>(i)];
        auto& prodotto = SolDividendo[static_cast<std::size_t>(i + 1)];
        auto& resto = SolDividendo[static_cast<std::size_t>(i + 2)];
        const TTermine& a = riga[static_cast<std::size_t>(e)];
        narra("-) Dividiamo il termine di grado massimo del " + W + " per il termine di grado massimo del Divisore, "
              "cio\xC3\xA8 (" + TestoDigitato(a) + ") / (" + TestoDigitato(d) + ") e scriviamo il risultato sotto il Divisore.");

        TTermine& q = SolDivisore[2][static_cast<std::size_t>(p)];
        Imposta(q, static_cast<long long>(a.Num) * d.Den, static_cast<long long>(a.Den) * d.Num, e - lead);
        Limite99(q);
        if (n)
            n->CellaCambiata(2, 2, p);
        narra("-) Moltiplichiamo il termine ottenuto per tutti i monomi del Divisore e scriviamo il risultato del "
              "prodotto, cambiato di segno, sotto al dividendo avendo cura di incolonnare i termini con lo stesso grado.");

        for (int j = 0; j <= gm; ++j) {
            const int grado = e - lead + j;
            if (grado < 0 || grado > 5)
                continue;
            const TTermine& dj = SolDivisore[1][static_cast<std::size_t>(j)];
            TTermine& t = prodotto[static_cast<std::size_t>(grado)];
            Imposta(t, -(static_cast<long long>(q.Num) * dj.Num), static_cast<long long>(q.Den) * dj.Den, grado);
            Limite99(t);
            if (n)
                n->CellaCambiata(1, i + 1, grado);
        }
        if (n) {
            n->Narra("-) Sommiamo il " + W + " con il Polinomio ottenuto e riportiamo il risultato in un'altra riga.");
            if (i == 1)
                n->Narra("-) Il Polinomio cos\xC3\xAC ottenuto si chiama Resto parziale.");
            n->Pausa();
        }
        for (int k = 0; k <= gn; ++k) {
            const TTermine& t1 = riga[static_cast<std::size_t>(k)];
            const TTermine& t2 = prodotto[static_cast<std::size_t>(k)];
            const long long d1 = std::llabs(t1.Den), d2 = std::llabs(t2.Den);
            const long long L = d1 / Mcd(d1, d2) * d2;
            Imposta(resto[static_cast<std::size_t>(k)], L / t1.Den * t1.Num + L / t2.Den * t2.Num, L, k);
            Limite99(resto[static_cast<std::size_t>(k)]);
            if (n)
                n->CellaCambiata(1, i + 2, k);
        }
        --p;
        i += 2;
        narra("-) Ripetiamo il procedimento fino ad ora fatto e ci fermiamo quando il grado del Resto parziale sar\xC3\xA0 "
              "minore del grado del Divisore. Quindi .........");
    }
    RigaFinale = i;
    PosizioneFinale = p;
    if (modo == 2)
        PulisciSvolgimento();
    if (modo == 0) {
        ScriviRisultato();
        // The narration stays, its last sentence beside the result.
        if (n)
            n->Risultato();
    }
}

void TDivisione::PulisciSvolgimento()
{
    for (int r = 2; r <= Righe; ++r)
        for (int k = 0; k < 6; ++k)
            SolDividendo[static_cast<std::size_t>(r)][static_cast<std::size_t>(k)] = TTermine{0, 1, "", r};
    for (int k = 0; k < 5; ++k)
        SolDivisore[2][static_cast<std::size_t>(k)] = TTermine{0, 1, "", 2};
}

void TDivisione::ScriviRisultato()
{
    std::vector<TTermine> q, r;
    for (int k = 4; k >= 0; --k)
        q.push_back(SolDivisore[2][static_cast<std::size_t>(k)]);
    for (int k = GradoDividendo; k >= 0; --k)
        r.push_back(SolDividendo[static_cast<std::size_t>(RigaFinale)][static_cast<std::size_t>(k)]);
    TestoQuoziente = UnisciRisultato(q);
    TestoResto = UnisciRisultato(r);
    // An exact division: the remainder is 0, not nothing.
    if (TestoResto.empty())
        TestoResto = "0";
}

int TDivisione::NuovaDivisione(int modo)
{
    int volte = 0;
    do {
        GeneraDivisione();
        Svolgi(modo == 0 ? 2 : modo);
        ++volte;
    } while (FuoriLimite);
    PreparaTesti();
    return volte;
}

void TDivisione::PreparaTesti()
{
    std::vector<TTermine> a, b;
    for (int k = GradoDividendo; k >= 0; --k)
        a.push_back(SolDividendo[1][static_cast<std::size_t>(k)]);
    for (int k = GradoDivisore; k >= 0; --k)
        b.push_back(SolDivisore[1][static_cast<std::size_t>(k)]);
    TestoDividendo = UnisciTermini(a);
    TestoDivisore = UnisciTermini(b);
    TestoQuoziente.clear();
    TestoResto.clear();
}

bool TDivisione::CellaValida(const Cella& c) const
{
    if (c.blocco == 1)
        return c.riga >= 1 && c.riga <= Righe && c.indice >= 0 && c.indice <= GradoDividendo;
    if (c.blocco == 2 && c.riga == 1)
        return c.indice >= 0 && c.indice <= 4;
    return c.blocco == 2 && c.riga == 2 && c.indice >= 0 && c.indice <= 4;
}

const TTermine& TDivisione::Termine(const Cella& c, bool alunno) const
{
    if (c.blocco == 1)
        return (alunno ? AluDividendo : SolDividendo)[static_cast<std::size_t>(c.riga)][static_cast<std::size_t>(c.indice)];
    return (alunno ? AluDivisore : SolDivisore)[static_cast<std::size_t>(c.riga)][static_cast<std::size_t>(c.indice)];
}

TTermine& TDivisione::TermineAlunno(const Cella& c)
{
    if (c.blocco == 1)
        return AluDividendo[static_cast<std::size_t>(c.riga)][static_cast<std::size_t>(c.indice)];
    return AluDivisore[static_cast<std::size_t>(c.riga)][static_cast<std::size_t>(c.indice)];
}

std::string TDivisione::TestoCella(const Cella& c, bool alunno) const
{
    if (!CellaValida(c))
        return {};
    // The divisor row has cells beyond the divisor's last term: empty.
    if (c.blocco == 2 && c.riga == 1 && c.indice > GradoDivisore)
        return {};
    return TestoTermine(Termine(c, alunno));
}

std::string TDivisione::TestoDigitatoCella(const Cella& c, bool alunno) const
{
    if (!CellaValida(c) || (c.blocco == 2 && c.riga == 1 && c.indice > GradoDivisore))
        return {};
    return TestoDigitato(Termine(c, alunno));
}

bool TDivisione::Digita(const Cella& c, const std::string& testo)
{
    // A cell holds one term of a polynomial in x: longer texts are not one.
    if (!CellaValida(c) || c.riga == 1 || testo.empty() || testo.size() > MaxDigitati)
        return false;
    Frazione f;
    try {
        f = LeggiCoefficiente(testo);
    } catch (const ErroreCalcolo&) {
        return false;
    }
    if (f.den == 0)
        return false;
    std::string lett = ParteLetterale(testo);
    if (LetteraRipetuta(lett)) // "xx": not a term the grid can show
        return false;
    TTermine& t = TermineAlunno(c);
    t.Num = f.num;
    t.Den = f.den;
    t.Lett = std::move(lett);
    return true;
}

std::vector<TDivisione::Cella> TDivisione::OrdineVerifica(int gradoDividendo)
{
    std::vector<Cella> r;
    for (int p = 4; p >= 0; --p) {
        r.push_back({2, 2, p});
        const int prima = 2 * (4 - p) + 2;
        for (int riga = prima; riga <= std::min(prima + 1, Righe); ++riga)
            for (int k = gradoDividendo; k >= 0; --k)
                r.push_back({1, riga, k});
    }
    return r;
}

std::vector<TDivisione::Cella> TDivisione::OrdineLettura(int gradoDividendo, int ultimaRiga, int quozienti)
{
    std::vector<Cella> r;
    for (int riga = 2; riga <= std::min(ultimaRiga, Righe); ++riga) {
        for (int k = gradoDividendo; k >= 0; --k)
            r.push_back({1, riga, k});
        if (riga == 2)
            for (int p = 4; p > 4 - quozienti && p >= 0; --p)
                r.push_back({2, 2, p});
    }
    return r;
}

TDivisione::TEsitoGriglia TDivisione::GiudicaGriglia() const
{
    TEsitoGriglia e;
    for (const Cella& c : OrdineVerifica(GradoDividendo)) {
        const TGiudizioCella g = GiudicaTermine(Termine(c, false), Termine(c, true));
        if (g.esito == EsitoCella::Sbagliata)
            e.sbagliate.push_back(c);
        else if (g.esito == EsitoCella::Forma)
            e.forma.push_back(c);
        for (const std::string& s : g.cosaCambiare)
            if (std::find(e.cosaCambiare.begin(), e.cosaCambiare.end(), s) == e.cosaCambiare.end())
                e.cosaCambiare.push_back(s);
    }
    return e;
}

bool TDivisione::GrigliaVuota() const
{
    for (const Cella& c : OrdineVerifica(GradoDividendo))
        if (Termine(c, true).Num != 0)
            return false;
    return true;
}

std::optional<TDivisione::Cella> TDivisione::PrimaDifferenza() const
{
    for (const Cella& c : OrdineVerifica(GradoDividendo))
        if (!TerminiUguali(Termine(c, false), Termine(c, true)))
            return c;
    return std::nullopt;
}

} // namespace mevario

namespace mevario {

ErroreDivisione::ErroreDivisione(const std::string& messaggio) : ErroreCalcolo(messaggio) {}

std::vector<TTermine> LeggiPolinomioInX(const std::string& testo, int gradoMassimo)
{
    if (TogliCarattere(' ', testo).empty())
        throw ErroreDivisione("il polinomio \xC3\xA8 vuoto");
    const std::vector<std::string> parti = TerminiDigitati(testo); // a sign without its term raises
    std::vector<long long> num(static_cast<std::size_t>(gradoMassimo) + 1, 0), den(num.size(), 1);
    for (const std::string& parte : parti) {
        const Frazione f = LeggiCoefficiente(parte); // may raise the conversion message
        if (f.den == 0)
            throw ErroreDivisione("in '" + testo + "' c'\xC3\xA8 una divisione per zero (" + parte + ")");
        std::string lett = TogliCarattere('*', ParteLetterale(parte));
        for (char& c : lett)
            if (c == 'X')
                c = 'x';
        int grado = 0;
        if (!lett.empty()) {
            bool ok = lett[0] == 'x';
            if (ok && lett.size() > 1) {
                ok = lett[1] == '^' && lett.size() > 2 && lett.size() <= 4;
                for (std::size_t i = 2; ok && i < lett.size(); ++i)
                    ok = lett[i] >= '0' && lett[i] <= '9';
            }
            if (!ok)
                throw ErroreDivisione("non so leggere il termine '" + parte + "' (si usa solo la lettera x, come in 3x^2)");
            grado = lett.size() == 1 ? 1 : std::stoi(lett.substr(2));
        }
        if (grado > gradoMassimo)
            throw ErroreDivisione("il termine '" + parte + "' ha grado " + std::to_string(grado) + ", oltre " +
                                  std::to_string(gradoMassimo));
        const std::size_t g = static_cast<std::size_t>(grado);
        // Terms of the same degree are added.
        num[g] = num[g] * f.den + static_cast<long long>(f.num) * den[g];
        den[g] *= f.den;
        const long long m = Mcd(num[g], den[g]);
        if (m > 1) {
            num[g] /= m;
            den[g] /= m;
        }
        if (std::llabs(num[g]) > TDivisione::Limite || std::llabs(den[g]) > TDivisione::Limite)
            throw ErroreDivisione("il coefficiente di grado " + std::to_string(grado) + " \xC3\xA8 oltre il limite di 99");
    }
    std::vector<TTermine> r;
    for (std::size_t k = 0; k < num.size(); ++k) {
        TTermine x{static_cast<int>(num[k]), static_cast<int>(den[k]), "", 1};
        Riduci(x);
        r.push_back(x);
    }
    return r;
}

} // namespace mevario
