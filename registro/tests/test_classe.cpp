// The class overview: a seeded class read back from the record (figures,
// days, mistakes, late review), and the spreadsheet and CSV it becomes,
// parsed as a spreadsheet program would.
#include <gtest/gtest.h>

#include <QXmlStreamReader>

#include "PanoramicaClasse.h"
#include "Aiuti.h"

using namespace mevario;
using namespace mevario::prova;

namespace {

const QString KSomma = QStringLiteral("somma-monomi");
const QString KProdotto = QStringLiteral("prodotto-monomi");
const QString KEsponenti = QStringLiteral("Nel prodotto gli esponenti si sommano, non si moltiplicano.");
const QString KSimili = QStringLiteral("Ci sono termini simili da sommare.");
const QString KStrano = QStringLiteral("<Anna & \"Bo\">");

const std::vector<TColonnaArgomento> KNoti{{QStringLiteral("definizione-monomio"), QStringLiteral("Def. monomio")},
                                           {KSomma, QStringLiteral("Somma mon.")},
                                           {KProdotto, QStringLiteral("Prodotto mon.")}};

QDateTime Alle(QDate giorno, int ora = 10)
{
    return QDateTime(giorno, QTime(ora, 0));
}

// A class 2B of four pupils (one who never answered) and a pupil of 3A,
// with answers on three days: `g0`, `g0 + 1`, `g0 + 2`.
struct TClasse {
    QTemporaryDir cartella;
    std::unique_ptr<TRegistroSql> r;
    QDate g0 = QDate::currentDate().addDays(-10);

