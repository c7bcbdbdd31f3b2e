#include "QuibWord.h"

#include <QBuffer>
#include <QClipboard>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLocale>

#include <cstdio>

#include "Apertura.h"
#include "Documenti.h"
#include "SchedaPol.h"

#ifndef MEVARIO_DATADIR
#define MEVARIO_DATADIR "/usr/share/mevario"
#endif

namespace mevario {

namespace {

const char* const kTesto = "urn:oasis:names:tc:opendocument:xmlns:text:1.0";
const char* const kDraw = "urn:oasis:names:tc:opendocument:xmlns:drawing:1.0";
const char* const kSvg = "urn:oasis:names:tc:opendocument:xmlns:svg-compatible:1.0";
const char* const kOffice = "urn:oasis:names:tc:opendocument:xmlns:office:1.0";

TQuibWord::TMostraMessaggio& Messaggi()
{
    static TQuibWord::TMostraMessaggio m;
    return m;
}

TQuibWord::TConsegna& Consegne()
{
    static TQuibWord::TConsegna c;
    return c;
}

// Every element in document order.
void Visita(const QDomNode& n, const std::function<bool(QDomElement)>& f)
{
    for (QDomNode c = n.firstChild(); !c.isNull(); c = c.nextSibling()) {
        if (c.isElement() && f(c.toElement()))
            return;
        Visita(c, f);
    }
}

QString TestoPulito(const QString& t)
{
    // Characters XML cannot hold are left out.
    QString r;
    for (QChar c : t)
        if (c.unicode() >= 0x20 || c == QLatin1Char('\t') || c == QLatin1Char('\n'))
            r += c;
    return r;
}

} // namespace

void TQuibWord::ImpostaMessaggi(TMostraMessaggio m) { Messaggi() = std::move(m); }

QString TQuibWord::Titolo(TTipoMessaggio tipo)
{
    switch (tipo) {
    case TTipoMessaggio::Errore: return QStringLiteral("Errore");
    case TTipoMessaggio::Conferma: return QStringLiteral("Conferma");
    case TTipoMessaggio::Attenzione: return QStringLiteral("Attenzione");
    case TTipoMessaggio::Informazione: return QStringLiteral("Informazione");
    }
    return {};
}

void TQuibWord::Messaggio(TTipoMessaggio tipo, const QString& testo)
{
    if (Messaggi())
        Messaggi()(tipo, testo);
    else
        std::fprintf(stderr, "%s: %s\n", qPrintable(Titolo(tipo)), qPrintable(testo));
}

void TQuibWord::ImpostaConsegna(TConsegna c) { Consegne() = std::move(c); }

bool TQuibWord::ConsegnaPredefinita(const QString& file)
{
    if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        return false;
    TApertura::Apri(file, [file](const QString& motivo) {
        Messaggio(TTipoMessaggio::Attenzione, QStringLiteral("Non è stato possibile aprire il documento: ") + motivo +
                                                  QStringLiteral(".\n\nIl documento è salvato in:\n") + file);
    });
    return true;
}

bool TQuibWord::ConsegnaFile(const QString& file)
{
    return Consegne() ? Consegne()(file) : ConsegnaPredefinita(file);
}

bool TQuibWord::ApriDocumento(const QString& file, bool comeModello, bool visibile)
{
    if (FWordChiuso) {
        if (MessaggiErrore)
            Messaggio(TTipoMessaggio::Errore, QStringLiteral("Impossibile aprire il documento se Word è chiuso"));
        return false;
    }
    QFile f(file);
    QDomDocument doc;
    const bool letto = f.open(QIODevice::ReadOnly) && doc.setContent(&f, true) &&
                       doc.documentElement().localName() == QLatin1String("document") &&
                       doc.documentElement().namespaceURI() == QLatin1String(kOffice);
    if (!letto) {
        Messaggio(TTipoMessaggio::Attenzione, QStringLiteral("Impossibile aprire il documento ") + file);
        return false;
    }
    (void)comeModello; // a template or a document: both become the document in memory
    FDoc = doc;
    FAperto = true;
    FWordChiuso = false;
    FVisibile = visibile;
    return true;
}

void TQuibWord::ScriviInSegnalibro(const QString& nome, const QString& testo)
{
    if (FWordChiuso) {
        if (MessaggiErrore)
            Messaggio(TTipoMessaggio::Attenzione, QStringLiteral("Impossibile modificare il documento se Word è chiuso"));
        return;
    }
    if (!FAperto)
        return;
    QDomElement trovato;
    Visita(FDoc, [&](QDomElement e) {
        if (e.namespaceURI() == QLatin1String(kTesto) &&
            (e.localName() == QLatin1String("bookmark") || e.localName() == QLatin1String("bookmark-start")) &&
            e.attributeNS(QLatin1String(kTesto), QStringLiteral("name")) == nome) {
            trovato = e;
            return true;
        }
        return false;
    });
    if (trovato.isNull())
        return;
    if (testo == QStringLiteral("§")) {
        IncollaImmagine(trovato);
        return;
    }
    if (testo.isEmpty())
        return;
    // Typed at the bookmark's start: right after the bookmark mark.
    trovato.parentNode().insertAfter(FDoc.createTextNode(TestoPulito(testo)), trovato);
}

void TQuibWord::IncollaImmagine(QDomElement segnalibro)
{
    QImage img = FImmagine;
    if (img.isNull())
        if (auto* app = qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
            img = app->clipboard()->image();
    if (img.isNull())
        return; // nothing to paste
    QByteArray png;
    QBuffer buf(&png);
    buf.open(QIODevice::WriteOnly);
    img.save(&buf, "PNG");
    // As wide as the text (17 cm) at most, keeping the proportions.
    const double larghezza = std::min(17.0, img.width() * 2.54 / 96.0);
    const double altezza = larghezza * img.height() / std::max(1, img.width());
    QDomElement frame = FDoc.createElementNS(QLatin1String(kDraw), QStringLiteral("draw:frame"));
    frame.setAttributeNS(QLatin1String(kDraw), QStringLiteral("draw:name"), QStringLiteral("Finestra"));
    frame.setAttributeNS(QLatin1String(kTesto), QStringLiteral("text:anchor-type"), QStringLiteral("as-char"));
    frame.setAttributeNS(QLatin1String(kSvg), QStringLiteral("svg:width"), QString::number(larghezza, 'f', 2) + "cm");
    frame.setAttributeNS(QLatin1String(kSvg), QStringLiteral("svg:height"), QString::number(altezza, 'f', 2) + "cm");
    QDomElement immagine = FDoc.createElementNS(QLatin1String(kDraw), QStringLiteral("draw:image"));
    QDomElement dati = FDoc.createElementNS(QLatin1String(kOffice), QStringLiteral("office:binary-data"));
    dati.appendChild(FDoc.createTextNode(QString::fromLatin1(png.toBase64())));
    immagine.appendChild(dati);
    frame.appendChild(immagine);
    segnalibro.parentNode().insertAfter(frame, segnalibro);
}

QString TQuibWord::Consegna(const QString& cosa, const QDateTime& quando)
{
    if (!FAperto)
        return {};
    // A new file, never one that exists: a name taken meanwhile (another
    // Mevario writing at the same minute) is passed over for the next.
    QString errore;
    const QString file =
        ScriviNuovoDocumento(CartellaDocumenti(), cosa, QStringLiteral("fodt"), FDoc.toByteArray(1), quando, &errore);
    if (file.isEmpty()) {
        Messaggio(TTipoMessaggio::Errore, errore);
        return {};
    }
    const bool consegnato = ConsegnaFile(file);
    if (!consegnato) {
        Messaggio(TTipoMessaggio::Attenzione,
                  QStringLiteral("Non è stato possibile aprire il documento con un programma di videoscrittura."
                                 "\n\nIl documento è salvato in:\n") +
                      file);
    }
    return file;
}

void TQuibWord::WordChiuso()
{
    FWordChiuso = true;
    if (OnWordQuit)
        OnWordQuit();
}

QString TrovaModello(const QString& cartellaProgramma, const QString& nome)
{
    QStringList cartelle;
    if (!cartellaProgramma.isEmpty())
        cartelle << cartellaProgramma;
    if (QCoreApplication::instance()) {
        cartelle << QCoreApplication::applicationDirPath();
        // An installed or unpacked package: bin/ and share/mevario/ side by side.
        cartelle << QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("../share/mevario"));
    }
    cartelle << QStringLiteral(MEVARIO_DATADIR);
    for (const QString& c : cartelle) {
        const QString f = QDir(c).filePath(nome);
        if (QFileInfo::exists(f))
            return f;
    }
    return {};
}

namespace {

QString Modello(const QString& cartellaProgramma, const QString& nome)
{
    const QString f = TrovaModello(cartellaProgramma, nome);
    // Not found anywhere: the message names where it was expected first.
    return f.isEmpty() ? QDir(cartellaProgramma).filePath(nome) : f;
}

} // namespace

QString DataOraScheda(const QDateTime& quando)
{
    const QLocale italiano(QLocale::Italian, QLocale::Italy);
    return italiano.toString(quando.date(), QStringLiteral("dddd d MMMM yyyy")) + QStringLiteral(" alle ") +
           quando.time().toString(QStringLiteral("hh:mm"));
}

QString ScriviSchedaRisultati(const QString& cartellaProgramma)
{
    return ScriviSchedaRisultati(cartellaProgramma, TSchedaPol::Istanza() ? *TSchedaPol::Istanza() : TSchedaPol());
}

namespace {

const char* const kTabella = "urn:oasis:names:tc:opendocument:xmlns:table:1.0";
const char* const kStile = "urn:oasis:names:tc:opendocument:xmlns:style:1.0";

QList<QDomElement> Elementi(const QDomNode& n, const char* ns, const char* nome)
{
    QList<QDomElement> r;
    const QDomNodeList l = n.isDocument() ? n.toDocument().elementsByTagNameNS(QLatin1String(ns), QLatin1String(nome))
                                          : n.toElement().elementsByTagNameNS(QLatin1String(ns), QLatin1String(nome));
    for (int i = 0; i < l.size(); ++i)
        r.append(l.at(i).toElement());
    return r;
}

// The paragraph's text replaced by `testo` (its style kept).
void Riscrivi(QDomElement p, const QString& testo)
{
    while (!p.firstChild().isNull())
        p.removeChild(p.firstChild());
    p.appendChild(p.ownerDocument().createTextNode(TestoPulito(testo)));
}

// Appends to a row a copy of its last cell holding `testo`.
void AggiungiCella(QDomElement riga, const QString& testo)
{
    QDomElement ultima = riga.lastChildElement();
    QDomElement c = ultima.cloneNode(true).toElement();
    const QList<QDomElement> paragrafi = Elementi(c, kTesto, "p");
    if (!paragrafi.isEmpty())
        Riscrivi(paragrafi.first(), testo);
    riga.appendChild(c);
}

std::optional<QDomElement> PrimoCheComincia(const QDomDocument& doc, const QString& inizio)
{
    for (const QDomElement& p : Elementi(doc, kTesto, "p"))
        if (p.text().startsWith(inizio))
            return p;
    return std::nullopt;
}

} // namespace

void ScriviAlunnoInScheda(QDomDocument& doc, const TAlunnoScheda& alunno)
{
    if (const auto p = PrimoCheComincia(doc, QStringLiteral("Alunno:"))) {
        Riscrivi(*p, QStringLiteral("Alunno: ") + alunno.nome);
        // Spaces in a paragraph collapse to one: the gap is an element of its own.
        QDomElement spazio = doc.createElementNS(QLatin1String(kTesto), QStringLiteral("text:s"));
        spazio.setAttributeNS(QLatin1String(kTesto), QStringLiteral("text:c"), QStringLiteral("8"));
        QDomElement(*p).appendChild(spazio);
        QDomElement(*p).appendChild(doc.createTextNode(
            QStringLiteral("Classe: ") + (alunno.classe.isEmpty() ? QStringLiteral("\u2014") : TestoPulito(alunno.classe))));
    }
    // Three columns more in the same width: the topic's column gives room.
    for (QDomElement st : Elementi(doc, kStile, "style")) {
        const QString nome = st.attributeNS(QLatin1String(kStile), QStringLiteral("name"));
        const QString larghezza = nome == QLatin1String("ColArgomento") ? QStringLiteral("5.5cm")
                                  : nome == QLatin1String("ColNumero")  ? QStringLiteral("2.3cm")
                                                                         : QString();
        if (larghezza.isEmpty())
            continue;
        for (QDomElement c : Elementi(st, kStile, "table-column-properties"))
            c.setAttributeNS(QLatin1String(kStile), QStringLiteral("style:column-width"), larghezza);
    }
    const QLocale italiano(QLocale::Italian, QLocale::Italy);
    for (QDomElement t : Elementi(doc, kTabella, "table")) {
        if (t.attributeNS(QLatin1String(kTabella), QStringLiteral("name")) != QLatin1String("Risultati"))
            continue;
        for (QDomElement c : Elementi(t, kTabella, "table-column"))
            if (c.hasAttributeNS(QLatin1String(kTabella), QStringLiteral("number-columns-repeated")))
                c.setAttributeNS(QLatin1String(kTabella), QStringLiteral("table:number-columns-repeated"), QStringLiteral("5"));
        bool intestazione = true;
        for (QDomElement riga : Elementi(t, kTabella, "table-row")) {
            QDomElement prima = riga.firstChildElement();
            if (prima.hasAttributeNS(QLatin1String(kTabella), QStringLiteral("number-columns-spanned"))) {
                prima.setAttributeNS(QLatin1String(kTabella), QStringLiteral("table:number-columns-spanned"), QStringLiteral("6"));
                continue; // "Monomi", "Polinomi"
            }
            if (intestazione) {
                intestazione = false;
                for (const QString& testo : {QStringLiteral("Esatte in tutto"), QStringLiteral("Errori in tutto"),
                                             QStringLiteral("Ultimo giorno")})
                    AggiungiCella(riga, testo);
                continue;
            }
            // The topic of the row, by the bookmark of its right answers.
            std::string argomento;
            for (const QDomElement& b : Elementi(riga, kTesto, "bookmark"))
                if (argomento.empty())
                    argomento = TSchedaPol::Argomento(b.attributeNS(QLatin1String(kTesto), QStringLiteral("name")).toStdString());
            const auto it = alunno.totali.find(argomento);
            const TTotaleArgomento tot = it == alunno.totali.end() ? TTotaleArgomento{} : it->second;
            AggiungiCella(riga, QString::number(tot.giuste));
            AggiungiCella(riga, QString::number(tot.sbagliate));
            AggiungiCella(riga, tot.ultimoGiorno.isValid() ? italiano.toString(tot.ultimoGiorno, QStringLiteral("d/M/yyyy"))
                                                           : QStringLiteral("\u2014"));
        }
    }
    if (const auto p = PrimoCheComincia(doc, QStringLiteral("Le risposte esatte e gli errori")))
        Riscrivi(*p, QStringLiteral("Risposte esatte ed errori: quelli dati durante questo uso del programma. "
                                    "In tutto: tutte le risposte di ") +
                         alunno.nome +
                         QStringLiteral(" che Mevario ricorda, comprese queste. Ultimo giorno: l'ultimo giorno "
                                        "di esercizi sull'argomento."));
}

namespace {

QString ScriviRisultati(const QString& cartellaProgramma, const TSchedaPol& risultati, const TAlunnoScheda* alunno,
                        const QDateTime& quando)
{
    TQuibWord w;
    if (!w.ApriDocumento(Modello(cartellaProgramma, QStringLiteral("schedaVEK.fodt")), true, true))
        return {};
    for (int i = 0; i < TSchedaPol::Numero; ++i)
        w.ScriviInSegnalibro(QString::fromLatin1(TSchedaPol::Nomi()[static_cast<std::size_t>(i)]),
                             QString::number(risultati.Valore(i)));
    w.ScriviInSegnalibro(QStringLiteral("DATA_ORA"), DataOraScheda(quando));
    if (alunno)
        ScriviAlunnoInScheda(w.Documento(), *alunno);
    return w.Consegna(alunno ? QStringLiteral("Risultati ") + alunno->nome : QStringLiteral("Risultati"), quando);
}

} // namespace

QString ScriviSchedaRisultati(const QString& cartellaProgramma, const TSchedaPol& risultati, const QDateTime& quando)
{
    return ScriviRisultati(cartellaProgramma, risultati, nullptr, quando);
}

QString ScriviSchedaRisultati(const QString& cartellaProgramma, const TSchedaPol& risultati,
                              const TAlunnoScheda& alunno, const QDateTime& quando)
{
    return ScriviRisultati(cartellaProgramma, risultati, &alunno, quando);
}

QString ScriviSchedaFinestra(const QString& cartellaProgramma, const QImage& finestra, const QString& titolo)
{
    return ScriviSchedaFinestra(cartellaProgramma, finestra, titolo, {}, {}, QDateTime::currentDateTime());
}

void ScriviChiEQuandoInScheda(QDomDocument& doc, const QString& alunno, const QString& classe, const QDate& giorno)
{
    const QString data = QLocale(QLocale::Italian, QLocale::Italy).toString(giorno, QStringLiteral("d MMMM yyyy"));
    // A guest's sheet keeps the lines for name and class, written by hand.
    if (!alunno.isEmpty())
        if (const auto p = PrimoCheComincia(doc, QStringLiteral("Alunno:")))
            Riscrivi(*p, QStringLiteral("Alunno: ") + alunno);
    if (const auto p = PrimoCheComincia(doc, QStringLiteral("Classe:"))) {
        Riscrivi(*p, QStringLiteral("Classe: ") +
                         (!classe.isEmpty()   ? TestoPulito(classe)
                          : alunno.isEmpty() ? QStringLiteral("________")
                                             : QStringLiteral("\u2014")));
        // Spaces in a paragraph collapse to one: the gap is an element of its own.
        QDomElement spazio = doc.createElementNS(QLatin1String(kTesto), QStringLiteral("text:s"));
        spazio.setAttributeNS(QLatin1String(kTesto), QStringLiteral("text:c"), QStringLiteral("6"));
        QDomElement(*p).appendChild(spazio);
        QDomElement(*p).appendChild(doc.createTextNode(QStringLiteral("Data: ") + data));
    }
}

QString ScriviSchedaFinestra(const QString& cartellaProgramma, const QImage& finestra, const QString& titolo,
                             const QString& alunno, const QString& classe, const QDateTime& quando)
{
    TQuibWord w;
    if (!w.ApriDocumento(Modello(cartellaProgramma, QStringLiteral("scheda.fodt")), true, true))
        return {};
    // The picture goes through the clipboard, as a pupil would paste it.
    if (auto* app = qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        app->clipboard()->setImage(finestra);
    w.ImpostaImmagine(finestra);
    for (const char* b : {"ALUNNO", "CLASSE", "DATA"})
        w.ScriviInSegnalibro(QString::fromLatin1(b), QString());
    w.ScriviInSegnalibro(QStringLiteral("TABELLA"), QStringLiteral("§"));
    ScriviChiEQuandoInScheda(w.Documento(), alunno, classe, quando.date());
    return w.Consegna(titolo, quando);
}

} // namespace mevario
