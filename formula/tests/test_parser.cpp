// The formula language: what the parser builds from the texts the program
// writes, how it joins factors, and its errors with their positions.
#include <gtest/gtest.h>

#include <fstream>

#include "ExprDump.h"
#include "ExprMake.h"

using namespace mevario;

namespace {

PExpr Parse(const std::string& t) { return TExprBuilder().ParseFormula(t); }
std::string Forma(const std::string& t) { return ShortForm(Parse(t).get()); }

std::string Errore(const std::string& t)
{
    try {
        Parse(t);
    } catch (const EIncorrectExpr& e) {
        return e.what();
    }
    return "(nessun errore)";
}

template <typename T>
T* As(TExprClass* n)
{
    return dynamic_cast<T*>(n);
}

} // namespace

TEST(PreScan, ReplacesSequencesAndAppendsTheEndSpace)
{
    EXPECT_EQ(PreScan("a<=b"), std::string("a\x03" "b "));
    EXPECT_EQ(PreScan("x & y"), "x&y ");
    EXPECT_EQ(PreScan("..."), std::string("\x0D "));
    EXPECT_EQ(PreScan("a+-b"), std::string("a\x08" "b "));
    EXPECT_EQ(PreScan("<"), "< "); // a pair needs both characters inside the text
    EXPECT_EQ(PreScan(""), " ");
}

TEST(Parser, JoinsFactorsAsAMathematicianWrites)
{
    EXPECT_EQ(Forma("x*2"), "Chain[Number 2 Var x]");
    EXPECT_EQ(Forma("2*3"), "Number 6");
    EXPECT_EQ(Forma("2*x*3"), "Chain[Number 6 Var x]");
    EXPECT_EQ(Forma("2*-3"), "Chain[Sign 8722 Number 6]");
    EXPECT_EQ(Forma("z*-6"), "Chain[Sign 8722 Number 6 Var z]");
    EXPECT_EQ(Forma("3*x*y"), "Chain[Number 3 Var x Var y]");
    // The sum example: "+" then minus 6 z, no brackets.
    EXPECT_EQ(Forma("5/2*x^2+3*x*y-6*z+3*x+z*-6"),
              "Chain[Ratio[Chain[Number 5 Index[Var x|_|^Number 2]]|Number 2] Sign 43 Number 3 Var x Var y Sign 8722 "
              "Number 6 Var z Sign 43 Number 3 Var x Sign 43 Sign 8722 Number 6 Var z]");
    // A factor that cannot follow moves into the first seam that takes it, else a dot.
    EXPECT_EQ(Forma("sin(x)*y"), "Chain[Var y CommonFunc[FuncName sin|Argument[Var x]]]");
    EXPECT_EQ(Forma("2*sin(x)"), "Chain[Number 2 CommonFunc[FuncName sin|Argument[Var x]]]");
    EXPECT_EQ(Forma("sin(x)*2"), "Chain[Number 2 CommonFunc[FuncName sin|Argument[Var x]]]");
    EXPECT_EQ(Forma("2*sin(x)*y"), "Chain[Number 2 Var y CommonFunc[FuncName sin|Argument[Var x]]]");
    EXPECT_EQ(Forma("-x*-y"), "Chain[Sign 8722 Var x Sign 183 Sign 8722 Var y]");
    // Explicit operators keep their signs and do not fold numbers.
    EXPECT_EQ(Forma("4*.4*.4"), "Chain[Number 4 Sign 183 Number 4 Sign 183 Number 4]");
    EXPECT_EQ(Forma("a*+b"), "Chain[Var a Sign 215 Var b]");
    EXPECT_EQ(Forma("a/+b"), "Chain[Var a Sign 247 Var b]");
    EXPECT_EQ(Forma("a//b"), "Chain[Var a Sign 47 Var b]");
    EXPECT_EQ(Forma("x**2"), "Chain[Var x Number 2]");
}

