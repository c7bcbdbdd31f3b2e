// A lesson played through the engine alone, as a window plays it: exercises
// drawn with their seeds, answers right, wrong, in the wrong form, unreadable
// and missing, the counts, and what the pupil's record keeps (a SQLite
// record in a temporary folder; HOME and the XDG folders point there too).
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <memory>

#include "EsercizioConcetto.h"
#include "EsercizioProdottoMon.h"
#include "EsercizioSommaMon.h"
#include "ExprCanvas.h"
#include "Lezione.h"
#include "RegistroSql.h"
#include "funzioni.h"
#include "passaggi.h"

namespace mevario {
namespace {

const QString KSomma = QStringLiteral("somma-monomi");

class Lezione : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(FCartella.isValid());
        TOpzioniRegistro o;
        o.iterazioniPin = 1000;
        auto a = TRegistroSql::ApriSqlite(FCartella.filePath(QStringLiteral("registro.sqlite")), o, true);
        ASSERT_TRUE(a.registro);
        FRegistro = std::move(a.registro);
        FAlunno = FRegistro->CreaAlunno(QStringLiteral("Anna"), QStringLiteral("2B"));
        ASSERT_TRUE(FAlunno);
        FRegistro->ScegliAlunno(FAlunno);
    }
    QList<TRispostaRegistrata> Storico() { return FRegistro->Storico(FAlunno->id); }

    QTemporaryDir FCartella;
    std::unique_ptr<TRegistroSql> FRegistro;
    std::optional<TAlunno> FAlunno;
};

// The expected answer with its letters in capitals: the right value, not
// in the form the topic asks.
std::string InMaiuscolo(std::string s)
{
    for (char& c : s)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return s;
}

TEST_F(Lezione, UnaLezioneInteraContaEConservaOgniRisposta)
{
    EsercizioSommaMon somma;
    TLezione l(&somma, KSomma);
    l.ImpostaRegistro(FRegistro.get());
    ImpostaSeme(2026);

    l.Nuovo();
    ASSERT_TRUE(l.Seme());
    const std::string primo = somma.TestoEsercizio();
    const std::optional<std::uint32_t> primoSeme = l.Seme();
    // The seed kept draws the same exercise again (mevario-esercizi --seme).
    {
        EsercizioSommaMon di_nuovo;
        ImpostaSeme(*l.Seme());
        di_nuovo.NuovoEsercizio();
        EXPECT_EQ(di_nuovo.TestoEsercizio(), primo);
    }
    l.Mostrato();

    // Nothing typed, then an answer that cannot be read: told, never counted, never kept.
    const TEsitoLezione vuota = l.Rispondi("   ");
    EXPECT_EQ(vuota.giudizio.esito, TEsito::Vuota);
    EXPECT_EQ(vuota.riga, "Scrivi la risposta, poi premi Procedi.");
    const TEsitoLezione illeggibile = l.Rispondi("3x^^2");
    EXPECT_EQ(illeggibile.giudizio.esito, TEsito::Illeggibile);
    EXPECT_FALSE(illeggibile.riga.empty());
    EXPECT_FALSE(illeggibile.Contata());
    EXPECT_EQ(l.Esatte() + l.Errori(), 0);
    EXPECT_TRUE(Storico().isEmpty());

    // The right value in capitals: a slip of form, told and kept, not counted.
    const std::string attesa = somma.RispostaAttesa();
    const TEsitoLezione forma = l.Rispondi(InMaiuscolo(attesa));
    ASSERT_EQ(forma.giudizio.esito, TEsito::Forma) << attesa;
    EXPECT_FALSE(forma.riga.empty());
    EXPECT_FALSE(forma.soluzioneOfferta);
    EXPECT_EQ(l.Esatte() + l.Errori(), 0);

    // Right: one right answer, "Procedi" offers no solution.
    const TEsitoLezione giusta = l.Rispondi(attesa);
    EXPECT_TRUE(giusta.Giusta());
    EXPECT_TRUE(giusta.riga.empty());
    EXPECT_FALSE(giusta.soluzioneOfferta);
    EXPECT_EQ(l.Esatte(), 1);
    EXPECT_EQ(l.Errori(), 0);

    // The next exercise, in a review visit, answered wrong after the
    // solution was opened (a value no sum of these coefficients reaches).
    l.Nuovo();
    ASSERT_TRUE(l.Seme());
    const std::optional<std::uint32_t> secondoSeme = l.Seme();
    l.Mostrato();
    l.ImpostaRipasso(QStringLiteral("tipo"), QStringLiteral("Ripasso: la somma"));
    l.SoluzioneVista();
    const TEsitoLezione sbagliata = l.Rispondi("1000" + somma.L);
    EXPECT_EQ(sbagliata.giudizio.esito, TEsito::Sbagliata);
    EXPECT_TRUE(sbagliata.soluzioneOfferta);
    EXPECT_EQ(sbagliata.riga, sbagliata.giudizio.diagnosi.Testo());
    EXPECT_EQ(sbagliata.anelli, sbagliata.giudizio.diagnosi.sbagliati);
    EXPECT_EQ(l.Esatte(), 1);
    EXPECT_EQ(l.Errori(), 1);

    // The record holds the slip, the right and the wrong answer (answers of
    // the same second come in no set order: sorted here by kind).
    auto s = Storico();
    ASSERT_EQ(s.size(), 3);
    for (const auto& r : s)
        EXPECT_EQ(r.argomento, KSomma);
    const auto tipo = [](const TRispostaRegistrata& r) { return r.Forma() ? 0 : r.giusta ? 1 : 2; };
    std::sort(s.begin(), s.end(), [&](const auto& a, const auto& b) { return tipo(a) < tipo(b); });
    EXPECT_TRUE(s[0].Forma());
    EXPECT_EQ(s[0].diagnosi.toStdString(), forma.riga);
    EXPECT_EQ(s[0].risposta.toStdString(), NarrowToUtf8(InMaiuscolo(attesa)));
    EXPECT_EQ(s[0].esercizio.toStdString(), NarrowToUtf8(primo));
    EXPECT_EQ(s[0].seme, primoSeme);
    EXPECT_TRUE(s[1].giusta);
    EXPECT_EQ(s[1].risposta.toStdString(), NarrowToUtf8(attesa));
    EXPECT_EQ(s[1].seme, s[0].seme);
    EXPECT_TRUE(s[1].ripassa.isEmpty());
    EXPECT_FALSE(s[1].soluzioneVista);
    EXPECT_GE(s[1].secondi, 0.0);
    EXPECT_FALSE(s[2].giusta);
    EXPECT_FALSE(s[2].Forma());
    EXPECT_EQ(s[2].seme, secondoSeme);
    EXPECT_NE(s[2].seme, s[1].seme);
    EXPECT_EQ(s[2].esercizio.toStdString(), NarrowToUtf8(somma.TestoEsercizio()));
    EXPECT_EQ(s[2].ripassa, QStringLiteral("tipo"));
    EXPECT_TRUE(s[2].soluzioneVista);

    // The counts are the visit's: cleared, the record keeps everything.
    l.AzzeraConteggi();
    EXPECT_EQ(l.Esatte() + l.Errori(), 0);
    EXPECT_EQ(Storico().size(), 3);
}

