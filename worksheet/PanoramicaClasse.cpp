// The class overview written as a document: a flat OpenDocument
// spreadsheet (one XML file LibreOffice Calc opens) or CSV. The record
// gives the data (Classe.h); this file only writes it.
#include "PanoramicaClasse.h"

#include <QLocale>
#include <QXmlStreamWriter>

#include <algorithm>
#include <functional>
#include <set>
#include <tuple>

namespace mevario {

namespace {

// The header of a topic's column: its short name, or a topic name.
QString Intestazione(const std::vector<TColonnaArgomento>& noti, const QString& argomento)
{
    for (const auto& n : noti)
        if (n.nome == argomento)
            return n.intestazione;
    return argomento;
}

TContiArgomento Somma(const TAlunnoClasse& a)
{
    TContiArgomento t;
    for (const auto& [argomento, c] : a.argomenti) {
        t.giuste += c.giuste;
        t.sbagliate += c.sbagliate;
    }
    return t;
}

// --- Flat OpenDocument spreadsheet ---------------------------------------

const QString KOffice = QStringLiteral("urn:oasis:names:tc:opendocument:xmlns:office:1.0");
const QString KStyle = QStringLiteral("urn:oasis:names:tc:opendocument:xmlns:style:1.0");
const QString KText = QStringLiteral("urn:oasis:names:tc:opendocument:xmlns:text:1.0");
const QString KTable = QStringLiteral("urn:oasis:names:tc:opendocument:xmlns:table:1.0");
const QString KFo = QStringLiteral("urn:oasis:names:tc:opendocument:xmlns:xsl-fo-compatible:1.0");
const QString KNumber = QStringLiteral("urn:oasis:names:tc:opendocument:xmlns:datastyle:1.0");
const QString KMeta = QStringLiteral("urn:oasis:names:tc:opendocument:xmlns:meta:1.0");
const QString KDc = QStringLiteral("http://purl.org/dc/elements/1.1/");

class TFoglio {
public:
    explicit TFoglio(QByteArray* uscita) : w(uscita) { w.setAutoFormatting(true); w.setAutoFormattingIndent(1); }

    QXmlStreamWriter w;

