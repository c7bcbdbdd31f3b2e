// The program's one random source and the generators of exercise material.
#include "funzioni.h"

#include <chrono>
#include <random>

namespace mevario {

namespace {

std::mt19937& Sorgente()
{
    static std::mt19937 sorgente(static_cast<std::uint32_t>(
        std::chrono::high_resolution_clock::now().time_since_epoch().count()));
    return sorgente;
}

std::string TestoFrazione(int n, int d) { return "(" + std::to_string(n) + "/" + std::to_string(d) + ")"; }

// Numerator from [1, limNum) and denominator from [2, limDen), drawn again
// while the fraction would be a whole number or n = d.
void FrazioneCasuale(int limNum, int limDen, int& n, int& d)
{
    do {
        n = CasualeTra(1, limNum);
        d = CasualeTra(2, limDen);
    } while (n == d || n % d == 0);
}

void Segno(CoefficienteCasualeRisultato& c, bool parentesi)
{
    if (TestaOCroce()) {
        c.testo = "-" + c.testo;
        c.num = -c.num;
        if (parentesi)
            c.testo = "(" + c.testo + ")";
    }
}

std::string EsponenteCasuale(int a, int b)
{
    return "^" + std::to_string(CasualeTra(a, b));
}

} // namespace

void Randomize()
{
    const auto t = std::chrono::high_resolution_clock::now().time_since_epoch().count();
    std::seed_seq seme{static_cast<std::uint32_t>(t), static_cast<std::uint32_t>(t >> 32)};
    Sorgente().seed(seme);
}

void ImpostaSeme(std::uint32_t seme) { Sorgente().seed(seme); }

bool TestaOCroce() { return CasualeTra(0, 2) == 1; }

int CasualeTra(int a, int b)
{
    if (b <= a)
        return a;
    std::uniform_int_distribution<long long> d(a, static_cast<long long>(b) - 1);
    return static_cast<int>(d(Sorgente()));
}

CoefficienteCasualeRisultato CoefficienteCasuale(bool parentesi)
{
    CoefficienteCasualeRisultato c;
    if (CasualeTra(1, 4) == 1) {
        FrazioneCasuale(9, 9, c.num, c.den);
        c.testo = TestoFrazione(c.num, c.den);
    } else {
        c.num = CasualeTra(2, 9);
        c.den = 1;
        c.testo = std::to_string(c.num);
    }
    Segno(c, parentesi);
    return c;
}

CoefficienteCasualeRisultato CoefficienteCasualeFino(int limite, bool parentesi)
{
    CoefficienteCasualeRisultato c;
    if (TestaOCroce()) {
        c.num = CasualeTra(2, limite);
        c.den = 1;
        c.testo = std::to_string(c.num);
    } else {
        FrazioneCasuale(limite, limite, c.num, c.den);
        c.testo = TestoFrazione(c.num, c.den);
    }
    Segno(c, parentesi);
    return c;
}

std::string ParteLetteraleCasuale(int maxLettere)
{
    int conta = 0;
    std::string t;
    if (TestaOCroce()) {
        t += "x";
        conta = 1;
        if (TestaOCroce())
            t += EsponenteCasuale(2, 4);
    }
    if (conta < maxLettere && TestaOCroce()) {
        if (!t.empty())
            t += "*";
        t += "y";
        ++conta;
        if (TestaOCroce())
            t += EsponenteCasuale(2, 4);
    }
    if (conta < maxLettere && TestaOCroce()) {
        if (!t.empty())
            t += "*";
        t += "z";
        if (TestaOCroce())
            t += EsponenteCasuale(2, 4);
    }
    if (t.empty()) {
        t = "x";
        if (TestaOCroce())
            t += EsponenteCasuale(2, 4);
    }
    return t;
}

std::string MonomioCasuale()
{
    std::string c = CoefficienteCasuale(false).testo;
    return c + "*" + ParteLetteraleCasuale(3);
}

std::string NonMonomioCasuale()
{
    std::string t = CoefficienteCasuale(false).testo;
    if (CasualeTra(1, 3) == 1) {
        t += TestaOCroce() ? "*x" : "*y";
        t += "^(-" + std::to_string(CasualeTra(2, 5)) + ")";
        if (TestaOCroce()) {
            t += "*z";
            if (TestaOCroce())
                t += EsponenteCasuale(2, 5);
        }
    } else {
        t += TestaOCroce() ? "+" : "-";
        t += ParteLetteraleCasuale(3);
    }
    return t;
}

} // namespace mevario