TEST_F(Lezione, UnOspiteOUnRegistroAssenteContanoSenzaConservare)
{
    EsercizioSommaMon somma;
    TLezione l(&somma, KSomma);
    ImpostaSeme(7);
    l.Nuovo();
    EXPECT_TRUE(l.Rispondi(somma.RispostaAttesa()).Giusta());
    // A record with no pupil chosen keeps nothing either.
    FRegistro->ScegliAlunno(std::nullopt);
    l.ImpostaRegistro(FRegistro.get());
    EXPECT_FALSE(l.Rispondi("1000" + somma.L).Giusta());
    EXPECT_EQ(l.Esatte(), 1);
    EXPECT_EQ(l.Errori(), 1);
    FRegistro->ScegliAlunno(FAlunno);
    EXPECT_TRUE(Storico().isEmpty());
}

TEST_F(Lezione, LaDiagnosiNominaLErroreDelleRegoleOPoiQuelloDeiPassaggi)
{
    EsercizioProdottoMon prodotto;
    TLezione l(&prodotto, QStringLiteral("prodotto-monomi"));
    l.ImpostaRegistro(FRegistro.get());
    // An exercise where multiplying the exponents differs from adding them.
    Esponenti moltiplicati;
    for (std::uint32_t seme = 1;; ++seme) {
        ImpostaSeme(seme);
        l.Nuovo();
        const auto per = [&](int Esponenti::*x) {
            int r = 0;
            for (const std::string& L : {prodotto.L1, prodotto.L2, prodotto.L3})
                if (!L.empty() && EsponentiDi(L).*x > 0)
                    r = r == 0 ? EsponentiDi(L).*x : r * EsponentiDi(L).*x;
            return r;
        };
        moltiplicati = {per(&Esponenti::x), per(&Esponenti::y), per(&Esponenti::z)};
        if (!(moltiplicati == prodotto.EsponentiAttesi()))
            break;
        ASSERT_LT(seme, 200u);
    }
    const long long num = static_cast<long long>(prodotto.p1) * prodotto.p2 * prodotto.p3;
    const long long den = static_cast<long long>(prodotto.q1) * prodotto.q2 * prodotto.q3;
    const std::string esponentiMoltiplicati = MonomioDigitato(num, den, moltiplicati);

    // The topic's rules name the mistake; the working's lines do not change it.
    const std::vector<std::string> nessunErrore{prodotto.TestoPassaggi()};
    const TEsitoLezione e = l.Rispondi(esponentiMoltiplicati, nessunErrore);
    ASSERT_EQ(e.giudizio.esito, TEsito::Sbagliata);
    EXPECT_EQ(e.giudizio.diagnosi.errore, "Nel prodotto gli esponenti si sommano, non si moltiplicano.");
    EXPECT_NE(e.riga.find("esponenti si sommano"), std::string::npos);

    // A wrong answer no rule explains takes the last mistake named between
    // two lines of the working, and the record keeps it as its kind.
    const std::string zero = prodotto.TestoPassaggi() + "+(x^2)*(x^3)-(x^2)*(x^3)";
    const std::string sbagliata = prodotto.TestoPassaggi() + "+x^6-(x^2)*(x^3)";
    const std::vector<std::string> righe{prodotto.TestoPassaggi(), zero, sbagliata};
    const std::string traRighe = GiudicaPassaggio(zero, sbagliata).errore;
    ASSERT_FALSE(traRighe.empty());
    EXPECT_EQ(TLezione::UltimoErrore(righe), traRighe);
    TGiudizio g;
    g.esito = TEsito::Sbagliata;
    const TEsitoLezione p = l.Concludi(g, QStringLiteral("esercizio"), QString::fromStdString(sbagliata), righe);
    EXPECT_EQ(p.giudizio.diagnosi.errore, traRighe);
    EXPECT_EQ(l.Errori(), 2);
    const auto s = Storico();
    ASSERT_EQ(s.size(), 2);
    EXPECT_EQ(s[1].tipoErrore.toStdString(), traRighe);
    // No line written after the exercise, or only right ones: no mistake.
    EXPECT_TRUE(TLezione::UltimoErrore({prodotto.TestoPassaggi()}).empty());
    EXPECT_TRUE(TLezione::UltimoErrore({prodotto.TestoPassaggi(), zero}).empty());
    EXPECT_TRUE(TLezione::UltimoErrore({}).empty());
}

