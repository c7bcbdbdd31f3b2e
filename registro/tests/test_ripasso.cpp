// The review schedule as pure logic: boxes, due days, which item a right
// answer reviews.
#include <gtest/gtest.h>

#include "Ripasso.h"

using namespace mevario;

namespace {

const QString KProdotto = QStringLiteral("prodotto-monomi");
const QString KEsponenti = QStringLiteral("Nel prodotto gli esponenti si sommano, non si moltiplicano.");
const QDate KLunedi(2026, 12, 7);

TEsitoRipasso Sbagliata(QDate giorno, const QString& tipo = KEsponenti, const QString& ripassa = {})
{
    return {KProdotto, false, tipo, ripassa, giorno};
}
TEsitoRipasso Giusta(QDate giorno, const QString& ripassa = {})
{
    return {KProdotto, true, {}, ripassa, giorno};
}

} // namespace

TEST(Ripasso, UnaRispostaSbagliataEDovutaIlGiornoDopoInScatolaUno)
{
    TRipasso r;
    r.Applica(Sbagliata(KLunedi));
    ASSERT_EQ(r.Voci().size(), 1u);
    EXPECT_EQ(r.Voci().begin()->second, (TStatoVoce{1, KLunedi.addDays(1)}));
    EXPECT_TRUE(r.Dovute(KLunedi).empty());
    EXPECT_EQ(r.Dovute(KLunedi.addDays(1)).size(), 1u);
}

TEST(Ripasso, LeRisposteGiusteNeiGiorniDovutiSalgonoFinoAImparato)
{
    TRipasso r;
    QDate giorno = KLunedi;
    r.Applica(Sbagliata(giorno));
    const int attese[] = {1, 3, 7, 21};
    for (int scatola = 2; scatola <= KScatole; ++scatola) {
        giorno = r.Voci().begin()->second.scadenza;
        r.Applica(Giusta(giorno));
        ASSERT_EQ(r.Voci().size(), 1u);
        EXPECT_EQ(r.Voci().begin()->second.scatola, scatola);
        EXPECT_EQ(giorno.daysTo(r.Voci().begin()->second.scadenza), attese[scatola - 2]);
    }
    const auto cambiate = r.Applica(Giusta(r.Voci().begin()->second.scadenza));
    EXPECT_EQ(cambiate.size(), 1u);
    EXPECT_TRUE(r.Voci().empty()) << "past the last box the kind is learnt";
}

TEST(Ripasso, UnaRispostaGiustaPrimaDellaScadenzaNonCambiaNulla)
{
    TRipasso r;
    r.Applica(Sbagliata(KLunedi));
    EXPECT_TRUE(r.Applica(Giusta(KLunedi)).empty());
    EXPECT_EQ(r.Voci().begin()->second.scatola, 1);
}

TEST(Ripasso, UnErroreRimandaInScatolaUnoAncheDaUnaScatolaAlta)
{
    TRipasso r({{{KProdotto, KEsponenti}, {4, KLunedi.addDays(5)}}});
    r.Applica(Sbagliata(KLunedi));
    EXPECT_EQ(r.Voci().begin()->second, (TStatoVoce{1, KLunedi.addDays(1)}));
}

TEST(Ripasso, UnErroreNonDiagnosticatoEUnTipoASe)
{
    TRipasso r;
    r.Applica(Sbagliata(KLunedi, {}));
    r.Applica(Sbagliata(KLunedi, KEsponenti));
    EXPECT_EQ(r.Voci().size(), 2u);
    EXPECT_TRUE(r.Voci().count({KProdotto, KTipoNonDiagnosticato}));
}

TEST(Ripasso, UnaRispostaGiustaRipassaLaVoceIndicataOQuellaScadutaDaPiuTempo)
{
    const QString altro = QStringLiteral("Il coefficiente è sbagliato.");
    const QDate oggi = KLunedi.addDays(10);
    TRipasso r({{{KProdotto, KEsponenti}, {2, oggi.addDays(-1)}}, {{KProdotto, altro}, {3, oggi.addDays(-4)}}});
    // Without a named item: the one due longest, one item per answer.
    r.Applica(Giusta(oggi));
    EXPECT_EQ(r.Voci().at({KProdotto, altro}).scatola, 4);
    EXPECT_EQ(r.Voci().at({KProdotto, KEsponenti}).scatola, 2);
    // A named item moves even when another is due longer.
    TRipasso s({{{KProdotto, KEsponenti}, {2, oggi.addDays(-1)}}, {{KProdotto, altro}, {3, oggi.addDays(-4)}}});
    s.Applica(Giusta(oggi, KEsponenti));
    EXPECT_EQ(s.Voci().at({KProdotto, KEsponenti}).scatola, 3);
    EXPECT_EQ(s.Voci().at({KProdotto, altro}).scatola, 3);
    // Another topic's items are never touched.
    TRipasso t({{{QStringLiteral("somma-monomi"), KEsponenti}, {2, oggi.addDays(-1)}}});
    EXPECT_TRUE(t.Applica(Giusta(oggi)).empty());
}

TEST(Ripasso, UnRipassoSbagliatoConUnAltroErroreRimandaIndietroEntrambi)
{
    const QString altro = QStringLiteral("Ci sono termini simili da sommare.");
    TRipasso r({{{KProdotto, KEsponenti}, {3, KLunedi}}});
    r.Applica(Sbagliata(KLunedi, altro, KEsponenti));
    EXPECT_EQ(r.Voci().at({KProdotto, KEsponenti}), (TStatoVoce{1, KLunedi.addDays(1)}));
    EXPECT_EQ(r.Voci().at({KProdotto, altro}), (TStatoVoce{1, KLunedi.addDays(1)}));
}

TEST(Ripasso, LeDovuteSonoInOrdineDiScadenza)
{
    TRipasso r({{{QStringLiteral("a"), QStringLiteral("x")}, {1, KLunedi}},
                {{QStringLiteral("b"), QStringLiteral("y")}, {2, KLunedi.addDays(-3)}},
                {{QStringLiteral("c"), QStringLiteral("z")}, {2, KLunedi.addDays(1)}}});
    const auto d = r.Dovute(KLunedi);
    ASSERT_EQ(d.size(), 2u);
    EXPECT_EQ(d[0].first.first, QStringLiteral("b"));
    EXPECT_EQ(d[1].first.first, QStringLiteral("a"));
}
