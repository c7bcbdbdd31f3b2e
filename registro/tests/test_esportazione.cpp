// The exported file: what is written is read back the same; anything
// foreign, damaged or out of range is refused with a reason.
#include <gtest/gtest.h>

#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonArray>

#include "Esportazione.h"

using namespace mevario;

namespace {

TEsportazione Esempio()
{
    TEsportazione e;
    e.nome = QStringLiteral("Anna Rossi");
    e.classe = QStringLiteral("2B");
    e.pin = NuovaChiavePin(QStringLiteral("1234"), 1000);
    TRispostaRegistrata r;
    r.uuid = QUuid::createUuid();
    r.argomento = QStringLiteral("prodotto-monomi");
    r.esercizio = QStringLiteral("(3*x^2)*(-2*x^3)");
    r.seme = 4294967295u;
    r.risposta = QStringLiteral("-6x^6");
    r.giusta = false;
    r.diagnosi = QStringLiteral("Nel prodotto gli esponenti si sommano, non si moltiplicano.");
    r.tipoErrore = r.diagnosi;
    r.soluzioneVista = true;
    r.secondi = 12.25;
    r.quando = QDateTime(QDate(2026, 12, 7), QTime(9, 15, 2, 123), Qt::UTC);
    r.giorno = QDate(2026, 12, 7);
    r.computer = QStringLiteral("aula-3");
    e.risposte.append(r);
    r.uuid = QUuid::createUuid();
    r.seme.reset();
    r.giusta = true;
    r.diagnosi.clear();
    r.tipoErrore.clear();
    r.ripassa = QStringLiteral("Nel prodotto gli esponenti si sommano, non si moltiplicano.");
    e.risposte.append(r);
    return e;
}

QByteArray Cambia(const QByteArray& testo, const std::function<void(QJsonObject&)>& f)
{
    QJsonObject o = QJsonDocument::fromJson(testo).object();
    f(o);
    return QJsonDocument(o).toJson();
}

} // namespace

TEST(Esportazione, SiRileggeUgualeAQuelloCheSiScrive)
{
    const TEsportazione e = Esempio();
    const auto l = LeggiEsportazione(ScriviEsportazione(e));
    ASSERT_TRUE(l.dati) << l.errore.toStdString();
    EXPECT_EQ(l.dati->nome, e.nome);
    EXPECT_EQ(l.dati->classe, e.classe);
    EXPECT_EQ(l.dati->pin.chiave, e.pin.chiave);
    EXPECT_EQ(l.dati->pin.sale, e.pin.sale);
    EXPECT_EQ(l.dati->pin.iterazioni, 1000);
    ASSERT_EQ(l.dati->risposte.size(), 2);
    for (int i = 0; i < 2; ++i) {
        const auto& a = e.risposte[i];
        const auto& b = l.dati->risposte[i];
        EXPECT_EQ(a.uuid, b.uuid);
        EXPECT_EQ(a.argomento, b.argomento);
        EXPECT_EQ(a.esercizio, b.esercizio);
        EXPECT_EQ(a.seme, b.seme);
        EXPECT_EQ(a.risposta, b.risposta);
        EXPECT_EQ(a.giusta, b.giusta);
        EXPECT_EQ(a.diagnosi, b.diagnosi);
        EXPECT_EQ(a.tipoErrore, b.tipoErrore);
        EXPECT_EQ(a.ripassa, b.ripassa);
        EXPECT_EQ(a.soluzioneVista, b.soluzioneVista);
        EXPECT_EQ(a.secondi, b.secondi);
        EXPECT_EQ(a.quando, b.quando);
        EXPECT_EQ(a.giorno, b.giorno);
        EXPECT_EQ(a.computer, b.computer);
    }
}

TEST(Esportazione, UnFileEstraneoODanneggiatoERifiutato)
{
    const QByteArray buono = ScriviEsportazione(Esempio());
    const QList<QByteArray> cattivi{
        QByteArray(),
        QByteArray("SQLite format 3\0", 16),
        buono.left(buono.size() / 2),
        QByteArray("[1, 2, 3]"),
        Cambia(buono, [](QJsonObject& o) { o.insert("formato", "altro"); }),
        Cambia(buono, [](QJsonObject& o) { o.insert("versione", 2); }),
        Cambia(buono, [](QJsonObject& o) { o.remove("risposte"); }),
        Cambia(buono, [](QJsonObject& o) { o.insert("alunno", QJsonObject{{"nome", ""}, {"classe", ""}}); }),
        Cambia(buono, [](QJsonObject& o) { o.insert("alunno", QJsonObject{{"nome", " Anna"}, {"classe", ""}}); }),
    };
    for (const auto& c : cattivi) {
        const auto l = LeggiEsportazione(c);
        EXPECT_FALSE(l.dati) << c.left(80).toStdString();
        EXPECT_FALSE(l.errore.isEmpty());
    }
    EXPECT_TRUE(LeggiEsportazione(Cambia(buono, [](QJsonObject& o) { o.insert("versione", 2); }))
                    .errore.contains(QStringLiteral("più recente")));
}