TEST_F(Lezione, LaFineDeiPassaggiSiGiudicaComeNellaFinestra)
{
    TLezione l(nullptr, QStringLiteral("somma-monomi"));
    l.ImpostaPassaggi("somma-monomi");
    EXPECT_EQ(l.FinePassaggi({}).stato, StatoFine::NonFinito);
    const std::string es = "2x+3x";
    EXPECT_EQ(l.FinePassaggi({es, "5x"}).stato, GiudicaFine("somma-monomi", es, "5x").stato);
    EXPECT_EQ(l.FinePassaggi({es, "(2+3)x"}).stato, GiudicaFine("somma-monomi", es, "(2+3)x").stato);
    EXPECT_EQ(l.FinePassaggi({es, "5x"}).stato, StatoFine::Finito);
}

TEST_F(Lezione, UnaDomandaSiNoNonHaSemeESiConservaConLaSuaDomanda)
{
    EsercizioConcetto quiz;
    TLezione l(&quiz, QStringLiteral("concetto-monomi"));
    l.ImpostaRegistro(FRegistro.get());
    ImpostaSeme(3);
    l.Nuovo(); // the first kind: "È un monomio?", answered Sì or No
    ASSERT_TRUE(quiz.SiNo());
    EXPECT_FALSE(l.Seme());
    const TEsitoLezione nessuna = l.Rispondi("");
    EXPECT_EQ(nessuna.giudizio.esito, TEsito::Vuota);
    EXPECT_EQ(nessuna.riga, "Scegli S\xC3\xAC o No.");
    const std::string sbagliata = quiz.RispostaSi ? "No" : "Si";
    const TEsitoLezione e = l.Rispondi(sbagliata);
    EXPECT_EQ(e.giudizio.esito, TEsito::Sbagliata);
    EXPECT_TRUE(e.anelli.empty()); // nothing typed to ring
    EXPECT_TRUE(e.riga.empty());
    EXPECT_TRUE(e.soluzioneOfferta); // the reason written with the question
    const auto s = Storico();
    ASSERT_EQ(s.size(), 1);
    EXPECT_FALSE(s[0].seme);
    EXPECT_EQ(s[0].risposta, quiz.RispostaSi ? QStringLiteral("No") : QStringLiteral("Sì"));
    EXPECT_EQ(s[0].esercizio, QString::fromStdString(quiz.Domanda()) + QLatin1Char(' ') +
                                  QString::fromStdString(NarrowToUtf8(quiz.TestoEsercizio())));
}

} // namespace
} // namespace mevario
