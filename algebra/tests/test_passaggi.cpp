// The reader of a line of working and the judgement of a step.
#include <gtest/gtest.h>

#include <chrono>

#include "espressione.h"
#include "passaggi.h"

using namespace mevario;

namespace {

std::string Canonico(const std::string& riga) { return TestoPolinomio(PolinomioDi(riga)); }

// The reason and the byte where a line stops reading, or "legge".
std::string Rifiuto(const std::string& riga)
{
    try {
        (void)PolinomioDi(riga);
        return "legge";
    } catch (const ErroreRiga& e) {
        return std::string(e.troppoGrande() ? "troppo grande" : "illeggibile") + " @" +
               std::to_string(e.posizione()) + ": " + e.motivo();
    }
}

GiudizioPassaggio Giudica(const std::string& a, const std::string& b) { return GiudicaPassaggio(a, b); }

} // namespace

TEST(LettorePassaggi, AnswerNotation)
{
    EXPECT_EQ(Canonico("-3/4x^2y"), "-3/4x^2y");
    EXPECT_EQ(Canonico("2/3"), "2/3");
    EXPECT_EQ(Canonico("12x^5"), "12x^5");
    EXPECT_EQ(Canonico("X^2Y"), "x^2y");          // either case
    EXPECT_EQ(Canonico("3 x  y"), "3xy");         // spaces ignored
    EXPECT_EQ(Canonico("1 2x"), "12x");           // as in the answers: digits join across a space
    EXPECT_EQ(Canonico("2*x*y^2"), "2xy^2");
    EXPECT_EQ(Canonico("yx"), "xy");
    EXPECT_EQ(Canonico("x^0"), "1");
    EXPECT_EQ(Canonico("+3x-2x"), "x");
    EXPECT_EQ(Canonico("6/8x"), "3/4x");
    EXPECT_EQ(Canonico("x-x"), "0");
    EXPECT_EQ(Canonico("2/3^2"), "4/9"); // a fraction is one number, as the preview brackets it
}

TEST(LettorePassaggi, BracketsProductsPowersAndMinus)
{
    EXPECT_EQ(Canonico("(x+1)(x-2)"), "x^2-x-2");
    EXPECT_EQ(Canonico("[x+1][x-2]"), "x^2-x-2");
    EXPECT_EQ(Canonico("{x+1}*{x-2}"), "x^2-x-2");
    EXPECT_EQ(Canonico("2(x+1)"), "2x+2");
    EXPECT_EQ(Canonico("(x+1)*3x"), "3x^2+3x");
    EXPECT_EQ(Canonico("(x+1)3"), "3x+3");
    EXPECT_EQ(Canonico("(2x^2y)^3"), "8x^6y^3");
    EXPECT_EQ(Canonico("(x-1)^2"), "x^2-2x+1");
    EXPECT_EQ(Canonico("-(x+1)"), "-x-1");
    EXPECT_EQ(Canonico("-(-x)"), "x");
    EXPECT_EQ(Canonico("x--y"), "x+y");
    EXPECT_EQ(Canonico("3x*-2y"), "-6xy");
    EXPECT_EQ(Canonico("{2[x-(y+1)]}^2"), "4x^2-8xy-8x+4y^2+8y+4");
    EXPECT_EQ(Canonico("2x^3 - [x^2 - (x - {1 - x})]"), "2x^3-x^2+2x-1");
    EXPECT_EQ(Canonico("(x+y)^0"), "1");
    EXPECT_EQ(Canonico("(-1/2x)^3"), "-1/8x^3");
}

TEST(LettorePassaggi, DivisionByAMonomial)
{
    EXPECT_EQ(Canonico("(6x^3y):(2xy)"), "3x^2");
    EXPECT_EQ(Canonico("12x^5:3x^2"), "4x^3"); // the divisor is the whole monomial after ':'
    EXPECT_EQ(Canonico("(4x^2-2x):2x"), "2x-1");
    EXPECT_EQ(Canonico("3/4x^2:(-1/2x)"), "-3/2x");
    EXPECT_EQ(Canonico("6x^2:2x*3y"), "9xy"); // ':' and '*' from left to right
    EXPECT_EQ(Rifiuto("x:0"), "illeggibile @1: non si pu\xC3\xB2 dividere per zero");
    EXPECT_EQ(Rifiuto("x:(x-x)"), "illeggibile @1: non si pu\xC3\xB2 dividere per zero");
    EXPECT_EQ(Rifiuto("x^2:(x+1)"), "illeggibile @3: si pu\xC3\xB2 dividere solo per un monomio");
    EXPECT_EQ(Rifiuto("x:y").rfind("illeggibile @1: questa divisione non d\xC3\xA0 un polinomio", 0), 0U);
    EXPECT_EQ(Rifiuto("(x^2+1):x").rfind("illeggibile @7: questa divisione", 0), 0U);
}