TEST(Parser, FractionsCollectNumeratorAndDenominator)
{
    EXPECT_EQ(Forma("5/2*x^2"), "Ratio[Chain[Number 5 Index[Var x|_|^Number 2]]|Number 2]");
    EXPECT_EQ(Forma("a/b*c"), "Ratio[Chain[Var a Var c]|Var b]");
    EXPECT_EQ(Forma("a/b/c"), "Ratio[Var a|Chain[Var b Var c]]");
    // Round brackets of a whole numerator or denominator go, square ones stay.
    auto r = Parse("(x+1)/(x-1)");
    auto* ratio = As<TExprRatio>(r.get());
    ASSERT_NE(ratio, nullptr);
    EXPECT_EQ(As<TExprBracketed>(ratio->Son())->LeftKind(), bkNone);
    EXPECT_EQ(As<TExprBracketed>(ratio->Son2())->RightKind(), bkNone);
    auto q = Parse("[x+1]/2");
    EXPECT_EQ(As<TExprBracketed>(As<TExprRatio>(q.get())->Son())->LeftKind(), bkSquare);
}

TEST(Parser, GroupsAndTheirBrackets)
{
    EXPECT_EQ(Forma("(x)"), "Var x");
    EXPECT_EQ(Forma("(2/5)"), "Ratio[Number 2|Number 5]");
    EXPECT_EQ(Forma("(2*x)"), "Argument[Number 2 Var x]");
    // "!(" always draws its brackets, even around one node.
    auto g = Parse("string(mcm)&!(x)");
    auto* chain = As<TExprChain>(g.get());
    ASSERT_NE(chain, nullptr);
    EXPECT_NE(As<TExprRound>(chain->Son()->Next()), nullptr);
    // (-5)^3 keeps its brackets; x^(2*.3) shows its index without them.
    EXPECT_EQ(Forma("(-5)^3"), "Index[Bracketed[Sign 8722 Number 5]|_|^Number 3]");
    auto p = Parse("x^(2*.3)");
    auto* idx = As<TExprArgument>(As<TExprIndex>(p.get())->Sub(2));
    ASSERT_NE(idx, nullptr);
    EXPECT_EQ(idx->LeftKind(), bkNone);
    EXPECT_EQ(Forma("(-(2/3)*x^3*y)^2"),
              "Index[Bracketed[Sign 8722 Ratio[Number 2|Number 3] Index[Var x|_|^Number 3] Var y]|_|^Number 2]");
    // (2x)^2 must not lose its brackets to a raised 2.
    EXPECT_EQ(Forma("(2*x)^2"), "Index[Bracketed[Number 2 Var x]|_|^Number 2]");
    EXPECT_EQ(Forma("[a+b]^2"), "Index[Bracketed[Var a Sign 43 Var b]|_|^Number 2]");
    auto s = Parse("[a+b]^2");
    EXPECT_EQ(As<TExprBracketed>(As<TExprIndex>(s.get())->Son())->LeftKind(), bkSquare);
    EXPECT_EQ(Forma("{a}&|b|"), "Chain[Bracketed[Var a] Bracketed[Var b]]");
}

TEST(Parser, IndicesNamesAndGreekLetters)
{
    EXPECT_EQ(Forma("x_1^2"), "Index[Var x|_Number 1|^Number 2]");
    EXPECT_EQ(Forma("x1"), "Index[Var x|_Number 1|^]");
    EXPECT_EQ(Forma("xy"), "Var xy");
    EXPECT_EQ(Forma("x*y"), "Chain[Var x Var y]");
    EXPECT_EQ(Forma("-x^2"), "Chain[Sign 8722 Index[Var x|_|^Number 2]]");
    EXPECT_EQ(Forma("x^2^3"), "Index[Var x|_|^Index[Number 2|_|^Number 3]]");
    EXPECT_EQ(Forma("f``"), "Index[Var f|_|^Strokes]");
    EXPECT_EQ(Forma("x!"), "Chain[Var x Simple !]");
    EXPECT_EQ(Forma("ALPHA"), "ExtSymbol 913");
    EXPECT_EQ(Forma("Alpha"), "ExtSymbol 913");
    EXPECT_EQ(Forma("alpha"), "ExtSymbol 945");
    EXPECT_EQ(Forma("sigma*Omega*rho"), "Chain[ExtSymbol 963 ExtSymbol 937 ExtSymbol 961]");
    EXPECT_EQ(Forma("inf*nabla*plambda*plank"), "Chain[ExtSymbol 8734 Nabla 916 Lambda 955 Plank 295]");
    EXPECT_EQ(Forma("const"), "Chain[Simple const Space]");
    EXPECT_EQ(Forma("\xE0\xE1"), "Simple \xD0\xB0\xD0\xB1"); // not an ASCII letter: an upright run
}

