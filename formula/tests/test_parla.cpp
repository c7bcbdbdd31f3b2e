// The spoken form: formulas of the exercises as an Italian teacher reads
// them, numbers in words, and no formula-language character left in the
// sentence of any formula of the corpus.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "ExprCanvas.h"
#include "ExprDraw.h"
#include "ExprMake.h"
#include "ExprParla.h"

using namespace mevario;

namespace {

std::string Parla(const std::string& formula)
{
    PExpr root = TExprBuilder().ParseFormula(Utf8ToNarrow(formula));
    return SpokenForm(root.get());
}

// What must never reach a screen reader's voice.
bool Pulita(const std::string& frase)
{
    return frase.find_first_of("^*/&(){}") == std::string::npos;
}

TEST(Parla, NumbersInWords)
{
    const std::pair<long long, const char*> casi[] = {
        {0, "zero"},
        {1, "uno"},
        {17, "diciassette"},
        {21, "ventuno"},
        {23, "ventitré"},
        {28, "ventotto"},
        {38, "trentotto"},
        {100, "cento"},
        {101, "centouno"},
        {103, "centotré"},
        {108, "centotto"},
        {180, "centottanta"},
        {188, "centottantotto"},
        {342, "trecentoquarantadue"},
        {800, "ottocento"},
        {1000, "mille"},
        {1003, "milletré"},
        {1100, "millecento"},
        {2000, "duemila"},
        {2008, "duemilaotto"},
        {3000, "tremila"},
        {21000, "ventunomila"},
        {23000, "ventitremila"},
        {101101, "centounomilacentouno"},
        {999999, "novecentonovantanovemilanovecentonovantanove"},
        {1000000, "un milione"},
        {2000001, "due milioni uno"},
        {123456789, "centoventitré milioni quattrocentocinquantaseimilasettecentottantanove"},
        {999999999, "novecentonovantanove milioni novecentonovantanovemilanovecentonovantanove"},
        // Past the words, digit by digit: never a string of digits a voice
        // reads in a language of its own.
        {1234567890, "uno due tre quattro cinque sei sette otto nove zero"},
        {-1000000000, "meno uno zero zero zero zero zero zero zero zero zero"},
        {-5, "meno cinque"},
    };
    for (const auto& [n, parole] : casi)
        EXPECT_EQ(ItalianNumber(n), parole) << n;
}

// Formulas the windows show (exercises, solutions, the division), with the
// sentence a teacher says.
TEST(Parla, FormulasOfTheExercisesAsATeacherSaysThem)
{
    const std::pair<const char*, const char*> casi[] = {
        // monomials, fractions, powers
        {"-(3/4)*x^2*y*z^3", "meno tre quarti ics al quadrato ipsilon zeta al cubo"},
        {"12*x^5", "dodici ics alla quinta"},
        {"(1/2)*x^2*z", "un mezzo ics al quadrato zeta"},
        {"(1/3)*y", "un terzo ipsilon"},
        {"(2/3)*x", "due terzi ics"},
        {"(5/7)*z", "cinque settimi zeta"},
        {"(7/10)*x*y", "sette decimi ics ipsilon"},
        {"-(1/6)*x", "meno un sesto ics"},
        {"(4/9)*x^6*y^2", "quattro noni ics alla sesta ipsilon al quadrato"},
        {"(18/23)*x", "diciotto ventitreesimi ics"},
        {"(8/343)*y^6*z^3", "otto fratto trecentoquarantatré, ipsilon alla sesta zeta al cubo"},
        {"5/2*x^2", "cinque mezzi ics al quadrato"},
        {"0.8*x^4*y^2*z", "zero virgola otto ics alla quarta ipsilon al quadrato zeta"},
        {"x^0", "ics alla zero"},
        {"x^1", "ics alla prima"},
        {"x^8*y^11*z^12", "ics all'ottava ipsilon all'undicesima zeta alla dodicesima"},
        {"x^21*y^23*z^26", "ics alla ventunesima ipsilon alla ventitreesima zeta alla ventiseiesima"},
        {"x^100*y^110*z^2000", "ics alla centesima ipsilon alla centodecima zeta alla duemillesima"},
        {"x^-3", "ics alla meno tre"},
        {"-125*x^6*y^12*z^3", "meno centoventicinque ics alla sesta ipsilon alla dodicesima zeta al cubo"},
        {"240*x^2*y^2*z^3", "duecentoquaranta ics al quadrato ipsilon al quadrato zeta al cubo"},
        // sums and differences
        {"7*x^3*z&string(  +  )&(-4)*x^3*z",
         "sette ics al cubo zeta più aperta parentesi meno quattro chiusa parentesi ics al cubo zeta"},
        {"-3*x^2+3*x*y-17*z+3", "meno tre ics al quadrato più tre ics ipsilon meno diciassette zeta più tre"},
        {"((2/7)-8)*x*y*z", "aperta parentesi due settimi meno otto chiusa parentesi ics ipsilon zeta"},
        {"(x^2+3*x*y-5*z)&string(  -  )&(4*x^2+12*z-3)&string(  =)",
         "aperta parentesi ics al quadrato più tre ics ipsilon meno cinque zeta chiusa parentesi meno aperta "
         "parentesi quattro ics al quadrato più dodici zeta meno tre chiusa parentesi uguale"},
        {"((2/7)*x*y-8*x)&space(5)&symbol(43)&space(5)&(4*x+6)",
         "aperta parentesi due settimi ics ipsilon meno otto ics chiusa parentesi più aperta parentesi quattro ics "
         "più sei chiusa parentesi"},
        // products and powers
        {"(2*x+5*y)&string(  \xC2\xB7  )&(3*x-4*y)",
         "aperta parentesi due ics più cinque ipsilon chiusa parentesi per aperta parentesi tre ics meno quattro "
         "ipsilon chiusa parentesi"},
        {"5*x&string(  \xC2\xB7  )&(-4)*x", "cinque ics per aperta parentesi meno quattro chiusa parentesi ics"},
        {"(-3)*.(1/2)*.(1)*x^(1+1)",
         "meno tre per un mezzo per uno ics elevato a uno più uno"},
        {"(2/7)*.(-8)*x^(1+1)*y*z",
         "due settimi per aperta parentesi meno otto chiusa parentesi ics elevato a uno più uno, ipsilon zeta"},
        {"3*(x+1)", "tre per aperta parentesi ics più uno chiusa parentesi"},
        // A step of the working: factors side by side as typed.
        {"!(-2**x)**!(-3**y)", "meno due ics per aperta parentesi meno tre ipsilon chiusa parentesi"},
        {"x**!(x+1)", "ics per aperta parentesi ics più uno chiusa parentesi"},
        {"x^(1+1)*.2**3", "ics elevato a uno più uno, per due per tre"},
        {"(4*x^2*y)^3", "aperta parentesi quattro ics al quadrato ipsilon chiusa parentesi al cubo"},
        {"(-5)^3*x^(2*.3)", "aperta parentesi meno cinque chiusa parentesi al cubo ics elevato a due per tre"},
        {"!((2/7))^3*y^(2*.3)*z^(1*.3)",
         "aperta parentesi due settimi chiusa parentesi al cubo ipsilon elevato a due per tre, zeta elevato a uno "
         "per tre"},
        {"-(2/3)^2", "meno aperta parentesi due terzi chiusa parentesi al quadrato"},
        {"(x+1)^2", "aperta parentesi ics più uno chiusa parentesi al quadrato"},
        // quotients
        {"-(7/4)*x*y*z^3&string(  :  )&8*y*z^2", "meno sette quarti ics ipsilon zeta al cubo diviso otto ipsilon zeta al quadrato"},
        {"!((2/7)&string( : )&(-8))*x^(3-2)",
         "aperta parentesi due settimi diviso aperta parentesi meno otto chiusa parentesi chiusa parentesi ics "
         "elevato a tre meno due"},
        // GCD and LCM
        {"string(MCD)&!(-36*x^2*z^2&string(,  )&44*x)",
         "massimo comune divisore di meno trentasei ics al quadrato zeta al quadrato e quarantaquattro ics"},
        {"string(mcm)&!(-19*x^2&string(,  )&-14*y&string(,  )&10*y^3*z)&string(  =  )&-1330*x^2*y^3*z",
         "minimo comune multiplo di meno diciannove ics al quadrato, meno quattordici ipsilon e dieci ipsilon al cubo "
         "zeta uguale meno milletrecentotrenta ics al quadrato ipsilon al cubo zeta"},
        // the division: header and result
        {"(-8*x^4-3*x^3+2*x^2-7*x+8)&string(  :  )&(8*x^2-5*x+2)",
         "aperta parentesi meno otto ics alla quarta meno tre ics al cubo più due ics al quadrato meno sette ics più "
         "otto chiusa parentesi diviso aperta parentesi otto ics al quadrato meno cinque ics più due chiusa parentesi"},
        {"string(Quoziente = )&-x^2-x-(1/8)&string(    Resto = )&-(45/8)*x+(33/4)",
         "Quoziente uguale meno ics al quadrato meno ics meno un ottavo, Resto uguale meno quarantacinque ottavi ics "
         "più trentatré quarti"},
        // words of the solutions
        {"string(e' una somma, non un prodotto)", "è una somma, non un prodotto"},
        {"string(le lettere comuni, con l'esponente minore:  )&y", "le lettere comuni, con l'esponente minore: ipsilon"},
        {"2/5&string(       )&3*x&string(       )&5*x*y", "due quinti, tre ics, cinque ics ipsilon"},
        {"1234567*x", "un milione duecentotrentaquattromilacinquecentosessantasette ics"},
        {"123456789012*x", "uno due tre quattro cinque sei sette otto nove zero uno due ics"},
        // Drawn as 8,888...9·10^18: said as drawn, the digits one by one.
        {"8888888888888888882*x",
         "otto virgola otto otto otto otto otto otto otto otto otto otto otto otto otto nove per dieci alla "
         "diciottesima ics"},
    };
    for (const auto& [formula, frase] : casi) {
        const std::string detta = Parla(formula);
        EXPECT_EQ(detta, frase) << formula;
        EXPECT_TRUE(Pulita(detta)) << formula;
    }
}

// Fractions of whole numbers as a teacher reads them: the denominator an
// ordinal, singular after one, plural otherwise, up to 300; beyond,
// "fratto" and a pause where the fraction ends.
TEST(Parla, FractionsAsAnItalianTeacherSaysThem)
{
    const std::pair<const char*, const char*> casi[] = {
        // halves and the first ordinals
        {"1/2", "un mezzo"},
        {"2/2", "due mezzi"},
        {"5/2", "cinque mezzi"},
        {"5/3", "cinque terzi"},
        {"3/4", "tre quarti"},
        {"0/5", "zero quinti"},
        {"1/8", "un ottavo"},
        // from eleven on: the cardinal without its last vowel and -esimi
        {"1/11", "un undicesimo"},
        {"11/11", "undici undicesimi"},
        {"13/12", "tredici dodicesimi"},
        {"2/13", "due tredicesimi"},
        {"1/16", "un sedicesimo"},
        {"5/18", "cinque diciottesimi"},
        {"11/20", "undici ventesimi"},
        {"3/21", "tre ventunesimi"},
        {"1/23", "un ventitreesimo"},
        {"7/26", "sette ventiseiesimi"},
        {"9/28", "nove ventottesimi"},
        {"17/33", "diciassette trentatreesimi"},
        {"3/100", "tre centesimi"},
        {"1/101", "un centunesimo"},
        {"7/108", "sette centottesimi"},
        {"3/110", "tre centodecimi"},
        {"1/112", "un centododicesimo"},
        {"8/125", "otto centoventicinquesimi"},
        {"5/256", "cinque duecentocinquantaseiesimi"},
        {"1/300", "un trecentesimo"},
        // a minus before the numerator
        {"-1/2", "meno un mezzo"},
        {"-13/12", "meno tredici dodicesimi"},
        // past 300, or over one: "fratto", then a pause before what follows
        {"1/301", "uno fratto trecentouno"},
        {"8/343", "otto fratto trecentoquarantatré"},
        {"8/343+x", "otto fratto trecentoquarantatré, più ics"},
        {"(8/343)*x", "otto fratto trecentoquarantatré, ics"},
        {"7/1", "sette fratto uno"},
        {"1234567890/3", "uno due tre quattro cinque sei sette otto nove zero fratto tre"},
        // not whole numbers: "fratto"
        {"x/y", "ics fratto ipsilon"},
        {"2.5/3", "due virgola cinque fratto tre"},
        {"3*x/(4*y)", "tre ics fratto quattro ipsilon"},
        {"x/y=1", "ics fratto ipsilon, uguale uno"},
    };
    for (const auto& [formula, frase] : casi)
        EXPECT_EQ(Parla(formula), frase) << formula;
}

// What is drawn over the bar is said before what is drawn under it: 13/17*x
// is drawn 13x over 17; (13/17)*x is the same monomial drawn with x beside.
TEST(Parla, AFractionIsReadInTheOrderItIsDrawn)
{
    const std::pair<const char*, const char*> casi[] = {
        {"13/17*x", "tredici diciassettesimi ics"},
        {"x*13/17", "tredici diciassettesimi ics"},
        {"(13/17)*x", "tredici diciassettesimi ics"},
        {"-13/17*x^2*y", "meno tredici diciassettesimi ics al quadrato ipsilon"},
        {"13/500*x", "tredici ics fratto cinquecento"},
        {"(13/500)*x", "tredici fratto cinquecento, ics"},
        {"13/(17*x)", "tredici fratto diciassette ics"},
        {"(13/17)*.(3/4)", "tredici diciassettesimi per tre quarti"},
    };
    for (const auto& [formula, frase] : casi)
        EXPECT_EQ(Parla(formula), frase) << formula;
}

// A numerator or denominator that is a sum is grouped by the bar, not by a
// bracket: it is named, never read as brackets the screen does not show.
TEST(Parla, ASumOverOrUnderTheBarIsNamed)
{
    const std::pair<const char*, const char*> casi[] = {
        {"(x+1)/2", "frazione con numeratore ics più uno e denominatore due"},
        {"x/(x-1)", "frazione con numeratore ics e denominatore ics meno uno"},
        {"(a+b)/(a-b)+1", "frazione con numeratore a più bi e denominatore a meno bi, più uno"},
        {"(2*x^2-3)/(5*y)", "frazione con numeratore due ics al quadrato meno tre e denominatore cinque ipsilon"},
        {"3*((x+1)/2)", "tre per frazione con numeratore ics più uno e denominatore due"},
        // Brackets that are drawn are said.
        {"(x+1)^2/3", "aperta parentesi ics più uno chiusa parentesi al quadrato fratto tre"},
        // A minus before the numerator is no sum.
        {"-x/2", "meno ics fratto due"},
    };
    for (const auto& [formula, frase] : casi)
        EXPECT_EQ(Parla(formula), frase) << formula;
}

// Every kind of node gets words of its own, never the formula's characters.
TEST(Parla, EveryKindOfNodeIsSaid)
{
    const std::pair<const char*, const char*> casi[] = {
        {"sqrt(x^2+1)", "radice quadrata di aperta parentesi ics al quadrato più uno chiusa parentesi"},
        {"root(3,x)", "radice cubica di ics"},
        {"f(x)", "effe di ics"},
        {"sin(x)", "seno di ics"},
        {"x_1^2", "ics con indice uno al quadrato"},
        {"summa(k^2,k=1,n)", "sommatoria da cappa uguale uno a enne di cappa al quadrato"},
        {"int(f(x),a,b)", "integrale da a a bi di effe di ics"},
        {"lim(x->0,sin(x)/x)", "limite per ics tende a zero di seno di ics fratto ics"},
        {"matrix(2,2,a,b,c,d)", "matrice di due righe e due colonne: a, bi, ci, di"},
        {"case(x,x>0,-x,x<0)", "casi: ics se ics maggiore di zero; meno ics se ics minore di zero"},
        {"system(x+y=1,x-y=3)", "sistema: ics più ipsilon uguale uno; ics meno ipsilon uguale tre"},
        {"abs(x)", "valore assoluto di ics fine valore assoluto"},
        {"[a+b]", "aperta parentesi quadra a più bi chiusa parentesi quadra"},
        {"{a}", "aperta parentesi graffa a chiusa parentesi graffa"},
        {"vect(v)&line(AB)&tilde(y)&cap(a)", "vettore vu a bi segnato ipsilon tilde a cappuccio"},
        {"points(x,2)", "ics con due punti"},
        {"num(0.000123)", "uno virgola ventitré per dieci alla meno quattro"},
        {"#1E20", "dieci alla ventesima"},
        {"a<=b<>c~~d", "a minore o uguale a bi diverso da ci circa uguale a di"},
        {"a+-b", "a più o meno bi"},
        {"alpha*Omega*nabla*plambda*plank*inf", "alfa omega maiuscolo nabla lambda barrato acca tagliato infinito"},
        {"f`", "effe primo"},
        {"fact(n)", "enne fattoriale"},
        {"at(f(x),x=1)", "effe di ics calcolato in ics uguale uno"},
        {"x&space(3)&nil&empty&y", "ics ipsilon"},
        {"asterix", "asterisco"},
        {"symbol(40)&symbol(41)", "aperta parentesi chiusa parentesi"},
        // Plain text keeps its words; its signs are named.
        {"string(\"a(b)^c*d/e&f{g}\")",
         "a aperta parentesi b chiusa parentesi elevato c per d diviso e e f aperta parentesi graffa g chiusa "
         "parentesi graffa"},
    };
    for (const auto& [formula, frase] : casi) {
        const std::string detta = Parla(formula);
        EXPECT_EQ(detta, frase) << formula;
        EXPECT_TRUE(Pulita(detta)) << formula;
    }
}

// The corpus: the formulas the program writes, and the fuzz seeds.
TEST(Parla, NoFormulaCharacterLeftInTheCorpus)
{
    std::vector<std::string> corpus;
    for (const char* f : {MEVARIO_GALLERY, MEVARIO_ESERCIZI}) {
        std::ifstream in(f);
        for (std::string riga; std::getline(in, riga);)
            if (!riga.empty())
                corpus.push_back(Utf8ToNarrow(riga));
    }
    for (const auto& voce : std::filesystem::directory_iterator(MEVARIO_SEMI_FORMULA)) {
        std::ifstream in(voce.path(), std::ios::binary);
        corpus.emplace_back(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    ASSERT_GT(corpus.size(), 80u);
    int lette = 0;
    for (const std::string& f : corpus) {
        PExpr root;
        try {
            root = TExprBuilder().ParseFormula(f);
        } catch (const EIncorrectExpr&) {
            continue;
        }
        const std::string detta = SpokenForm(root.get());
        EXPECT_TRUE(Pulita(detta)) << f << " -> " << detta;
        EXPECT_FALSE(detta.empty()) << f;
        EXPECT_EQ(detta.find("  "), std::string::npos) << detta;
        ++lette;
    }
    EXPECT_GT(lette, 80);
}

} // namespace