TEST(LettorePassaggi, UnreadableAtTheSpotOfTheAnswers)
{
    EXPECT_EQ(Rifiuto(""), "illeggibile @-1: la riga \xC3\xA8 vuota");
    EXPECT_EQ(Rifiuto("   "), "illeggibile @-1: la riga \xC3\xA8 vuota");
    EXPECT_EQ(Rifiuto("x+"), "illeggibile @2: qui manca un numero o una lettera");
    EXPECT_EQ(Rifiuto("x+*y"), "illeggibile @2: qui manca un numero o una lettera");
    EXPECT_EQ(Rifiuto("x+(1"), "illeggibile @4: qui manca una parentesi chiusa");
    EXPECT_EQ(Rifiuto("x+1)"), "illeggibile @3: questa parentesi non \xC3\xA8 stata aperta");
    EXPECT_EQ(Rifiuto("2()"), "illeggibile @2: tra le parentesi manca qualcosa");
    EXPECT_EQ(Rifiuto("(x+1]"), "illeggibile @4: questa parentesi non chiude quella aperta: ci vuole \xC2\xAB)\xC2\xBB");
    EXPECT_EQ(Rifiuto("[x+(1]+2)"), "illeggibile @5: questa parentesi non chiude quella aperta: ci vuole \xC2\xAB)\xC2\xBB");
    EXPECT_EQ(Rifiuto("x+a"), "illeggibile @2: qui si usano solo le lettere x, y, z");
    EXPECT_EQ(Rifiuto("x=2"), "illeggibile @1: questo carattere non si pu\xC3\xB2 usare");
    // The typographic minus and dot: the answer field has no key for them
    // and the answers refuse them; so do the steps.
    EXPECT_EQ(Rifiuto("x\xE2\x88\x92y"), "illeggibile @1: questo carattere non si pu\xC3\xB2 usare");
    EXPECT_EQ(Rifiuto("x\xC2\xB7y"), "illeggibile @1: questo carattere non si pu\xC3\xB2 usare");
    EXPECT_EQ(Rifiuto("3/0x"), "illeggibile @0: Il denominatore non pu\xC3\xB2 essere zero.");
    EXPECT_EQ(Rifiuto("x+1.5y"),
              "illeggibile @2: Non riesco a leggere il coefficiente \xC2\xAB" "1.5\xC2\xBB: scrivi un numero intero o "
              "una frazione come 3/4.");
    EXPECT_EQ(Rifiuto("x^y"), "illeggibile @2: qui ci vuole l'esponente: un numero intero da 0 a 50");
    EXPECT_EQ(Rifiuto("x^-2"), "illeggibile @2: qui ci vuole l'esponente: un numero intero da 0 a 50");
    EXPECT_EQ(Rifiuto("x^2^3"), "illeggibile @3: due potenze di seguito: usa le parentesi");
    EXPECT_EQ(Rifiuto("x/2"), "illeggibile @1: la frazione si scrive tra due numeri: numeratore/denominatore");
    EXPECT_EQ(Rifiuto("3/x"), "illeggibile @2: qui manca il denominatore della frazione");
    EXPECT_EQ(Rifiuto("(0)^0"), "illeggibile @3: 0 elevato a 0 non ha significato");
}