TEST(Parser, SignsRelationsAndTheEndOfTheFormula)
{
    EXPECT_EQ(Forma("a+-b"), "Chain[Var a Sign 5 Var b]");
    EXPECT_EQ(Forma("a-+b"), "Chain[Var a Sign 6 Var b]");
    EXPECT_EQ(Forma("a<=b<>c->d"), "Chain[Var a Sign 8804 Var b Sign 8800 Var c Sign 8594 Var d]");
    EXPECT_EQ(Forma("a<<b=~c"), "Chain[Var a Sign 1 Var b Sign 7 Var c]");
    // Text no level reads is an error where it starts, never left out of
    // the drawing; spaces at the end are nothing.
    EXPECT_EQ(Errore("a - -b"), "errore in posizione 2");
    EXPECT_EQ(Errore("a)b"), "errore in posizione 2");
    EXPECT_EQ(Errore("2x"), "errore in posizione 2");
    EXPECT_EQ(Errore("5abc"), "errore in posizione 2");
    EXPECT_EQ(Errore("3.5.2"), "errore in posizione 4");
    EXPECT_EQ(Errore("x y"), "errore in posizione 2");
    EXPECT_EQ(Errore("(x+1))"), "errore in posizione 6");
    EXPECT_EQ(Errore("x**y z"), "errore in posizione 4"); // "**" is one character
    EXPECT_EQ(Forma("x+1   "), "Chain[Var x Sign 43 Number 1]");
    EXPECT_EQ(Forma("string(a )&x  "), "Chain[Simple a  Var x]");
    EXPECT_EQ(Forma("1E3*x"), "Chain[Number 1000 Var x]");
    EXPECT_EQ(Forma("2.5"), "Number 2.5");
    auto e = Parse("#12");
    EXPECT_TRUE(As<TExprNumber>(e.get())->ExpForm());
    EXPECT_EQ(Forma("a,b"), "Chain[Var a Comma 44 Space Var b]");
    EXPECT_EQ(Errore("(a,b)"), "si aspetta \")\" in posizione 3"); // no commas in a round group
}

TEST(Parser, LiteralText)
{
    EXPECT_EQ(Forma("string(  =  )"), "Simple   =  ");
    EXPECT_EQ(Forma("string(\"a\"\"b\")"), "Simple a\"b");
    EXPECT_EQ(Forma("string(\"\")"), "Simple ");
    EXPECT_EQ(Forma("string()"), "Simple ");
    EXPECT_EQ(Forma("string(\",  \")"), "Simple ,  ");
    // The pre-scan does not know about literal text.
    auto t = Parse("string(a<=b)");
    EXPECT_EQ(As<TExprSimple>(t.get())->Text(), std::string("a\x03" "b"));
    EXPECT_EQ(Forma("angle(ABC)"), "Chain[Sign 12 Simple ABC]");
}