    TClasse()
    {
        r = Apri(cartella.filePath(QStringLiteral("r.sqlite")));
        const auto bruno = r->CreaAlunno(QStringLiteral("bruno, Verdi"), QStringLiteral("2B"));
        const auto anna = r->CreaAlunno(QStringLiteral("Anna Rossi"), QStringLiteral("2B"));
        const auto strano = r->CreaAlunno(KStrano, QStringLiteral("2B"));
        r->CreaAlunno(QStringLiteral("Carla"), QStringLiteral("2B"));
        const auto zeta = r->CreaAlunno(QStringLiteral("Zeta"), QStringLiteral("3A"));
        auto registra = [&](const std::optional<TAlunno>& a, const QString& argomento, bool giusta, int giorno,
                            const QString& tipo = {}) {
            ASSERT_TRUE(r->RegistraPer(a->id, Risposta(argomento, giusta, Alle(g0.addDays(giorno)), tipo)));
        };
        registra(anna, KSomma, true, 0);
        registra(anna, KSomma, true, 1);
        registra(anna, KSomma, false, 2, KSimili);
        registra(anna, KProdotto, false, 2, KEsponenti);
        registra(strano, KProdotto, false, 0, KEsponenti);
        registra(strano, KProdotto, false, 1, KEsponenti);
        registra(strano, KProdotto, true, 1);
        registra(strano, QStringLiteral("divisione-polinomi"), true, 1);
        registra(bruno, KSomma, false, 1); // a mistake no rule names
        registra(bruno, KSomma, true, 1);
        registra(zeta, KSomma, false, 0, KSimili); // another class
        registra(zeta, KSomma, false, 0, KSimili);
        registra(zeta, KSomma, false, 0, KSimili);
    }
};

const TAlunnoClasse& Alunno(const TPanoramicaClasse& p, const QString& nome)
{
    for (const auto& a : p.alunni)
        if (a.nome == nome)
            return a;
    static const TAlunnoClasse nessuno;
    ADD_FAILURE() << "no pupil " << nome.toStdString();
    return nessuno;
}

// A cell of a flat OpenDocument spreadsheet as Calc reads it.
struct TCella {
    QString tipo, valore, testo, stile;
};
struct TFoglioLetto {
    std::map<QString, std::vector<std::vector<TCella>>> tabelle; // by sheet name, rows of cells
    std::map<QString, QString> datiDiStile;  // cell style -> its number style
    std::map<QString, QString> pesoDiStile;  // cell style -> font weight
    std::map<QString, QString> tipoNumero;   // number style -> its element ("percentage-style")
    int larghezze = 0;                       // column styles with a width
};

TFoglioLetto LeggiFods(const QByteArray& xml)
{
    TFoglioLetto f;
    QXmlStreamReader x(xml);
    QString tabella, stile;
    std::vector<TCella>* riga = nullptr;
    while (!x.atEnd()) {
        x.readNext();
        if (!x.isStartElement())
            continue;
        const auto n = x.name();
        const auto a = x.attributes();
        if (n == QLatin1String("percentage-style") || n == QLatin1String("date-style"))
            f.tipoNumero[a.value(QLatin1String("style:name")).toString()] = n.toString();
        else if (n == QLatin1String("style")) {
            stile = a.value(QLatin1String("style:name")).toString();
            if (a.hasAttribute(QLatin1String("style:data-style-name")))
                f.datiDiStile[stile] = a.value(QLatin1String("style:data-style-name")).toString();
        } else if (n == QLatin1String("text-properties") && a.hasAttribute(QLatin1String("fo:font-weight")))
            f.pesoDiStile[stile] = a.value(QLatin1String("fo:font-weight")).toString();
        else if (n == QLatin1String("table-column-properties") && a.hasAttribute(QLatin1String("style:column-width")))
            ++f.larghezze;
        else if (n == QLatin1String("table"))
            tabella = a.value(QLatin1String("table:name")).toString();
        else if (n == QLatin1String("table-row"))
            riga = &f.tabelle[tabella].emplace_back();
        else if ((n == QLatin1String("table-cell") || n == QLatin1String("covered-table-cell")) && riga) {
            TCella c{a.value(QLatin1String("office:value-type")).toString(),
                     a.hasAttribute(QLatin1String("office:date-value"))
                         ? a.value(QLatin1String("office:date-value")).toString()
                         : a.value(QLatin1String("office:value")).toString(),
                     {}, a.value(QLatin1String("table:style-name")).toString()};
            const int volte = std::max(1, a.value(QLatin1String("table:number-columns-repeated")).toInt());
            if (n == QLatin1String("table-cell")) {
                // The text of its paragraphs, read to the cell's end.
                while (!(x.isEndElement() && x.name() == QLatin1String("table-cell")) && !x.atEnd()) {
                    x.readNext();
                    if (x.isStartElement() && x.name() == QLatin1String("p"))
                        c.testo += x.readElementText(QXmlStreamReader::IncludeChildElements);
                }
            }
            for (int i = 0; i < volte; ++i)
                riga->push_back(c);
        }
    }
    EXPECT_FALSE(x.hasError()) << x.errorString().toStdString();
    return f;
}

// RFC 4180: fields, quoted fields with "" for a quote, CRLF between records.
std::vector<QStringList> LeggiCsv(const QString& testo)
{
    std::vector<QStringList> righe;
    QStringList riga;
    QString campo;
    bool virgolette = false, iniziato = false;
    for (int i = 0; i < testo.size(); ++i) {
        const QChar c = testo[i];
        if (virgolette) {
            if (c == u'"' && i + 1 < testo.size() && testo[i + 1] == u'"') {
                campo += u'"';
                ++i;
            } else if (c == u'"') {
                virgolette = false;
            } else {
                campo += c;
            }
        } else if (c == u'"') {
            virgolette = true;
            iniziato = true;
        } else if (c == u',') {
            riga << campo;
            campo.clear();
            iniziato = true;
        } else if (c == u'\r' && i + 1 < testo.size() && testo[i + 1] == u'\n') {
            if (iniziato || !campo.isEmpty())
                riga << campo;
            righe.push_back(riga);
            riga.clear();
            campo.clear();
            iniziato = false;
            ++i;
        } else {
            EXPECT_NE(c, u'\n') << "a bare line feed outside quotes";
            campo += c;
            iniziato = true;
        }
    }
    EXPECT_FALSE(virgolette);
    EXPECT_TRUE(campo.isEmpty() && riga.isEmpty()) << "the last record ends with CRLF";
    return righe;
}

} // namespace

