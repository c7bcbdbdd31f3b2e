// Is a line equal to the exercise also written as the topic's answer? The
// line must be a sum of terms each typed as a monomial (its coefficient
// first, then its letters), with no similar terms, fractions reduced, and
// what the topic's own check asks of the letters.
#include <algorithm>
#include <cmath>
#include <limits>

#include "argomenti.h"
#include "diagnosi.h"
#include "regole.h"

namespace mevario {

namespace {

// One term of a line written as an answer: its sign, its coefficient as
// written and its letters in the order written (lettera, esponente, the
// exponent written, the letter in capitals).
struct TermineScritto {
    bool meno = false;
    bool numero = false;
    const Nodo* coefficiente = nullptr;
    struct Fattore {
        int lettera;
        int esponente;
        bool scritto;
        bool maiuscola;
    };
    std::vector<Fattore> lettere;
};

bool MonomiTopic(const std::string& a)
{
    const TTemaArgomento* t = TemaArgomento(a);
    return t && t->unMonomio;
}

// The factors of a term written side by side or with '*', in the order
// written; the first thing that is no answer's term gives its message.
std::string Fattori(const Espressione& e, const std::string& riga, int id, TermineScritto& t)
{
    const Nodo& n = e.nodi[static_cast<std::size_t>(id)];
    switch (n.tipo) {
    case TipoNodo::Prodotto: {
        std::string m = Fattori(e, riga, n.figli[0], t);
        return m.empty() ? Fattori(e, riga, n.figli[1], t) : m;
    }
    case TipoNodo::Numero:
        if (t.numero || !t.lettere.empty())
            return "restano prodotti da svolgere";
        t.numero = true;
        t.coefficiente = &n;
        return {};
    case TipoNodo::Lettera:
    case TipoNodo::Potenza: {
        const Nodo* l = &n;
        bool scritto = false;
        int esponente = 1;
        if (n.tipo == TipoNodo::Potenza) {
            l = &e.nodi[static_cast<std::size_t>(n.figli[0])];
            if (l->tipo == TipoNodo::Parentesi)
                return "restano parentesi";
            if (l->tipo != TipoNodo::Lettera)
                return "restano potenze da calcolare";
            scritto = true;
            esponente = n.esponente;
        }
        for (const auto& f : t.lettere)
            if (f.lettera == l->lettera)
                return "restano prodotti da svolgere";
        const char c = riga[static_cast<std::size_t>(l->posizione)];
        t.lettere.push_back({l->lettera, esponente, scritto, c >= 'X' && c <= 'Z'});
        return {};
    }
    case TipoNodo::Parentesi:
        return "restano parentesi";
    case TipoNodo::Quoziente:
        return "restano divisioni da svolgere";
    case TipoNodo::Meno:
    case TipoNodo::Somma:
        return "restano segni da sistemare";
    }
    return {};
}

} // namespace

std::string CosaManca(const std::string& argomento, const std::string& riga, const Espressione& e,
                      const Polinomio& valore)
{
    const Nodo& radice = e.nodi.back();
    std::vector<std::pair<int, bool>> addendi; // node, minus
    if (radice.tipo == TipoNodo::Somma)
        for (std::size_t k = 0; k < radice.figli.size(); ++k)
            addendi.emplace_back(radice.figli[k], radice.meno[k]);
    else
        addendi.emplace_back(e.Radice(), false);

    std::vector<TermineScritto> termini;
    for (const auto& [id, meno] : addendi) {
        TermineScritto t;
        t.meno = meno;
        if (const std::string m = Fattori(e, riga, id, t); !m.empty())
            return m;
        termini.push_back(std::move(t));
    }

    // Similar terms, and terms that are zero, before the form of each.
    std::vector<std::uint32_t> chiavi;
    for (const TermineScritto& t : termini) {
        int esp[3] = {0, 0, 0};
        for (const auto& f : t.lettere)
            esp[f.lettera] = f.esponente;
        chiavi.push_back(Chiave(esp[0], esp[1], esp[2]));
    }
    std::vector<std::uint32_t> ordinate = chiavi;
    std::sort(ordinate.begin(), ordinate.end());
    if (std::adjacent_find(ordinate.begin(), ordinate.end()) != ordinate.end())
        return "restano termini simili da sommare";
    for (const TermineScritto& t : termini)
        if (t.coefficiente && t.coefficiente->valore.Zero() && termini.size() > 1)
            return "restano termini uguali a zero da togliere";
    for (const TermineScritto& t : termini)
        if (t.coefficiente && t.coefficiente->barra &&
            !(t.coefficiente->valore.num == t.coefficiente->numeratore &&
              t.coefficiente->valore.den == t.coefficiente->denominatore && t.coefficiente->denominatore != 1))
            return "la frazione si pu\xC3\xB2 ridurre";
    if (MonomiTopic(argomento) && termini.size() != 1)
        return "il risultato \xC3\xA8 un solo monomio";
    if (const auto primo = riga.find_first_not_of(" \t"); primo != std::string::npos && riga[primo] == '+')
        return "il segno + all'inizio non serve";
    for (const TermineScritto& t : termini)
        for (const auto& f : t.lettere)
            if (f.scritto && f.esponente == 0)
                return "una lettera con esponente 0 vale 1: non si scrive";

    // No teacher leaves a coefficient 1 or an exponent 1 written out, in
    // any topic.
    for (const TermineScritto& t : termini) {
        if (t.coefficiente && !t.lettere.empty() && !t.coefficiente->barra && t.coefficiente->valore == Razionale::Di(1))
            return "il coefficiente 1 non si scrive";
        for (const auto& f : t.lettere)
            if (f.scritto && f.esponente == 1)
                return "l'esponente 1 non si scrive";
    }
    // The sum and the difference compare the letters as written, in the
    // order x, y, z.
    if (argomento == "somma-polinomi" || argomento == "differenza-polinomi") {
        for (const TermineScritto& t : termini)
            for (std::size_t k = 0; k < t.lettere.size(); ++k) {
                if (t.lettere[k].maiuscola)
                    return "le lettere si scrivono minuscole";
                if (k > 0 && t.lettere[k - 1].lettera > t.lettere[k].lettera)
                    return "le lettere vanno nell'ordine x, y, z";
            }
    }

    // What the answer's own reader makes of the line must be these terms:
    // nothing above may be read otherwise by "Procedi". That reader stops
    // at coefficients of 32 bits; the line's own reader takes 128, and a
    // line with larger ones, in the form checked above, is finished.
    for (const TermineScritto& t : termini)
        if (t.coefficiente && (t.coefficiente->numeratore > std::numeric_limits<int>::max() ||
                               t.coefficiente->denominatore > std::numeric_limits<int>::max()))
            return {};
    const auto letti = LeggiTerminiDigitati(riga);
    std::vector<TermineLetto> attesi;
    for (const Monomio& m : valore)
        attesi.push_back({static_cast<long double>(m.c.num) / static_cast<long double>(m.c.den),
                          {EsponenteDi(m.chiave, 0), EsponenteDi(m.chiave, 1), EsponenteDi(m.chiave, 2)},
                          {}});
    if (!letti || !(StessiTermini(*letti, attesi) || (attesi.empty() && letti->size() == 1 &&
                                                        std::fabs(letti->front().valore) <= 0.000001L)))
        return "scrivi il risultato come la risposta: ogni termine con il coefficiente e poi le lettere";
    return {};
}

} // namespace mevario