TEST(LettorePassaggi, LimitsAreTooBigAtOnce)
{
    const auto inizio = std::chrono::steady_clock::now();
    // The size of a power is its result's: at most C(n+k-1, k) terms for n
    // terms raised to k, refused before anything is multiplied.
    EXPECT_EQ(Rifiuto("(x+y+z+1)^50"), "troppo grande @9: il calcolo avrebbe pi\xC3\xB9 di 2000 termini");
    EXPECT_EQ(Rifiuto("(x+y+z+1)^8(x+y+z+1)^8"), "troppo grande @-1: il calcolo avrebbe pi\xC3\xB9 di 2000 termini");
    EXPECT_EQ(Rifiuto("(1+x+x^2+x^3+x^4+x^5+x^6+x^7+x^8+x^9+x^10)^5(1+y+y^2+y^3+y^4+y^5+y^6+y^7+y^8+y^9+y^10)^5"),
              "troppo grande @-1: il calcolo avrebbe pi\xC3\xB9 di 2000 termini"); // 51 * 51 terms
    // A product of two sums of 64 terms each: 4,096 pairs, but at most
    // 15 * 15 terms once similar ones are gathered.
    std::string cento;
    for (int i = 0; i < 8; ++i)
        for (int j = 0; j < 8; ++j)
            cento += "+x^" + std::to_string(i) + "y^" + std::to_string(j);
    EXPECT_EQ(Rifiuto("(" + cento + ")(" + cento + ")"), "legge");
    EXPECT_EQ(Rifiuto("(x+1)^11"), "legge");
    EXPECT_EQ(Rifiuto("(x+y)^50"), "legge");
    EXPECT_EQ(Rifiuto("(x+y+z)^50"), "legge"); // 1326 terms
    EXPECT_EQ(Canonico("(x+1)^11"), "x^11+11x^10+55x^9+165x^8+330x^7+462x^6+462x^5+330x^4+165x^3+55x^2+11x+1");
    EXPECT_EQ(PolinomioDi("(x+y)^50").size(), 51U);
    EXPECT_EQ(Rifiuto("x^51"), "troppo grande @2: un esponente \xC3\xA8 maggiore di 50");
    EXPECT_EQ(Rifiuto("x^50"), "legge");
    EXPECT_EQ(Rifiuto("x^30*x^21"), "troppo grande @-1: un esponente \xC3\xA8 maggiore di 50");
    EXPECT_EQ(Rifiuto("(x^10)^6"), "troppo grande @6: un esponente \xC3\xA8 maggiore di 50");
    EXPECT_EQ(Rifiuto(std::string(1000, '(') + "x" + std::string(1000, ')')),
              "troppo grande @-1: la riga ha pi\xC3\xB9 di 1000 caratteri");
    EXPECT_EQ(Rifiuto(std::string(51, '(') + "x" + std::string(51, ')')),
              "troppo grande @50: ci sono pi\xC3\xB9 di 50 parentesi una dentro l'altra");
    EXPECT_EQ(Rifiuto(std::string(50, '(') + "x" + std::string(50, ')')), "legge");
    EXPECT_EQ(Rifiuto(std::string(1000, '9')), "troppo grande @0: un numero \xC3\xA8 troppo grande");
    EXPECT_EQ(Rifiuto(std::string(1001, '9')), "troppo grande @-1: la riga ha pi\xC3\xB9 di 1000 caratteri");
    EXPECT_EQ(Rifiuto("x+" + std::string(39, '9')), "troppo grande @2: un numero \xC3\xA8 troppo grande");
    EXPECT_EQ(Rifiuto(std::string(38, '9')), "legge");
    // Coefficients that outgrow 128 bits while computing.
    EXPECT_EQ(Rifiuto("(8x)^50"), "troppo grande @4: un numero \xC3\xA8 troppo grande");
    EXPECT_EQ(Rifiuto("99999999999999999999x*99999999999999999999x"), "troppo grande @-1: un numero \xC3\xA8 troppo grande");
    // 1000 characters are counted as characters, not bytes.
    std::string accentate;
    for (int i = 0; i < 600; ++i)
        accentate += "\xC3\xA8";
    EXPECT_EQ(Rifiuto(accentate), "illeggibile @0: questo carattere non si pu\xC3\xB2 usare");
    const auto durata = std::chrono::steady_clock::now() - inizio;
    // Generous: every refusal above is meant to cost microseconds.
    EXPECT_LT(std::chrono::duration_cast<std::chrono::milliseconds>(durata).count(), 2000);
}

TEST(GiudicaPassaggio, EquivalentAndNot)
{
    EXPECT_EQ(Giudica("(x+1)(x-2)", "x^2-2x+x-2").verdetto, VerdettoPassaggio::Equivalente);
    EXPECT_EQ(Giudica("x^2-2x+x-2", "x^2-x-2").verdetto, VerdettoPassaggio::Equivalente);
    const GiudizioPassaggio g = Giudica("x^2-2x+x-2", "x^2+x-2");
    ASSERT_EQ(g.verdetto, VerdettoPassaggio::NonEquivalente);
    ASSERT_EQ(g.valori.size(), 1U);
    EXPECT_EQ(g.valori[0], (std::pair<char, long long>('x', 1)));
    EXPECT_EQ(g.valorePrima, "-2");
    EXPECT_EQ(g.valoreDopo, "0");
    EXPECT_EQ(FraseControesempio(g), "per x = 1: prima vale -2, dopo vale 0");
    // Equivalent steps have no counterexample and no sentence.
    const GiudizioPassaggio e = Giudica("2x^2y*3x^3y", "6x^5y^2");
    EXPECT_TRUE(e.valori.empty());
    EXPECT_TRUE(e.valorePrima.empty());
    EXPECT_EQ(FraseControesempio(e), "");
}