    void Stile(const QString& nome, const QString& famiglia, const std::function<void()>& proprieta,
               const QString& datiNumero = {})
    {
        w.writeStartElement(KStyle, QStringLiteral("style"));
        w.writeAttribute(KStyle, QStringLiteral("name"), nome);
        w.writeAttribute(KStyle, QStringLiteral("family"), famiglia);
        if (!datiNumero.isEmpty())
            w.writeAttribute(KStyle, QStringLiteral("data-style-name"), datiNumero);
        proprieta();
        w.writeEndElement();
    }
    void Colonna(const QString& stile, int quante = 1)
    {
        w.writeStartElement(KTable, QStringLiteral("table-column"));
        w.writeAttribute(KTable, QStringLiteral("style-name"), stile);
        if (quante > 1)
            w.writeAttribute(KTable, QStringLiteral("number-columns-repeated"), QString::number(quante));
        w.writeEndElement();
    }
    void Riga() { w.writeStartElement(KTable, QStringLiteral("table-row")); }
    void FineRiga() { w.writeEndElement(); }
    void Testo(const QString& t, const QString& stile = {}, int colonne = 1)
    {
        w.writeStartElement(KTable, QStringLiteral("table-cell"));
        if (!stile.isEmpty())
            w.writeAttribute(KTable, QStringLiteral("style-name"), stile);
        if (colonne > 1)
            w.writeAttribute(KTable, QStringLiteral("number-columns-spanned"), QString::number(colonne));
        w.writeAttribute(KOffice, QStringLiteral("value-type"), QStringLiteral("string"));
        w.writeTextElement(KText, QStringLiteral("p"), t);
        w.writeEndElement();
        if (colonne > 1) {
            w.writeStartElement(KTable, QStringLiteral("covered-table-cell"));
            if (colonne > 2)
                w.writeAttribute(KTable, QStringLiteral("number-columns-repeated"), QString::number(colonne - 1));
            w.writeEndElement();
        }
    }
    void Numero(int n, const QString& stile = {})
    {
        w.writeStartElement(KTable, QStringLiteral("table-cell"));
        if (!stile.isEmpty())
            w.writeAttribute(KTable, QStringLiteral("style-name"), stile);
        w.writeAttribute(KOffice, QStringLiteral("value-type"), QStringLiteral("float"));
        w.writeAttribute(KOffice, QStringLiteral("value"), QString::number(n));
        w.writeTextElement(KText, QStringLiteral("p"), QString::number(n));
        w.writeEndElement();
    }
    void Percentuale(double q, const QString& stile)
    {
        w.writeStartElement(KTable, QStringLiteral("table-cell"));
        w.writeAttribute(KTable, QStringLiteral("style-name"), stile);
        w.writeAttribute(KOffice, QStringLiteral("value-type"), QStringLiteral("percentage"));
        w.writeAttribute(KOffice, QStringLiteral("value"), QString::number(q, 'f', 6));
        w.writeTextElement(KText, QStringLiteral("p"), QString::number(qRound(q * 100)) + QLatin1Char('%'));
        w.writeEndElement();
    }
    void Data(QDate d, const QString& stile)
    {
        w.writeStartElement(KTable, QStringLiteral("table-cell"));
        w.writeAttribute(KTable, QStringLiteral("style-name"), stile);
        w.writeAttribute(KOffice, QStringLiteral("value-type"), QStringLiteral("date"));
        w.writeAttribute(KOffice, QStringLiteral("date-value"), d.toString(Qt::ISODate));
        w.writeTextElement(KText, QStringLiteral("p"), d.toString(QStringLiteral("dd/MM/yyyy")));
        w.writeEndElement();
    }
    void Vuote(int quante)
    {
        w.writeStartElement(KTable, QStringLiteral("table-cell"));
        if (quante > 1)
            w.writeAttribute(KTable, QStringLiteral("number-columns-repeated"), QString::number(quante));
        w.writeEndElement();
    }
    void Tabella(const QString& nome)
    {
        w.writeStartElement(KTable, QStringLiteral("table"));
        w.writeAttribute(KTable, QStringLiteral("name"), nome);
        w.writeAttribute(KTable, QStringLiteral("style-name"), QStringLiteral("ta_foglio"));
    }
    void FineTabella() { w.writeEndElement(); }
};

void Conti(TFoglio& f, const TContiArgomento& c, const QString& stile = {}, bool zeri = false)
{
    if (c.Totale() == 0 && !zeri) {
        f.Vuote(3);
        return;
    }
    f.Numero(c.giuste, stile);
    f.Numero(c.sbagliate, stile);
    if (c.Totale() > 0)
        f.Percentuale(QuotaGiuste(c), stile.isEmpty() ? QStringLiteral("ce_pct") : stile + QStringLiteral("_pct"));
    else
        f.Vuote(1);
}

} // namespace

QByteArray PanoramicaFods(const TPanoramicaClasse& p, const std::vector<TColonnaArgomento>& noti,
                          const QDateTime& scritto)
{
    const auto colonne = ColonneClasse(p, noti);
    const QString titolo = QStringLiteral("Registro di classe %1").arg(p.classe);
    QByteArray uscita;
    TFoglio f(&uscita);
    QXmlStreamWriter& w = f.w;
    w.writeStartDocument();
    w.writeNamespace(KOffice, QStringLiteral("office"));
    w.writeNamespace(KStyle, QStringLiteral("style"));
    w.writeNamespace(KText, QStringLiteral("text"));
    w.writeNamespace(KTable, QStringLiteral("table"));
    w.writeNamespace(KFo, QStringLiteral("fo"));
    w.writeNamespace(KNumber, QStringLiteral("number"));
    w.writeNamespace(KMeta, QStringLiteral("meta"));
    w.writeNamespace(KDc, QStringLiteral("dc"));
    w.writeStartElement(KOffice, QStringLiteral("document"));
    w.writeAttribute(KOffice, QStringLiteral("version"), QStringLiteral("1.3"));
    w.writeAttribute(KOffice, QStringLiteral("mimetype"), QStringLiteral("application/vnd.oasis.opendocument.spreadsheet"));

    w.writeStartElement(KOffice, QStringLiteral("meta"));
    w.writeTextElement(KDc, QStringLiteral("title"), titolo);
    w.writeTextElement(KMeta, QStringLiteral("generator"), QStringLiteral("Mevario"));
    w.writeTextElement(KDc, QStringLiteral("date"), scritto.toOffsetFromUtc(scritto.offsetFromUtc()).toString(Qt::ISODate));
    w.writeEndElement();

    w.writeStartElement(KOffice, QStringLiteral("automatic-styles"));
    // 75 %: the share right; 01/12/2026: a due day.
    w.writeStartElement(KNumber, QStringLiteral("percentage-style"));
    w.writeAttribute(KStyle, QStringLiteral("name"), QStringLiteral("N_pct"));
    w.writeStartElement(KNumber, QStringLiteral("number"));
    w.writeAttribute(KNumber, QStringLiteral("decimal-places"), QStringLiteral("0"));
    w.writeAttribute(KNumber, QStringLiteral("min-integer-digits"), QStringLiteral("1"));
    w.writeEndElement();
    w.writeTextElement(KNumber, QStringLiteral("text"), QStringLiteral("%"));
    w.writeEndElement();
    w.writeStartElement(KNumber, QStringLiteral("date-style"));
    w.writeAttribute(KStyle, QStringLiteral("name"), QStringLiteral("N_data"));
    for (const char* parte : {"day", "/", "month", "/", "year"}) {
        if (parte[0] == '/') {
            w.writeTextElement(KNumber, QStringLiteral("text"), QStringLiteral("/"));
            continue;
        }
        w.writeStartElement(KNumber, QString::fromLatin1(parte));
        w.writeAttribute(KNumber, QStringLiteral("style"), QStringLiteral("long"));
        w.writeEndElement();
    }
    w.writeEndElement();

    auto larghezza = [&](const QString& nome, const QString& cm) {
        f.Stile(nome, QStringLiteral("table-column"), [&] {
            w.writeEmptyElement(KStyle, QStringLiteral("table-column-properties"));
            w.writeAttribute(KStyle, QStringLiteral("column-width"), cm);
        });
    };
    larghezza(QStringLiteral("co_nome"), QStringLiteral("5cm"));
    larghezza(QStringLiteral("co_numero"), QStringLiteral("2.1cm"));
    larghezza(QStringLiteral("co_errore"), QStringLiteral("12cm"));
    larghezza(QStringLiteral("co_argomento"), QStringLiteral("3.4cm"));
    larghezza(QStringLiteral("co_data"), QStringLiteral("3cm"));
    auto grassetto = [&](bool sfondo, bool centrato) {
        return [&w, sfondo, centrato] {
            if (sfondo) {
                w.writeEmptyElement(KStyle, QStringLiteral("table-cell-properties"));
                w.writeAttribute(KFo, QStringLiteral("background-color"), QStringLiteral("#e6e6e6"));
            }
            if (centrato) {
                w.writeEmptyElement(KStyle, QStringLiteral("paragraph-properties"));
                w.writeAttribute(KFo, QStringLiteral("text-align"), QStringLiteral("center"));
            }
            w.writeEmptyElement(KStyle, QStringLiteral("text-properties"));
            w.writeAttribute(KFo, QStringLiteral("font-weight"), QStringLiteral("bold"));
        };
    };
    f.Stile(QStringLiteral("ce_titolo"), QStringLiteral("table-cell"), [&] {
        w.writeEmptyElement(KStyle, QStringLiteral("text-properties"));
        w.writeAttribute(KFo, QStringLiteral("font-size"), QStringLiteral("14pt"));
        w.writeAttribute(KFo, QStringLiteral("font-weight"), QStringLiteral("bold"));
    });
    f.Stile(QStringLiteral("ce_intestazione"), QStringLiteral("table-cell"), grassetto(true, false));
    f.Stile(QStringLiteral("ce_gruppo"), QStringLiteral("table-cell"), grassetto(true, true));
    f.Stile(QStringLiteral("ce_totale"), QStringLiteral("table-cell"), grassetto(false, false));
    f.Stile(QStringLiteral("ce_totale_pct"), QStringLiteral("table-cell"), grassetto(false, false), QStringLiteral("N_pct"));
    f.Stile(QStringLiteral("ce_pct"), QStringLiteral("table-cell"), [] {}, QStringLiteral("N_pct"));
    f.Stile(QStringLiteral("ce_data"), QStringLiteral("table-cell"), [] {}, QStringLiteral("N_data"));
    f.Stile(QStringLiteral("ce_a_capo"), QStringLiteral("table-cell"), [&] {
        w.writeEmptyElement(KStyle, QStringLiteral("table-cell-properties"));
        w.writeAttribute(KFo, QStringLiteral("wrap-option"), QStringLiteral("wrap"));
    });
    // Printed landscape, each sheet as wide as the page, with the page's
    // number in the footer.
    w.writeStartElement(KStyle, QStringLiteral("page-layout"));
    w.writeAttribute(KStyle, QStringLiteral("name"), QStringLiteral("pm_orizzontale"));
    w.writeEmptyElement(KStyle, QStringLiteral("page-layout-properties"));
    w.writeAttribute(KFo, QStringLiteral("page-width"), QStringLiteral("29.7cm"));
    w.writeAttribute(KFo, QStringLiteral("page-height"), QStringLiteral("21cm"));
    w.writeAttribute(KStyle, QStringLiteral("print-orientation"), QStringLiteral("landscape"));
    w.writeAttribute(KFo, QStringLiteral("margin"), QStringLiteral("1.5cm"));
    w.writeAttribute(KStyle, QStringLiteral("scale-to-X"), QStringLiteral("1"));
    w.writeAttribute(KStyle, QStringLiteral("scale-to-Y"), QStringLiteral("0"));
    w.writeEndElement();
    w.writeStartElement(KStyle, QStringLiteral("style"));
    w.writeAttribute(KStyle, QStringLiteral("name"), QStringLiteral("ta_foglio"));
    w.writeAttribute(KStyle, QStringLiteral("family"), QStringLiteral("table"));
    w.writeAttribute(KStyle, QStringLiteral("master-page-name"), QStringLiteral("Default"));
    w.writeEmptyElement(KStyle, QStringLiteral("table-properties"));
    w.writeAttribute(KTable, QStringLiteral("display"), QStringLiteral("true"));
    w.writeEndElement();
    w.writeEndElement(); // automatic-styles

    w.writeStartElement(KOffice, QStringLiteral("master-styles"));
    w.writeStartElement(KStyle, QStringLiteral("master-page"));
    w.writeAttribute(KStyle, QStringLiteral("name"), QStringLiteral("Default"));
    w.writeAttribute(KStyle, QStringLiteral("page-layout-name"), QStringLiteral("pm_orizzontale"));
    w.writeStartElement(KStyle, QStringLiteral("header"));
    w.writeAttribute(KStyle, QStringLiteral("display"), QStringLiteral("false"));
    w.writeEndElement();
    w.writeStartElement(KStyle, QStringLiteral("footer"));
    w.writeStartElement(KText, QStringLiteral("p"));
    w.writeCharacters(titolo + QStringLiteral(" \u2014 pagina "));
    w.writeTextElement(KText, QStringLiteral("page-number"), QStringLiteral("1"));
    w.writeEndElement();
    w.writeEndElement();
    w.writeEndElement();
    w.writeEndElement(); // master-styles

    w.writeStartElement(KOffice, QStringLiteral("body"));
    w.writeStartElement(KOffice, QStringLiteral("spreadsheet"));

    // The pupils: a title row, the topics over their three columns, the
    // columns' names, a row per pupil, the class's totals.
    const int gruppi = static_cast<int>(colonne.size()) + 1;
    f.Tabella(QStringLiteral("Alunni"));
    f.Colonna(QStringLiteral("co_nome"));
    f.Colonna(QStringLiteral("co_numero"), 3 * gruppi);
    f.Riga();
    f.Testo(titolo + QStringLiteral(", ") + PeriodoClasse(p), QStringLiteral("ce_titolo"));
    f.FineRiga();
    f.Riga();
    f.Testo({}, QStringLiteral("ce_gruppo"));
    for (const auto& c : colonne)
        f.Testo(c.intestazione, QStringLiteral("ce_gruppo"), 3);
    f.Testo(QStringLiteral("Totale"), QStringLiteral("ce_gruppo"), 3);
    f.FineRiga();
    f.Riga();
    f.Testo(QStringLiteral("Alunno"), QStringLiteral("ce_intestazione"));
    for (int i = 0; i < gruppi; ++i) {
        f.Testo(QStringLiteral("Giuste"), QStringLiteral("ce_gruppo"));
        f.Testo(QStringLiteral("Sbagliate"), QStringLiteral("ce_gruppo"));
        f.Testo(QStringLiteral("% giuste"), QStringLiteral("ce_gruppo"));
    }
    f.FineRiga();
    std::map<QString, TContiArgomento> classe;
    TContiArgomento tutto;
    for (const auto& a : p.alunni) {
        f.Riga();
        f.Testo(a.nome);
        for (const auto& c : colonne) {
            const auto it = a.argomenti.find(c.nome);
            const TContiArgomento conti = it != a.argomenti.end() ? it->second : TContiArgomento{};
            Conti(f, conti);
            classe[c.nome].giuste += conti.giuste;
            classe[c.nome].sbagliate += conti.sbagliate;
        }
        const TContiArgomento t = Somma(a);
        tutto.giuste += t.giuste;
        tutto.sbagliate += t.sbagliate;
        Conti(f, t, {}, true);
        f.FineRiga();
    }
    f.Riga();
    f.Testo(QStringLiteral("Classe"), QStringLiteral("ce_totale"));
    for (const auto& c : colonne)
        Conti(f, classe[c.nome], QStringLiteral("ce_totale"), true);
    Conti(f, tutto, QStringLiteral("ce_totale"), true);
    f.FineRiga();
    f.FineTabella();

    f.Tabella(QStringLiteral("Errori"));
    f.Colonna(QStringLiteral("co_errore"));
    f.Colonna(QStringLiteral("co_argomento"));
    f.Colonna(QStringLiteral("co_numero"), 2);
    f.Riga();
    f.Testo(QStringLiteral("Errore"), QStringLiteral("ce_intestazione"));
    f.Testo(QStringLiteral("Argomento"), QStringLiteral("ce_intestazione"));
    f.Testo(QStringLiteral("Volte"), QStringLiteral("ce_gruppo"));
    f.Testo(QStringLiteral("Alunni"), QStringLiteral("ce_gruppo"));
    f.FineRiga();
    for (const auto& e : p.errori) {
        f.Riga();
        f.Testo(e.tipo, QStringLiteral("ce_a_capo"));
        f.Testo(Intestazione(noti, e.argomento));
        f.Numero(e.volte);
        f.Numero(e.alunni);
        f.FineRiga();
    }
    if (p.errori.isEmpty()) {
        f.Riga();
        f.Testo(QStringLiteral("Nessun errore riconosciuto in questo periodo."));
        f.FineRiga();
    }
    f.FineTabella();

    f.Tabella(QStringLiteral("Ripasso"));
    f.Colonna(QStringLiteral("co_nome"));
    f.Colonna(QStringLiteral("co_data"), 2);
    f.Riga();
    f.Testo(QStringLiteral("Alunno"), QStringLiteral("ce_intestazione"));
    f.Testo(QStringLiteral("Voci in ritardo"), QStringLiteral("ce_gruppo"));
    f.Testo(QStringLiteral("Dovuta dal"), QStringLiteral("ce_gruppo"));
    f.FineRiga();
    for (const auto& r : p.ritardi) {
        f.Riga();
        f.Testo(r.nome);
        f.Numero(r.voci);
        f.Data(r.scadenza, QStringLiteral("ce_data"));
        f.FineRiga();
    }
    if (p.ritardi.isEmpty()) {
        f.Riga();
        f.Testo(QStringLiteral("Nessun alunno è in ritardo con il ripasso."));
        f.FineRiga();
    }
    f.FineTabella();

    w.writeEndElement(); // spreadsheet
    w.writeEndElement(); // body
    w.writeEndElement(); // document
    w.writeEndDocument();
    return uscita;
}

namespace {

// A field as RFC 4180 wants it, quoted when it holds a comma, a quote or a
// line break. A text that a spreadsheet would take for a formula (a name
// typed as "=…") gets a leading apostrophe, so that opening the file
// never runs what a pupil typed.
QString Campo(QString s)
{
    if (!s.isEmpty() && QStringLiteral("=+-@").contains(s.front()))
        s.prepend(QLatin1Char('\''));
    if (s.contains(QLatin1Char(',')) || s.contains(QLatin1Char('"')) || s.contains(QLatin1Char('\n')) ||
        s.contains(QLatin1Char('\r')))
        return QLatin1Char('"') + s.replace(QLatin1Char('"'), QLatin1String("\"\"")) + QLatin1Char('"');
    return s;
}

void RigaCsv(QString& uscita, const QStringList& campi)
{
    uscita += campi.join(QLatin1Char(',')) + QLatin1String("\r\n");
}

void ContiCsv(QStringList& campi, const TContiArgomento& c, bool zeri)
{
    if (c.Totale() == 0 && !zeri) {
        campi << QString() << QString() << QString();
        return;
    }
    campi << QString::number(c.giuste) << QString::number(c.sbagliate)
          << (c.Totale() > 0 ? QString::number(QuotaGiuste(c), 'f', 4) : QString());
}

} // namespace

QByteArray PanoramicaCsv(const TPanoramicaClasse& p, const std::vector<TColonnaArgomento>& noti)
{
    const auto colonne = ColonneClasse(p, noti);
    QString uscita;
    QStringList intestazione{QStringLiteral("Alunno")};
    auto gruppo = [&](const QString& nome) {
        intestazione << Campo(nome + QStringLiteral(" giuste")) << Campo(nome + QStringLiteral(" sbagliate"))
                     << Campo(nome + QStringLiteral(" quota giuste"));
    };
    for (const auto& c : colonne)
        gruppo(c.intestazione);
    gruppo(QStringLiteral("Totale"));
    RigaCsv(uscita, intestazione);
    for (const auto& a : p.alunni) {
        QStringList campi{Campo(a.nome)};
        for (const auto& c : colonne) {
            const auto it = a.argomenti.find(c.nome);
            ContiCsv(campi, it != a.argomenti.end() ? it->second : TContiArgomento{}, false);
        }
        ContiCsv(campi, Somma(a), true);
        RigaCsv(uscita, campi);
    }
    uscita += QLatin1String("\r\n");
    RigaCsv(uscita, {QStringLiteral("Errore"), QStringLiteral("Argomento"), QStringLiteral("Volte"),
                     QStringLiteral("Alunni")});
    for (const auto& e : p.errori)
        RigaCsv(uscita, {Campo(e.tipo), Campo(Intestazione(noti, e.argomento)), QString::number(e.volte),
                         QString::number(e.alunni)});
    uscita += QLatin1String("\r\n");
    RigaCsv(uscita, {QStringLiteral("Alunno"), QStringLiteral("Voci in ritardo"), QStringLiteral("Dovuta dal")});
    for (const auto& r : p.ritardi)
        RigaCsv(uscita, {Campo(r.nome), QString::number(r.voci), r.scadenza.toString(Qt::ISODate)});
    return uscita.toUtf8();
}

} // namespace mevario
