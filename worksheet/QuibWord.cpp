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
    const QString cartella = CartellaDocumenti();
    if (!PreparaCartella(cartella)) {
        Messaggio(TTipoMessaggio::Errore,
                  QStringLiteral("Impossibile scrivere il documento: non si può creare la cartella ") + cartella);
        return {};
    }
    const QByteArray testo = FDoc.toByteArray(1);
    QString file;
    // A new file, never one that exists: a name taken meanwhile (another
    // Mevario writing at the same minute) is passed over for the next.
    for (int prova = 0; prova < 20 && file.isEmpty(); ++prova) {
        const QString nome = NuovoPercorsoDocumento(cartella, cosa, QStringLiteral("fodt"), quando);
        if (nome.isEmpty())
            break;
        QFile f(nome);
        if (f.open(QIODevice::WriteOnly | QIODevice::NewOnly)) {
            if (f.write(testo) != testo.size() || !f.flush()) {
                f.remove();
                Messaggio(TTipoMessaggio::Errore, QStringLiteral("Impossibile scrivere il documento ") + nome);
                return {};
            }
            file = nome;
        } else if (!QFileInfo::exists(nome)) {
            Messaggio(TTipoMessaggio::Errore, QStringLiteral("Impossibile scrivere il documento ") + nome);
            return {};
        }
    }
    if (file.isEmpty()) {
        Messaggio(TTipoMessaggio::Errore, QStringLiteral("Impossibile scrivere il documento: nella cartella ") +
                                              cartella + QStringLiteral(" non si trova un nome libero per «") + cosa +
                                              QStringLiteral("»"));
        return {};
    }
    const bool consegnato = Consegne() ? Consegne()(file) : ConsegnaPredefinita(file);
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

QString ScriviSchedaRisultati(const QString& cartellaProgramma, const TSchedaPol& risultati, const QDateTime& quando)
{
    TQuibWord w;
    if (!w.ApriDocumento(Modello(cartellaProgramma, QStringLiteral("schedaVEK.fodt")), true, true))
        return {};
    for (int i = 0; i < TSchedaPol::Numero; ++i)
        w.ScriviInSegnalibro(QString::fromLatin1(TSchedaPol::Nomi()[static_cast<std::size_t>(i)]),
                             QString::number(risultati.Valore(i)));
    w.ScriviInSegnalibro(QStringLiteral("DATA_ORA"), DataOraScheda(quando));
    return w.Consegna(QStringLiteral("Risultati"), quando);
}

QString ScriviSchedaFinestra(const QString& cartellaProgramma, const QImage& finestra, const QString& titolo)
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
    return w.Consegna(titolo);
}

} // namespace mevario