TEST(GiudicaPassaggio, CounterexampleUsesPleasantDistinctValues)
{
    // x^2y and xy^2 are equal wherever x = y: the values are distinct.
    GiudizioPassaggio g = Giudica("x^2y", "xy^2");
    EXPECT_EQ(FraseControesempio(g), "per x = 1, y = -1: prima vale -1, dopo vale 1");
    // Letters of either line, in the order x, y, z.
    g = Giudica("z+x", "z+x+y");
    EXPECT_EQ(FraseControesempio(g), "per x = 1, y = -1, z = 2: prima vale 3, dopo vale 2");
    // A difference that vanishes at 1 and 2; x = -1 would give halves:
    // whole values are preferred.
    g = Giudica("1/2x", "1/2x+(x-1)(x-2)");
    EXPECT_EQ(FraseControesempio(g), "per x = -2: prima vale -1, dopo vale 11");
    // Constants: no letters.
    g = Giudica("2+3", "6");
    EXPECT_EQ(FraseControesempio(g), "prima vale 5, dopo vale 6");
    // A high-degree difference that vanishes on the first eight values.
    g = Giudica("x", "x+x(x-1)(x-2)(x+1)(x-3)(x+2)(x-4)(x+3)");
    ASSERT_EQ(g.verdetto, VerdettoPassaggio::NonEquivalente);
    EXPECT_EQ(FraseControesempio(g).substr(0, 10), "per x = -4");
}

TEST(GiudicaPassaggio, UnreadableLineIsNamed)
{
    GiudizioPassaggio g = Giudica("(x+1)(x-2)", "x^2-x-");
    EXPECT_EQ(g.verdetto, VerdettoPassaggio::Illeggibile);
    EXPECT_EQ(g.riga, 1);
    EXPECT_EQ(g.posizione, 6);
    EXPECT_EQ(g.motivo, "qui manca un numero o una lettera");
    g = Giudica("(x+1", "x+1");
    EXPECT_EQ(g.riga, 0);
    EXPECT_EQ(g.motivo, "qui manca una parentesi chiusa");
    g = Giudica("x", "(x+y+z+1)^50");
    EXPECT_EQ(g.verdetto, VerdettoPassaggio::TroppoGrande);
    EXPECT_EQ(g.riga, 1);
    EXPECT_EQ(FraseControesempio(g), "");
}

namespace {

std::string Errore(const std::string& prima, const std::string& dopo)
{
    const GiudizioPassaggio g = GiudicaPassaggio(prima, dopo);
    return g.verdetto == VerdettoPassaggio::NonEquivalente ? g.errore : "(non giudicato)";
}

} // namespace

TEST(RegolePassaggi, ExponentsMultipliedInAProduct)
{
    const std::string nome = "Nel prodotto gli esponenti si sommano, non si moltiplicano.";
    EXPECT_EQ(Errore("x^2*x^3", "x^6"), nome);
    EXPECT_EQ(Errore("2x^2y*3x^3y^2", "6x^6y^2"), nome);          // every letter
    EXPECT_EQ(Errore("x^2y*x^3y^4+1", "x^6y^4+1"), nome);
    EXPECT_EQ(Errore("x^2y*x^3y^4+1", "x^6y^5+1"), ""); // the rule changes every letter of the product
    EXPECT_EQ(Errore("x^2*x^3+x*x^4", "x^6+x^4"), nome);          // at all products
    EXPECT_EQ(Errore("(x^2+1)*x^3", "x^6+x^3"), nome);
    EXPECT_EQ(Errore("x^2*x^3", "x^7"), "");                     // near miss: no rule gives x^7
    EXPECT_EQ(Errore("x^2*x^3", "2x^5"), "");
}

TEST(RegolePassaggi, ExponentsAddedInAPower)
{
    const std::string nome = "Nella potenza gli esponenti si moltiplicano, non si sommano.";
    EXPECT_EQ(Errore("(x^2)^3", "x^5"), nome);
    EXPECT_EQ(Errore("(2x^2y)^3", "8x^5y^4"), nome);
    EXPECT_EQ(Errore("(x^2)^3*(y^2)^2", "x^5y^4"), nome); // at all nodes
    EXPECT_EQ(Errore("(x^2)^3", "x^8"), "");
    EXPECT_EQ(Errore("(x+1)^2", "x^3+1"), ""); // not a monomial
}

TEST(RegolePassaggi, CoefficientNotRaised)
{
    const std::string nome = "Anche il coefficiente va elevato alla potenza.";
    EXPECT_EQ(Errore("(2x^2y)^3", "2x^6y^3"), nome);
    EXPECT_EQ(Errore("(-1/2x)^2", "-1/2x^2"), nome);
    EXPECT_EQ(Errore("(2x^2y)^3", "6x^6y^3"), ""); // coefficient times 3: another mistake
}