TEST(Parser, Calls)
{
    EXPECT_EQ(Forma("f!(x)"), "CommonFunc[Var f|Argument[Var x]]");
    auto f = Parse("f!(x)");
    EXPECT_TRUE(As<TExprArgument>(As<TExprCommonFunc>(f.get())->Son2())->Forced());
    EXPECT_EQ(Forma("f2(x,y)"), "CommonFunc[Index[Var f|_Number 2|^]|Argument[Var x Comma 44 Space Var y]]");
    EXPECT_EQ(Forma("alpha(x)"), "CommonFunc[ExtSymbol 945|Argument[Var x]]");
    EXPECT_EQ(Forma("sqrt(x+1)"), "Root[Chain[Var x Sign 43 Number 1]|]");
    EXPECT_EQ(Forma("root(3,x)"), "Root[Var x|Number 3]");
    EXPECT_EQ(Forma("sqr(x+1)"), "Index[Base[Var x Sign 43 Number 1]|_|^Number 2]");
    EXPECT_EQ(Forma("pow(2/3,2)"), "Index[Bracketed[Ratio[Number 2|Number 3]]|_|^Number 2]");
    EXPECT_EQ(Forma("pow(x,2)*y"), "Chain[Index[Var x|_|^Number 2] Var y]");
    EXPECT_EQ(Forma("ind(a,n)"), "Index[Var a|_Var n|^]");
    EXPECT_EQ(Forma("log(2,x)"), "CommonFunc[Index[FuncName log|_Number 2|^]|Var x]");
    EXPECT_EQ(Forma("sqr(sin(x))"), "CommonFunc[Index[FuncName sin|_|^Number 2]|Argument[Var x]]");
    EXPECT_EQ(Forma("abs(x)"), "Bracketed[Var x]");
    EXPECT_EQ(Forma("lim(x->0,f(x))"), "CommonFunc[Lim[Chain[Var x Sign 8594 Number 0]]|CommonFunc[Var f|Argument[Var x]]]");
    EXPECT_EQ(Forma("func(F,a,b)"), "CommonFunc[Var F|Argument[Var a Comma 44 Var b]]");
    EXPECT_EQ(Forma("space(5)"), "Space");
    EXPECT_EQ(Forma("diff(x)"), "Chain[Space Var d Var x]");
    EXPECT_EQ(Forma("pdiffn(x,2)"), "Chain[Space Index[ExtSymbol 8706|_|^Number 2] Var x]");
    EXPECT_EQ(Forma("diffr(x,2)"), "Ratio[Index[Var d|_|^Number 2]|Chain[Var d Index[Var x|_|^Number 2]]]");
    EXPECT_EQ(Forma("diffrf(y,x)"), "Ratio[Chain[Var d Var y]|Chain[Var d Var x]]");
    EXPECT_EQ(Forma("strokes(f,2)"), "Index[Var f|_|^Strokes]");
    EXPECT_EQ(Forma("fact(n)"), "Chain[Var n Simple !]");
    EXPECT_EQ(Forma("at(f(x),x=1)"), "AtValue[CommonFunc[Var f|Argument[Var x]]|Chain[Var x Sign 61 Number 1]]");
    EXPECT_EQ(Forma("vect(x_1)"), "Index[Cap[Var x]|_Number 1|^]");
    EXPECT_EQ(Forma("vect(x^2)"), "Cap[Index[Var x|_|^Number 2]]");
    EXPECT_EQ(Forma("_v"), "Cap[Var v]");
    EXPECT_EQ(Forma("points(x,3)"), "Cap[Var x]");
    EXPECT_EQ(Forma("standr(a,b)"), "Stand[Var a Var b]");
    EXPECT_EQ(Forma("case(a,b,c)"), "Case[Var a Var b Var c]");
    EXPECT_EQ(Forma("comma(4)"), "Chain[Comma 44 Space]");
    EXPECT_EQ(Forma("system(a,b)"), "Bracketed[Stand[Var a Var b]]");
    EXPECT_EQ(Forma("symbol(8734)"), "ExtSymbol 8734");
    EXPECT_EQ(Forma("num(3.14159,3,2)"), "ExpNumber 3.14159");
    EXPECT_EQ(Forma("summa(k,k=1,n)"), "Summa[Var k|_Chain[Var k Sign 61 Number 1]|^Var n]");

    auto m = Parse("matrix(2,3,a,b,c,d,e,f)");
    EXPECT_EQ(As<TExprMatrix>(m.get())->Columns(), 2);
    EXPECT_EQ(As<TExprMatrix>(m.get())->Rows(), 3);
    auto i = Parse("intm(3,f)");
    EXPECT_EQ(As<TExprIntegral>(i.get())->Multiplicity(), 3);
    auto b = Parse("brackets([0,x)");
    EXPECT_EQ(As<TExprBracketed>(b.get())->LeftKind(), bkSquare);
    EXPECT_EQ(As<TExprBracketed>(b.get())->RightKind(), bkNone);
    auto c = Parse("points(x,3)");
    EXPECT_EQ(As<TExprCap>(c.get())->Count(), 3);
    EXPECT_EQ(As<TExprCap>(c.get())->CapKind(), ckDots);
    auto n = Parse("num(0.000123)");
    EXPECT_EQ(As<TExprNumber>(n.get())->Exponent(), "-4");
}