TEST(Classe, OgniAlunnoDellaClasseConIContiPerArgomentoGliErroriEIlRipassoInRitardo)
{
    TClasse c;
    const auto p = c.r->PanoramicaClasse(QStringLiteral("2B"), {}, {}, QDate::currentDate());
    ASSERT_TRUE(p);
    QStringList nomi;
    for (const auto& a : p->alunni)
        nomi << a.nome;
    // By name, whatever the case; Zeta is of another class; Carla never answered.
    EXPECT_EQ(nomi, (QStringList{KStrano, QStringLiteral("Anna Rossi"), QStringLiteral("bruno, Verdi"),
                                 QStringLiteral("Carla")}));
    const auto& anna = Alunno(*p, QStringLiteral("Anna Rossi"));
    EXPECT_EQ(anna.argomenti.at(KSomma).giuste, 2);
    EXPECT_EQ(anna.argomenti.at(KSomma).sbagliate, 1);
    EXPECT_EQ(anna.argomenti.at(KProdotto).sbagliate, 1);
    EXPECT_EQ(Alunno(*p, KStrano).argomenti.at(KProdotto).giuste, 1);
    EXPECT_EQ(Alunno(*p, KStrano).argomenti.at(KProdotto).sbagliate, 2);
    EXPECT_TRUE(Alunno(*p, QStringLiteral("Carla")).argomenti.empty());

    // Named mistakes only, the most frequent first; the other class's
    // three mistakes of "simili" do not count.
    ASSERT_EQ(p->errori.size(), 2);
    EXPECT_EQ(p->errori[0].tipo, KEsponenti);
    EXPECT_EQ(p->errori[0].argomento, KProdotto);
    EXPECT_EQ(p->errori[0].volte, 3);
    EXPECT_EQ(p->errori[0].alunni, 2);
    EXPECT_EQ(p->errori[1].tipo, KSimili);
    EXPECT_EQ(p->errori[1].volte, 1);
    EXPECT_EQ(p->errori[1].alunni, 1);

    // Late: due before today. Anna's items are due the day after g0 + 2.
    ASSERT_EQ(p->ritardi.size(), 3);
    EXPECT_EQ(p->ritardi[1].nome, QStringLiteral("Anna Rossi"));
    EXPECT_EQ(p->ritardi[1].voci, 2);
    EXPECT_EQ(p->ritardi[1].scadenza, c.g0.addDays(3));
    // Seen from the day they fall due, they are not late yet.
    const auto allora = c.r->PanoramicaClasse(QStringLiteral("2B"), {}, {}, c.g0.addDays(3));
    ASSERT_TRUE(allora);
    for (const auto& r : allora->ritardi)
        EXPECT_NE(r.nome, QStringLiteral("Anna Rossi"));

    const auto vuota = c.r->PanoramicaClasse(QStringLiteral("5Z"), {}, {}, QDate::currentDate());
    ASSERT_TRUE(vuota);
    EXPECT_TRUE(vuota->alunni.isEmpty());
    EXPECT_FALSE(TRegistroOspite().PanoramicaClasse(QStringLiteral("2B"), {}, {}, QDate::currentDate()));
}