TEST(RegolePassaggi, SignNotChangedBeforeABracket)
{
    const std::string segno = "Il meno davanti alla parentesi cambia il segno di tutti i suoi termini.";
    EXPECT_EQ(Errore("(3x+2y)-(x-y)", "3x+2y+x-y"), "Nella differenza il secondo polinomio cambia segno.");
    EXPECT_EQ(Errore("(3x+2y)-(x-y)", "3x+2y-x-y"), segno);     // one term
    EXPECT_EQ(Errore("x-(y+z-1)", "x-y+z-1"), segno);          // all but the first
    EXPECT_EQ(Errore("x-(y+z-1)", "x+y+z-1"), segno);
    EXPECT_EQ(Errore("x-2(y-1)", "x-2y-2"), segno);            // through a coefficient
    EXPECT_EQ(Errore("-(x+1)", "x+1"), segno);
    EXPECT_EQ(Errore("x+(y-1)", "x+y+1"), "");                 // no minus before the bracket
    EXPECT_EQ(Errore("x-(y-1)", "x-y-2"), "");
    EXPECT_EQ(Errore("x-(y+z-1)", "x-y+z+1"), segno);          // the second term
    EXPECT_EQ(Errore("x-(y+z-1)", "x+y+z+1"), "");             // two terms unchanged: no rule
}

TEST(RegolePassaggi, ProductTermForgotten)
{
    const std::string nome = "Manca un prodotto: ogni termine va moltiplicato per ogni termine.";
    EXPECT_EQ(Errore("(x+1)(x-2)", "x^2-2x-2"), nome);
    EXPECT_EQ(Errore("(2x-y+1)(x+3y)", "2x^2+5xy-3y^2+3y"), nome);
    EXPECT_EQ(Errore("2(x+1)", "2x"), nome);
    EXPECT_EQ(Errore("(x+1)(x-2)", "x^2-2"), "");                  // two products missing
    EXPECT_EQ(Errore("(x+1)(x-2)", "x^2-x+2"), "");
}

TEST(RegolePassaggi, SimilarTermsAddedWrongly)
{
    EXPECT_EQ(Errore("3x^2+2x^2", "5x^4"), "Nella somma di termini simili gli esponenti restano gli stessi.");
    EXPECT_EQ(Errore("3x^2+2x^2+x-4x", "5x^4-3x"), "Nella somma di termini simili gli esponenti restano gli stessi.");
    EXPECT_EQ(Errore("3x^2+2x^2", "6x^2"),
              "Nella somma di termini simili i coefficienti si sommano, non si moltiplicano.");
    EXPECT_EQ(Errore("3xy-2xy+y", "-6xy+y"),
              "Nella somma di termini simili i coefficienti si sommano, non si moltiplicano.");
    EXPECT_EQ(Errore("3x^2+2x^2+1+4-y+3y", "5x^4+5+2y^2"),
              "Nella somma di termini simili gli esponenti restano gli stessi."); // every group; numbers as they are
    EXPECT_EQ(Errore("3x^2+2x^2", "5x^2+1"), "");
    EXPECT_EQ(Errore("3x^2+2x", "5x^3"), ""); // not similar: not this rule
}

namespace {

std::string Fine(const std::string& argomento, const std::string& esercizio, const std::string& ultima)
{
    const GiudizioFine f = GiudicaFine(argomento, esercizio, ultima);
    const char* stato = f.stato == StatoFine::Finito ? "finito" : f.stato == StatoFine::QuasiFinito ? "quasi" : "no";
    return f.cosaManca.empty() ? stato : std::string(stato) + ": " + f.cosaManca;
}

} // namespace

TEST(GiudicaFine, SumAndDifferenceOfPolynomials)
{
    const std::string es = "(3x^2y+2xy-1/2)-(x^2y-xy+z)";
    for (const char* a : {"somma-polinomi", "differenza-polinomi"}) {
        EXPECT_EQ(Fine(a, es, "2x^2y+3xy-1/2-z"), "finito");
        EXPECT_EQ(Fine(a, es, "-z+3xy-1/2+2x^2y"), "finito"); // any order of the terms
        EXPECT_EQ(Fine(a, es, es), "quasi: restano parentesi");
        EXPECT_EQ(Fine(a, es, "3x^2y+2xy-1/2-x^2y+xy-z"), "quasi: restano termini simili da sommare");
        EXPECT_EQ(Fine(a, es, "2x^2y+3xy-2/4-z"), "quasi: la frazione si pu\xC3\xB2 ridurre");
        EXPECT_EQ(Fine(a, es, "2yx^2+3xy-1/2-z"), "quasi: le lettere vanno nell'ordine x, y, z");
        EXPECT_EQ(Fine(a, es, "2x^2y^1+3xy-1/2-z"), "quasi: l'esponente 1 non si scrive");
        EXPECT_EQ(Fine(a, es, "2X^2y+3xy-1/2-z"), "quasi: le lettere si scrivono minuscole");
        EXPECT_EQ(Fine(a, es, "+2x^2y+3xy-1/2-z"), "quasi: il segno + all'inizio non serve");
        EXPECT_EQ(Fine(a, es, "2x^2y+3xy-1/2+z"), "no: l'ultima riga non \xC3\xA8 uguale all'esercizio");
        EXPECT_EQ(Fine(a, es, "2x^2y+3xy-1/2-"), "no: l'ultima riga non si legge: qui manca un numero o una lettera");
    }
    EXPECT_EQ(Fine("somma-polinomi", "(x+1)+(-x-1)", "0"), "finito");
    EXPECT_EQ(Fine("somma-polinomi", "(x+1)+(-x-1)", "0x+0"), "quasi: restano termini uguali a zero da togliere");
    EXPECT_EQ(Fine("somma-polinomi", "(x+1)+(-x-1)", "0+0"), "quasi: restano termini simili da sommare");
    EXPECT_EQ(Fine("somma-polinomi", "(x+1)+(-x+1)", "0x+2"), "quasi: restano termini uguali a zero da togliere");
}