TEST(Esportazione, OgniCampoDiUnaRispostaEControllato)
{
    const QByteArray buono = ScriviEsportazione(Esempio());
    const std::vector<std::pair<const char*, QJsonValue>> cattivi{
        {"uuid", "non-un-uuid"},   {"uuid", QJsonValue()},         {"argomento", "Somma Monomi"},
        {"argomento", ""},         {"giusta", "si"},                {"quando", "ieri"},
        {"giorno", "2026-13-01"},  {"giorno", "2026-1-1"},          {"secondi", -1},
        {"secondi", "12"},         {"seme", 1.5},                   {"seme", 4294967296.0},
        {"seme", -1},              {"esercizio", QString(5000, 'x')}, {"soluzione", 1},
    };
    for (const auto& [campo, valore] : cattivi) {
        const QByteArray testo = Cambia(buono, [&](QJsonObject& o) {
            QJsonArray risposte = o.value("risposte").toArray();
            QJsonObject r = risposte[0].toObject();
            r.insert(QLatin1String(campo), valore);
            risposte[0] = r;
            o.insert("risposte", risposte);
        });
        const auto l = LeggiEsportazione(testo);
        EXPECT_FALSE(l.dati) << campo;
        EXPECT_TRUE(l.errore.startsWith(QStringLiteral("risposta 1:"))) << l.errore.toStdString();
    }
}

// What the JSON reader lets through silently is refused: a key twice (one
// of the two would be dropped), half a UTF-16 pair (read as another
// character), bytes that are not UTF-8; a PIN key whose iterations lie
// outside the program's own bounds (checking it would take minutes).
TEST(Esportazione, UnFileAmbiguoOSmisuratoERifiutato)
{
    const QByteArray buono = ScriviEsportazione(Esempio());
    ASSERT_TRUE(LeggiEsportazione(buono).dati);
    const auto sostituisci = [&](const QByteArray& da, const QByteArray& a) {
        QByteArray t = buono;
        EXPECT_TRUE(t.contains(da)) << da.toStdString();
        return t.replace(da, a);
    };
    const QList<std::pair<QByteArray, QString>> cattivi{
        {sostituisci("\"nome\": \"Anna Rossi\"", "\"nome\": \"Anna Rossi\", \"nome\": \"Bruno\""), QStringLiteral("due volte")},
        {sostituisci("\"nome\": \"Anna Rossi\"", "\"nome\": \"Anna Rossi\", \"n\\u006fme\": \"Bruno\""), QStringLiteral("due volte")},
        {sostituisci("\"formato\"", "\"versione\": 1, \"formato\""), QStringLiteral("due volte")},
        {sostituisci("\"nome\": \"Anna Rossi\"", "\"nome\": \"Anna \\ud800Rossi\""), QStringLiteral("metà di un carattere")},
        {sostituisci("\"nome\": \"Anna Rossi\"", "\"nome\": \"Anna \\udc00Rossi\""), QStringLiteral("metà di un carattere")},
        {sostituisci("\"nome\": \"Anna Rossi\"", "\"nome\": \"Anna \\ud800\\u0041Rossi\""), QStringLiteral("metà di un carattere")},
        {sostituisci("\"nome\": \"Anna Rossi\"", "\"nome\": \"Anna \xed\xa0\x80Rossi\""), QString()},
        {sostituisci("\"iterazioni\": 1000", "\"iterazioni\": 100000000"), QStringLiteral("iterazioni")},
        {sostituisci("\"iterazioni\": 1000", "\"iterazioni\": 999"), QStringLiteral("iterazioni")},
    };
    for (const auto& [testo, perche] : cattivi) {
        const auto l = LeggiEsportazione(testo);
        EXPECT_FALSE(l.dati) << testo.left(200).toStdString();
        EXPECT_TRUE(l.errore.contains(perche)) << l.errore.toStdString();
    }
    // Keys alike in different objects, and a whole pair, are fine.
    auto e = Esempio();
    e.nome = QStringLiteral("Anna \U0001D400");
    e.pin.iterazioni = KIterazioniPinMassime;
    const auto l = LeggiEsportazione(ScriviEsportazione(e));
    ASSERT_TRUE(l.dati) << l.errore.toStdString();
    EXPECT_EQ(l.dati->nome, e.nome);
    EXPECT_TRUE(LeggiEsportazione(sostituisci("\"nome\": \"Anna Rossi\"", "\"nome\": \"Anna \\ud835\\udc00\"")).dati);
}