TEST(Classe, IGiorniDalEAlSonoCompresi)
{
    TClasse c;
    const QDate g1 = c.g0.addDays(1);
    const auto p = c.r->PanoramicaClasse(QStringLiteral("2B"), g1, g1, QDate::currentDate());
    ASSERT_TRUE(p);
    const auto& anna = Alunno(*p, QStringLiteral("Anna Rossi"));
    EXPECT_EQ(anna.argomenti.at(KSomma).giuste, 1);
    EXPECT_EQ(anna.argomenti.at(KSomma).sbagliate, 0);
    EXPECT_FALSE(anna.argomenti.count(KProdotto));
    ASSERT_EQ(p->errori.size(), 1);
    EXPECT_EQ(p->errori[0].volte, 1); // only the second day's mistake
    EXPECT_EQ(p->alunni.size(), 4);   // a pupil without answers in the days is still listed

    const auto dal = c.r->PanoramicaClasse(QStringLiteral("2B"), c.g0.addDays(2), {}, QDate::currentDate());
    ASSERT_TRUE(dal);
    EXPECT_EQ(Alunno(*dal, QStringLiteral("Anna Rossi")).argomenti.at(KSomma).Totale(), 1);
    EXPECT_TRUE(Alunno(*dal, KStrano).argomenti.empty());
    const auto al = c.r->PanoramicaClasse(QStringLiteral("2B"), {}, c.g0, QDate::currentDate());
    ASSERT_TRUE(al);
    EXPECT_EQ(Alunno(*al, KStrano).argomenti.at(KProdotto).sbagliate, 1);
    EXPECT_EQ(PeriodoClasse(*al), QStringLiteral("fino al ") + c.g0.toString(Qt::ISODate));
}

TEST(Classe, IlFoglioDiCalcoloHaIntestazioniNumeriEPercentuali)
{
    TClasse c;
    const auto p = c.r->PanoramicaClasse(QStringLiteral("2B"), {}, {}, QDate::currentDate());
    ASSERT_TRUE(p);
    const QByteArray xml = PanoramicaFods(*p, KNoti);
    ASSERT_TRUE(xml.contains("&lt;Anna &amp; &quot;Bo&quot;&gt;") || xml.contains("&lt;Anna &amp; \"Bo\"&gt;"));
    const TFoglioLetto f = LeggiFods(xml);
    ASSERT_EQ(f.tabelle.size(), 3u);
    EXPECT_GE(f.larghezze, 3);
    const auto& alunni = f.tabelle.at(QStringLiteral("Alunni"));
    ASSERT_EQ(alunni.size(), 3u + 4u + 1u); // title, topics, columns, four pupils, the class
    EXPECT_TRUE(alunni[0][0].testo.contains(QStringLiteral("2B")));
    // Known topics in the catalogue's order, then the one it does not know.
    QStringList gruppi;
    for (const auto& cella : alunni[1])
        if (!cella.testo.isEmpty())
            gruppi << cella.testo;
    EXPECT_EQ(gruppi, (QStringList{QStringLiteral("Somma mon."), QStringLiteral("Prodotto mon."),
                                   QStringLiteral("divisione-polinomi"), QStringLiteral("Totale")}));
    const auto& intestazione = alunni[2];
    ASSERT_EQ(intestazione.size(), 1u + 3u * 4u);
    EXPECT_EQ(intestazione[0].testo, QStringLiteral("Alunno"));
    EXPECT_EQ(intestazione[1].testo, QStringLiteral("Giuste"));
    EXPECT_EQ(intestazione[3].testo, QStringLiteral("% giuste"));
    for (const auto& cella : intestazione)
        EXPECT_EQ(f.pesoDiStile.at(cella.stile), QStringLiteral("bold"));

    // The strange name, read back whole; its product: 1 right, 2 wrong, 33 %.
    const auto& strano = alunni[3];
    EXPECT_EQ(strano[0].testo, KStrano);
    EXPECT_TRUE(strano[1].tipo.isEmpty()); // no sums: empty cells
    EXPECT_EQ(strano[4].tipo, QStringLiteral("float"));
    EXPECT_EQ(strano[4].valore, QStringLiteral("1"));
    EXPECT_EQ(strano[5].valore, QStringLiteral("2"));
    EXPECT_EQ(strano[6].tipo, QStringLiteral("percentage"));
    EXPECT_NEAR(strano[6].valore.toDouble(), 1.0 / 3, 1e-6);
    EXPECT_EQ(f.tipoNumero.at(f.datiDiStile.at(strano[6].stile)), QStringLiteral("percentage-style"));
    // Anna's totals: 2 right, 2 wrong, 50 %; Carla's: zeros and no share.
    const auto& anna = alunni[4];
    EXPECT_EQ(anna[10].valore, QStringLiteral("2"));
    EXPECT_EQ(anna[11].valore, QStringLiteral("2"));
    EXPECT_NEAR(anna[12].valore.toDouble(), 0.5, 1e-9);
    const auto& carla = alunni[6];
    EXPECT_EQ(carla[10].valore, QStringLiteral("0"));
    EXPECT_TRUE(carla[12].tipo.isEmpty());
    // The class: 5 right and 5 wrong in all, 6 of them in the products.
    const auto& classe = alunni[7];
    EXPECT_EQ(classe[0].testo, QStringLiteral("Classe"));
    EXPECT_EQ(classe[4].valore, QStringLiteral("1"));
    EXPECT_EQ(classe[5].valore, QStringLiteral("3"));
    EXPECT_EQ(classe[10].valore, QStringLiteral("5"));
    EXPECT_EQ(classe[11].valore, QStringLiteral("5"));
    EXPECT_EQ(f.pesoDiStile.at(classe[10].stile), QStringLiteral("bold"));

    const auto& errori = f.tabelle.at(QStringLiteral("Errori"));
    ASSERT_EQ(errori.size(), 3u);
    EXPECT_EQ(errori[0][0].testo, QStringLiteral("Errore"));
    EXPECT_EQ(errori[1][0].testo, KEsponenti);
    EXPECT_EQ(errori[1][1].testo, QStringLiteral("Prodotto mon."));
    EXPECT_EQ(errori[1][2].valore, QStringLiteral("3"));
    EXPECT_EQ(errori[1][3].valore, QStringLiteral("2"));
    const auto& ripasso = f.tabelle.at(QStringLiteral("Ripasso"));
    ASSERT_EQ(ripasso.size(), 4u);
    EXPECT_EQ(ripasso[2][0].testo, QStringLiteral("Anna Rossi"));
    EXPECT_EQ(ripasso[2][1].valore, QStringLiteral("2"));
    EXPECT_EQ(ripasso[2][2].tipo, QStringLiteral("date"));
    EXPECT_EQ(ripasso[2][2].valore, c.g0.addDays(3).toString(Qt::ISODate));
}