TEST(GiudicaFine, ProductOfPolynomialsAndTheDefault)
{
    const std::string es = "(2x-y)(x+3y)";
    for (const char* a : {"prodotto-polinomi", ""}) {
        EXPECT_EQ(Fine(a, es, "2x^2+5xy-3y^2"), "finito");
        EXPECT_EQ(Fine(a, es, "2x^2+5yx-3y^2"), "finito"); // letters in any order, as the product's check
        EXPECT_EQ(Fine(a, es, "2x^2+6xy-xy-3y^2"), "quasi: restano termini simili da sommare");
        EXPECT_EQ(Fine(a, es, "2x^2+5x*y-3y*y"), "quasi: restano prodotti da svolgere");
        EXPECT_EQ(Fine(a, es, "2x^2+5xy-3y^2+0"), "quasi: restano termini uguali a zero da togliere");
        EXPECT_EQ(Fine(a, es, "2x(x+3y)-y(x+3y)"), "quasi: restano parentesi");
        EXPECT_EQ(Fine(a, es, "2x^2+5xy-3x^0y^2"), "quasi: una lettera con esponente 0 vale 1: non si scrive");
    }
    EXPECT_EQ(Fine("bah", es, "2x^2+5xy-3y^2"), "finito"); // an unknown topic: the default
    EXPECT_EQ(Fine("", "x+", "x"), "no: l'esercizio non si legge: qui manca un numero o una lettera");
}

TEST(GiudicaFine, MonomialTopics)
{
    EXPECT_EQ(Fine("prodotto-monomi", "-2/3x^2y*(9/4xz)", "-3/2x^3yz"), "finito");
    EXPECT_EQ(Fine("prodotto-monomi", "-2/3x^2y*(9/4xz)", "-3/2zyx^3"), "finito");
    EXPECT_EQ(Fine("prodotto-monomi", "-2/3x^2y*(9/4xz)", "-18/12x^3yz"), "quasi: la frazione si pu\xC3\xB2 ridurre");
    EXPECT_EQ(Fine("prodotto-monomi", "-2/3x^2y*(9/4xz)", "-2/3*9/4x^3yz"), "quasi: restano prodotti da svolgere");
    EXPECT_EQ(Fine("prodotto-monomi", "-2/3x^2y*(9/4xz)", "-3/2x^2xyz"), "quasi: restano prodotti da svolgere");
    EXPECT_EQ(Fine("potenza-monomio", "(-2xy^2)^3", "-8x^3y^6"), "finito");
    EXPECT_EQ(Fine("potenza-monomio", "(-2xy^2)^3", "(-2)^3x^3y^6"), "quasi: restano parentesi");
    EXPECT_EQ(Fine("potenza-monomio", "(-2xy^2)^3", "-2^3x^3y^6"), "quasi: restano potenze da calcolare");
    EXPECT_EQ(Fine("quoziente-monomi", "12x^5y:3x^2", "4x^3y"), "finito");
    EXPECT_EQ(Fine("quoziente-monomi", "12x^5y:3x^2", "12x^3y:3"), "quasi: restano divisioni da svolgere");
    EXPECT_EQ(Fine("quoziente-monomi", "12x^5y:3x^2", "4x^3y+0"), "quasi: restano termini uguali a zero da togliere");
}

TEST(GiudicaPassaggio, CounterexampleDividesByNoZero)
{
    // y = 0 would make the divisor of the earlier line zero.
    const GiudizioPassaggio g = GiudicaPassaggio("(6x^2y+3y):3y", "2x^2");
    EXPECT_EQ(FraseControesempio(g), "per x = 1, y = -1: prima vale 3, dopo vale 2");
    const GiudizioPassaggio h = GiudicaPassaggio("x^2y:y+y", "x^2");
    EXPECT_EQ(FraseControesempio(h), "per x = 1, y = -1: prima vale 0, dopo vale 1");
}