TEST(Parser, ErrorsWithTheirPositions)
{
    EXPECT_EQ(Errore("[a,b"), "si aspetta \"]\"  in posizione 5");
    EXPECT_EQ(Errore("x+"), "errore in posizione 3");
    EXPECT_EQ(Errore(")"), "errore in posizione 1");
    EXPECT_EQ(Errore(" x"), "errore in posizione 1");
    EXPECT_EQ(Errore("#x"), "si aspetta una cifra in posizione 2");
    EXPECT_EQ(Errore("(x"), "si aspetta \")\" in posizione 3");
    EXPECT_EQ(Errore("!(x"), "si aspetta \")\" in posizione 3"); // "!(" is one character
    EXPECT_EQ(Errore("sqrt(x"), "si aspetta \")\" in posizione 7");
    EXPECT_EQ(Errore("{a"), "si aspetta \"}\" in posizione 3");
    EXPECT_EQ(Errore("|a"), "si aspetta \"|\" in posizione 3");
    EXPECT_EQ(Errore("pow(x)"), "si aspetta \",\" in posizione 6");
    EXPECT_EQ(Errore("brackets(x,y)"), "Errore in posizione 10");
    EXPECT_EQ(Errore("brackets(("), "Espressione errata");
    EXPECT_EQ(Errore("num(x)"), "Errore in posizione 5");
    EXPECT_EQ(Errore("symbol()"), "Errore in posizione 8");
    EXPECT_EQ(Errore("string(abc"), "Espressione errata");
    EXPECT_EQ(Errore("string(\"abc)"), "Espressione errata");
    // Positions count the pre-scanned text: "<=" is one character there.
    EXPECT_EQ(Errore("a<=(b"), "si aspetta \")\" in posizione 5");
    try {
        Parse("(x");
    } catch (const EIncorrectExpr& e) {
        EXPECT_EQ(e.Message(), "si aspetta \")\" in posizione ");
        EXPECT_EQ(e.Position(), 3);
    }
}

TEST(Parser, DeepNestingIsRejectedNotACrash)
{
    EXPECT_NO_THROW(Parse(std::string(100, '(') + "x" + std::string(100, ')')));
    EXPECT_THROW(Parse(std::string(100000, '(') + "x"), EIncorrectExpr);
    EXPECT_THROW(Parse(std::string(100000, '-') + "x"), EIncorrectExpr);
    std::string potenze = "x";
    for (int i = 0; i < 50000; ++i)
        potenze += "^x";
    EXPECT_THROW(Parse(potenze), EIncorrectExpr);
    // A long flat formula is fine.
    std::string somma = "x";
    for (int i = 0; i < 20000; ++i)
        somma += "+x";
    EXPECT_NO_THROW(Parse(somma));
}

TEST(Parser, EveryFormulaTheProgramWritesParses)
{
    // The worked examples and a sample of generated exercises (the corpus of
    // the formula benchmarks).
    int n = 0;
    for (const char* file : {MEVARIO_GALLERY, MEVARIO_ESERCIZI}) {
        std::ifstream in(file);
        ASSERT_TRUE(in.good()) << file;
        for (std::string riga; std::getline(in, riga);) {
            if (riga.empty())
                continue;
            ++n;
            EXPECT_NO_THROW(Parse(Utf8ToNarrow(riga))) << riga;
        }
    }
    EXPECT_GE(n, 50);
}