TEST(Classe, IlCsvSiRileggeConINomiScomodi)
{
    TClasse c;
    c.r->CreaAlunno(QStringLiteral("=1+1"), QStringLiteral("2B"));
    const auto p = c.r->PanoramicaClasse(QStringLiteral("2B"), {}, {}, QDate::currentDate());
    ASSERT_TRUE(p);
    const auto righe = LeggiCsv(QString::fromUtf8(PanoramicaCsv(*p, KNoti)));
    // Pupils (a header and five), an empty line, mistakes (a header and two),
    // an empty line, late review (a header and three).
    ASSERT_EQ(righe.size(), 6u + 1u + 3u + 1u + 4u);
    const QStringList& intestazione = righe[0];
    ASSERT_EQ(intestazione.size(), 13);
    EXPECT_EQ(intestazione[1], QStringLiteral("Somma mon. giuste"));
    EXPECT_EQ(intestazione[12], QStringLiteral("Totale quota giuste"));
    auto riga = [&](const QString& nome, std::size_t da) -> QStringList {
        for (std::size_t i = da; i < righe.size(); ++i)
            if (!righe[i].isEmpty() && righe[i][0] == nome)
                return righe[i];
        ADD_FAILURE() << "no line of " << nome.toStdString();
        return {};
    };
    // A pupil's name never becomes a formula.
    EXPECT_EQ(riga(QStringLiteral("'=1+1"), 1).size(), 13);
    EXPECT_EQ(riga(KStrano, 1).value(4), QStringLiteral("1"));
    EXPECT_EQ(riga(KStrano, 1).value(6), QStringLiteral("0.3333"));
    EXPECT_EQ(riga(QStringLiteral("bruno, Verdi"), 1), (QStringList{QStringLiteral("bruno, Verdi"), QStringLiteral("1"), QStringLiteral("1"),
                                     QStringLiteral("0.5000"), {}, {}, {}, {}, {}, {}, QStringLiteral("1"),
                                     QStringLiteral("1"), QStringLiteral("0.5000")}));
    EXPECT_TRUE(righe[6].isEmpty());
    EXPECT_EQ(righe[7], (QStringList{QStringLiteral("Errore"), QStringLiteral("Argomento"), QStringLiteral("Volte"),
                                     QStringLiteral("Alunni")}));
    EXPECT_EQ(righe[8], (QStringList{KEsponenti, QStringLiteral("Prodotto mon."), QStringLiteral("3"),
                                     QStringLiteral("2")}));
    EXPECT_EQ(righe[11], (QStringList{QStringLiteral("Alunno"), QStringLiteral("Voci in ritardo"),
                                      QStringLiteral("Dovuta dal")}));
    EXPECT_EQ(riga(QStringLiteral("Anna Rossi"), 12),
              (QStringList{QStringLiteral("Anna Rossi"), QStringLiteral("2"), c.g0.addDays(3).toString(Qt::ISODate)}));
}