TEST(GiudicaPassaggio, CounterexampleOfADifferenceThatVanishesOnMostValues)
{
    // Zero at x = 1, -1, 2, -2, 3, -3, 0, 4 whatever y is: found letter by letter.
    std::string zeri = "(x-1)(x-2)(x+1)(x-3)(x+2)x(x-4)(x+3)";
    GiudizioPassaggio g = GiudicaPassaggio("y", "y+" + zeri + "(y-1)(y-2)(y+1)");
    ASSERT_EQ(g.verdetto, VerdettoPassaggio::NonEquivalente);
    ASSERT_EQ(g.valori.size(), 2U);
    EXPECT_EQ(g.valori[0].second, -4);
    EXPECT_NE(g.valorePrima, g.valoreDopo);
    // A sum of two halves that each hold nearly 2,000 terms is too big.
    std::string a = "1", b = "1";
    for (int i = 1; i <= 43; ++i)
        a += "+x^" + std::to_string(i);
    for (int i = 1; i <= 44; ++i)
        b += "+y^" + std::to_string(i);
    const std::string meta = "(" + a + ")(" + b + ")";
    EXPECT_EQ(GiudicaPassaggio("x", meta).verdetto, VerdettoPassaggio::NonEquivalente);
    g = GiudicaPassaggio("x", meta + "+z" + meta);
    EXPECT_EQ(g.verdetto, VerdettoPassaggio::TroppoGrande);
    EXPECT_EQ(g.motivo, "il calcolo avrebbe pi\xC3\xB9 di 2000 termini");
}

TEST(GiudicaFine, WhatATeacherWouldCorrectIsNotFinished)
{
    // A coefficient 1 or an exponent 1 written out, in every topic.
    EXPECT_EQ(Fine("prodotto-monomi", "y*y^2", "1y^3"), "quasi: il coefficiente 1 non si scrive");
    EXPECT_EQ(Fine("prodotto-monomi", "y*y^2", "1*y^3"), "quasi: il coefficiente 1 non si scrive");
    EXPECT_EQ(Fine("prodotto-monomi", "3x^2z*xyz", "3x^3y^1z^2"), "quasi: l'esponente 1 non si scrive");
    EXPECT_EQ(Fine("prodotto-polinomi", "(x+1)(x-2)", "x^2-1x-2"), "quasi: il coefficiente 1 non si scrive");
    EXPECT_EQ(Fine("", "(x+1)(x-2)", "x^2-x^1-2"), "quasi: l'esponente 1 non si scrive");
    // The number 1 alone, and -y, are as they should be.
    EXPECT_EQ(Fine("prodotto-polinomi", "(x+1)(x-1)", "x^2-1"), "finito");
    EXPECT_EQ(Fine("prodotto-monomi", "-y*y^2", "-y^3"), "finito");
    // Coefficients as large as the line's reader takes.
    EXPECT_EQ(Fine("prodotto-monomi", "1073741824x*2xy", "2147483648x^2y"), "finito");
    EXPECT_EQ(Fine("prodotto-monomi", "65536x*65536x", "4294967296x^2"), "finito");
    EXPECT_EQ(Fine("", "(100000000000x+1)^2", "10000000000000000000000x^2+200000000000x+1"), "finito");
    EXPECT_EQ(Fine("prodotto-monomi", "65536x*65536x", "4294967296x^1"), "no: l'ultima riga non \xC3\xA8 uguale all'esercizio");
}

TEST(GiudicaPassaggio, AnOverflowWhileComparingIsATooBigLine)
{
    // Each line reads; their difference leaves 128 bits.
    const GiudizioPassaggio g = Giudica("8888888888888888882x^4-3:3^4(6)", "12x^4:3^44");
    EXPECT_EQ(g.verdetto, VerdettoPassaggio::TroppoGrande);
    EXPECT_EQ(g.riga, 1);
    EXPECT_EQ(g.motivo, "un numero \xC3\xA8 troppo grande");
    EXPECT_TRUE(g.valori.empty());
    EXPECT_TRUE(g.errore.empty());
    EXPECT_EQ(FraseControesempio(g), "");
    EXPECT_EQ(ConfrontaConEsercizio("(x+1)(x-2)", "12x^4:3^44"), ConfrontoEsercizio::Diversa);
    EXPECT_EQ(Fine("prodotto-polinomi", "(x+1)(x-2)", "12x^4:3^44"), "no: l'ultima riga non \xC3\xA8 uguale all'esercizio");
}

TEST(GiudicaPassaggio, CounterexampleIsWholeAndShort)
{
    // x = 1, y = -1, z = 2 would give fifths: the first point where both
    // values are whole and short is taken.
    GiudizioPassaggio g = Giudica("(x+2y-z)^3:5", "x^3");
    EXPECT_EQ(FraseControesempio(g), "per x = 2, y = 1, z = -1: prima vale 25, dopo vale 8");
    // A letter 0 only when nothing else shows the difference as well.
    g = Giudica("1/2x", "1/2x+(x-1)(x-2)");
    EXPECT_EQ(g.valori, (std::vector<std::pair<char, long long>>{{'x', -2}}));
    // Whole values at x = 0 only: a 0 hides terms, the fractions stay.
    g = Giudica("(-4/5x^2y-6x^2)(-4x^2y-3x^3y-1/4)", "x+1");
    ASSERT_EQ(g.valori.size(), 2U);
    EXPECT_NE(g.valori[0].second, 0);
    EXPECT_NE(g.valori[1].second, 0);
    // Fractions stay when no whole point is near.
    g = Giudica("1/3x", "1/2x");
    EXPECT_EQ(FraseControesempio(g), "per x = 2: prima vale 2/3, dopo vale 1");
}

TEST(RegolePassaggi, SignRuleOfAProduct)
{
    const std::string nome = "Nel prodotto vale la regola dei segni: segni uguali danno pi\xC3\xB9, segni diversi danno meno.";
    EXPECT_EQ(Errore("(-2x)(-3y)", "-6xy"), nome);
    EXPECT_EQ(Errore("-2x(-3y)", "-6xy"), nome); // not the minus before a bracket
    EXPECT_EQ(Errore("(-2x^2)(3xy)", "6x^3y"), nome);
    EXPECT_EQ(Errore("-2x*3y", "6xy"), nome);
    // The sign of a written term, or of a bracket's terms, is another mistake.
    EXPECT_EQ(Errore("x-2(y+1)", "x+2y+2"), "Il meno davanti alla parentesi cambia il segno di tutti i suoi termini.");
    EXPECT_EQ(Errore("2x*3y", "-6xy"), "");
}

TEST(RegolePassaggi, TheSameExponentMistakeInLongerProducts)
{
    const std::string nome = "Nel prodotto gli esponenti si sommano, non si moltiplicano.";
    EXPECT_EQ(Errore("x*x", "x"), nome);
    EXPECT_EQ(Errore("x*x*x^2", "x^2"), nome); // x*x gives x first
    EXPECT_EQ(Errore("(xy)(3xy)(2y^2)", "6xy^2"), nome);
    EXPECT_EQ(Errore("(2xy^3)(-x)(2x^2)", "-4x^2y^3"), nome);
    EXPECT_EQ(Errore("(3x^2y)(2xy^3)(x^2)(y)", "6x^4y^3"), nome);
}

TEST(RegolePassaggi, ALikeTermsSignLeftOut)
{
    const std::string nome = "Nella somma di termini simili ogni coefficiente si somma con il suo segno.";
    EXPECT_EQ(Errore("(2x^2-4x)+(x^2+7x)", "3x^2+11x"), nome);
    EXPECT_EQ(Errore("(2x^2-4x)+(x^2+7x)", "3x^2-11x"), nome);
    EXPECT_EQ(Errore("5xy-4xy", "9xy"), nome);
    EXPECT_EQ(Errore("5xy-4x", "5xy+4x"), ""); // no similar term: not this rule
}

TEST(DoveCambia, TheFirstLineNoLongerTheExercise)
{
    const std::vector<std::string> righe = {"(x+1)(x-2)", "x^2-2x+x-2", "x^2+x-2", "x^2+x-2+0", "x^2-x-2"};
    EXPECT_EQ(ConfrontaConEsercizio(righe[0], righe[1]), ConfrontoEsercizio::Uguale);
    EXPECT_EQ(ConfrontaConEsercizio(righe[0], righe[2]), ConfrontoEsercizio::Diversa);
    EXPECT_EQ(ConfrontaConEsercizio(righe[0], "x+"), ConfrontoEsercizio::Illeggibile);
    EXPECT_EQ(ConfrontaConEsercizio("x+", "x"), ConfrontoEsercizio::Illeggibile);
    const CambioCalcolo c = DoveCambia(righe);
    EXPECT_EQ(c.riga, 2);
    EXPECT_EQ(FraseCambio(c.giudizio), "Qui il calcolo cambia: per x = 1: l'esercizio vale -2, questa riga vale 0");
    // Unreadable lines are passed over; none different: -1.
    EXPECT_EQ(DoveCambia({"(x+1)(x-2)", "x+", "x^2-x-2"}).riga, -1);
    EXPECT_EQ(DoveCambia({"2+3", "x+", "6"}).riga, 2);
    EXPECT_EQ(FraseCambio(DoveCambia({"2+3", "6"}).giudizio),
              "Qui il calcolo cambia: l'esercizio vale 5, questa riga vale 6");
}