TEST(Classe, GliErroriPiuFrequentiSonoAlPiuVentiDalPiuFrequente)
{
    QTemporaryDir d;
    auto r = Apri(d.filePath(QStringLiteral("r.sqlite")));
    const auto a = r->CreaAlunno(QStringLiteral("A"), QStringLiteral("1C"));
    const auto b = r->CreaAlunno(QStringLiteral("B"), QStringLiteral("1C"));
    const QDateTime ieri = Alle(QDate::currentDate().addDays(-1));
    // Kind k made k + 1 times by A; kind 5 also twice by B (so 8 times by two pupils).
    for (int k = 0; k < 25; ++k)
        for (int i = 0; i <= k; ++i)
            ASSERT_TRUE(r->RegistraPer(a->id, Risposta(KSomma, false, ieri, QStringLiteral("errore %1").arg(k))));
    for (int i = 0; i < 2; ++i)
        ASSERT_TRUE(r->RegistraPer(b->id, Risposta(KSomma, false, ieri, QStringLiteral("errore 5"))));
    ASSERT_TRUE(r->RegistraPer(b->id, Risposta(KProdotto, false, ieri, QStringLiteral("errore 24"))));
    const auto p = r->PanoramicaClasse(QStringLiteral("1C"), {}, {}, QDate::currentDate());
    ASSERT_TRUE(p);
    ASSERT_EQ(p->errori.size(), KErroriClasse);
    EXPECT_EQ(p->errori[0].tipo, QStringLiteral("errore 24"));
    EXPECT_EQ(p->errori[0].argomento, KSomma);
    EXPECT_EQ(p->errori[0].volte, 25);
    for (int i = 1; i < p->errori.size(); ++i)
        EXPECT_GE(p->errori[i - 1].volte, p->errori[i].volte);
    // The same kind in another topic is a line of its own.
    bool prodotto = false;
    for (const auto& e : p->errori)
        prodotto = prodotto || (e.argomento == KProdotto && e.tipo == QStringLiteral("errore 24") && e.volte == 1);
    EXPECT_FALSE(prodotto); // once is not among the twenty most frequent
    EXPECT_EQ(p->errori.back().volte, 7);
    const auto cinque = std::find_if(p->errori.begin(), p->errori.end(),
                                     [](const TErroreClasse& e) { return e.tipo == QStringLiteral("errore 5"); });
    ASSERT_NE(cinque, p->errori.end());
    EXPECT_EQ(cinque->volte, 8);
    EXPECT_EQ(cinque->alunni, 2);
}
