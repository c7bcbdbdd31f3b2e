// The results sheet and the window sheet: what the documents hold at their
// bookmarks, where they are written and under what names, the messages when
// something is missing, how they are opened (against stand-ins for
// dpkg-query, xdg-mime, xdg-open and soffice), and (where LibreOffice is
// installed) the documents as the word processor reads them. HOME points at
// a temporary folder: the documents go to its Documents/Mevario.
#include <QClipboard>
#include <QDebug>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QPainter>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <unistd.h>

#include "Apertura.h"
#include "Documenti.h"
#include "QuibWord.h"
#include "SchedaPol.h"

using namespace mevario;

namespace {

const QString kModelli = QStringLiteral(MEVARIO_MODELLI_DIR);
const char* const kTesto = "urn:oasis:names:tc:opendocument:xmlns:text:1.0";

// The text typed right after a bookmark of a written document.
QString Dopo(const QString& file, const QString& segnalibro)
{
    QFile f(file);
    QDomDocument d;
    if (!f.open(QIODevice::ReadOnly) || !d.setContent(&f, true))
        return QStringLiteral("<illeggibile>");
    const QDomNodeList l = d.elementsByTagNameNS(QLatin1String(kTesto), QStringLiteral("bookmark"));
    for (int i = 0; i < l.size(); ++i) {
        const QDomElement e = l.at(i).toElement();
        if (e.attributeNS(QLatin1String(kTesto), QStringLiteral("name")) == segnalibro) {
            const QDomNode n = e.nextSibling();
            return n.isText() ? n.nodeValue() : QString();
        }
    }
    return QStringLiteral("<assente>");
}

int Immagini(const QString& file)
{
    QFile f(file);
    QDomDocument d;
    if (!f.open(QIODevice::ReadOnly) || !d.setContent(&f, true))
        return -1;
    return d.elementsByTagNameNS(QStringLiteral("urn:oasis:names:tc:opendocument:xmlns:drawing:1.0"), QStringLiteral("image"))
        .size();
}

QImage Finestra()
{
    QImage img(400, 300, QImage::Format_RGB32);
    img.fill(QColor(255, 230, 204));
    QPainter p(&img);
    p.fillRect(20, 20, 100, 60, QColor(255, 113, 45));
    return img;
}

} // namespace

class TestScheda : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();
    void documentsFolderIsTheUsersDocuments();
    void newNamesSayWhatAndWhen();
    void sheetsLandInDocumentsMevarioUnderTheirNames();
    void nothingIsEverWrittenOver();
    void resultsSheetHoldsTheDateAndTime();
    void resultsSheetWithNothingDoneHoldsZeros();
    void twoVisitsAreAddedUp();
    void pupilsSheetHasNameClassAndTotals();
    void windowSheetHoldsThePicture();
    void windowSheetSaysWhoAndWhen();
    void templateWithoutTabellaPastesNothingQuietly();
    void bookmarkNamesAreCaseSensitive();
    void missingTemplateSaysSoAndWritesNothing();
    void sheetThatCannotBeWrittenSaysSo();
    void noWordProcessorSaysWhereTheDocumentIs();
    void openingTheDocument_data();
    void openingTheDocument();
    void libreOfficeReadsTheSheets();
    void aSpreadsheetIsOpenedWithCalc();
    void aPdfIsOpenedByTheDesktopsViewerOnly();
    void talliesAreTheTopicTablesInItsOrder();
    void neverOverTheRecordADeviceOrAFolder();
    void aFileIsReplacedWholeKeepingItsMode();
    void documentsOnAFullDiskAreNotWritten();

private:
    QString Documenti() const { return FCasa.filePath(QStringLiteral("Documents/Mevario")); }

    QTemporaryDir FCasa;
    QStringList FMessaggi;
    QStringList FConsegnati;
    QStringList FAvvisi;
    bool FConsegnaRiesce = true;
    bool FCursoreOccupato = false; // at the time of the last message
};

void TestScheda::initTestCase()
{
    QVERIFY(FCasa.isValid());
    qputenv("HOME", QFile::encodeName(FCasa.path()));
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(FCasa.filePath(QStringLiteral(".config"))));
    qunsetenv("XDG_DOCUMENTS_DIR");
}

void TestScheda::init()
{
    TSchedaPol::Crea();
    FMessaggi.clear();
    FConsegnati.clear();
    FAvvisi.clear();
    FConsegnaRiesce = true;
    TQuibWord::ImpostaMessaggi([this](TQuibWord::TTipoMessaggio t, const QString& m) {
        FMessaggi << TQuibWord::Titolo(t) + QStringLiteral(": ") + m;
        FCursoreOccupato = QGuiApplication::overrideCursor() != nullptr;
    });
    TQuibWord::ImpostaConsegna([this](const QString& f) {
        FConsegnati << f;
        return FConsegnaRiesce;
    });
    TApertura::ImpostaAvviso([this](const QString& t) { FAvvisi << t; });
}

void TestScheda::cleanup()
{
    if (qEnvironmentVariableIsSet("MEVARIO_TENERE")) {
        // The documents stay, to look at them.
        const QString copia = QDir::temp().filePath(QStringLiteral("mevario-documenti-di-prova"));
        QDir().mkpath(copia);
        for (const QString& f : QDir(Documenti()).entryList(QDir::Files))
            QFile::copy(QDir(Documenti()).filePath(f), QDir(copia).filePath(f));
    }
    QDir(FCasa.filePath(QStringLiteral("Documents"))).removeRecursively();
    QDir(FCasa.filePath(QStringLiteral(".config"))).removeRecursively();
}

void TestScheda::documentsFolderIsTheUsersDocuments()
{
    QCOMPARE(CartellaDocumenti(), Documenti());
    // An Italian desktop names the folder in ~/.config/user-dirs.dirs.
    QVERIFY(QDir().mkpath(FCasa.filePath(QStringLiteral(".config"))));
    QFile dirs(FCasa.filePath(QStringLiteral(".config/user-dirs.dirs")));
    QVERIFY(dirs.open(QIODevice::WriteOnly));
    dirs.write("XDG_DOCUMENTS_DIR=\"$HOME/Documenti\"\n");
    dirs.close();
    QCOMPARE(CartellaDocumenti(), FCasa.filePath(QStringLiteral("Documenti/Mevario")));
    QVERIFY(!QFileInfo::exists(CartellaDocumenti())); // made only when a document is written
    // A folder that cannot be made, and a file where the folder should be.
    QFile intralcio(FCasa.filePath(QStringLiteral("file")));
    QVERIFY(intralcio.open(QIODevice::WriteOnly));
    intralcio.close();
    QVERIFY(!PreparaCartella(intralcio.fileName()));
    QVERIFY(!PreparaCartella(intralcio.fileName() + QStringLiteral("/Mevario")));
    QVERIFY(!PreparaCartella(QString()));
    QVERIFY(PreparaCartella(FCasa.filePath(QStringLiteral("a/b/c"))));
    QVERIFY(PreparaCartella(FCasa.filePath(QStringLiteral("a/b/c")))); // again: already there
}

void TestScheda::newNamesSayWhatAndWhen()
{
    const QDateTime quando(QDate(2026, 12, 8), QTime(10, 42, 59));
    QTemporaryDir d;
    const auto nome = [&](const QString& cosa, const char* est = "fodt") {
        return QFileInfo(NuovoPercorsoDocumento(d.path(), cosa, QString::fromLatin1(est), quando)).fileName();
    };
    QCOMPARE(nome(QStringLiteral("Risultati")), QStringLiteral("Risultati 2026-12-08 10.42.fodt"));
    QCOMPARE(nome(QStringLiteral("Somma di monomi"), "pdf"), QStringLiteral("Somma di monomi 2026-12-08 10.42.pdf"));
    QCOMPARE(QFileInfo(NuovoPercorsoDocumento(d.path(), QStringLiteral("x"), QStringLiteral("fodt"), quando)).absolutePath(),
             QDir(d.path()).absolutePath());
    // Characters a file name cannot hold, and names that would hide the file.
    QCOMPARE(nome(QStringLiteral("3/4 di: a\\b")), QStringLiteral("3-4 di- a-b 2026-12-08 10.42.fodt"));
    QCOMPARE(nome(QStringLiteral("  ")), QStringLiteral("Mevario 2026-12-08 10.42.fodt"));
    QCOMPARE(nome(QStringLiteral(".nascosto")), QStringLiteral("Mevario .nascosto 2026-12-08 10.42.fodt"));
    // Taken names: " (2)", " (3)"; the same name in another type is no clash.
    for (const char* preso : {"Risultati 2026-12-08 10.42.fodt", "Risultati 2026-12-08 10.42 (2).fodt"}) {
        QFile f(d.filePath(QString::fromLatin1(preso)));
        QVERIFY(f.open(QIODevice::WriteOnly));
    }
    QCOMPARE(nome(QStringLiteral("Risultati")), QStringLiteral("Risultati 2026-12-08 10.42 (3).fodt"));
    QCOMPARE(nome(QStringLiteral("Risultati"), "pdf"), QStringLiteral("Risultati 2026-12-08 10.42.pdf"));
}

void TestScheda::sheetsLandInDocumentsMevarioUnderTheirNames()
{
    const QDateTime prima = QDateTime::currentDateTime();
    const QString risultati = ScriviSchedaRisultati(kModelli);
    const QString finestra = ScriviSchedaFinestra(kModelli, Finestra(), QStringLiteral("Somma di monomi"));
    const QDateTime dopo = QDateTime::currentDateTime();
    QVERIFY(FMessaggi.isEmpty());
    QCOMPARE(FConsegnati, (QStringList{risultati, finestra}));
    for (const QString& f : FConsegnati) {
        QVERIFY(QFileInfo(f).isFile());
        QCOMPARE(QFileInfo(f).absolutePath(), Documenti());
    }
    // Named after what they are and the minute they were written.
    const auto conOra = [&](const QString& cosa, const QString& f) {
        for (const QDateTime& t : {prima, dopo})
            if (QFileInfo(f).fileName() == cosa + t.toString(QStringLiteral(" yyyy-MM-dd hh.mm")) + QStringLiteral(".fodt"))
                return true;
        return false;
    };
    QVERIFY2(conOra(QStringLiteral("Risultati"), risultati), qPrintable(risultati));
    QVERIFY2(conOra(QStringLiteral("Somma di monomi"), finestra), qPrintable(finestra));
    // A window sheet without a topic is just a sheet.
    QVERIFY(QFileInfo(ScriviSchedaFinestra(kModelli, Finestra())).fileName().startsWith(QStringLiteral("Scheda 20")));
}

void TestScheda::nothingIsEverWrittenOver()
{
    const QDateTime quando(QDate(2026, 12, 8), QTime(10, 42));
    // The teacher's own file with the name the sheet would take.
    QVERIFY(QDir().mkpath(Documenti()));
    QFile suo(QDir(Documenti()).filePath(QStringLiteral("Risultati 2026-12-08 10.42.fodt")));
    QVERIFY(suo.open(QIODevice::WriteOnly));
    suo.write("i miei appunti");
    suo.close();
    QStringList scritti;
    for (int i = 0; i < 3; ++i)
        scritti << QFileInfo(ScriviSchedaRisultati(kModelli, *TSchedaPol::Istanza(), quando)).fileName();
    QCOMPARE(scritti, (QStringList{QStringLiteral("Risultati 2026-12-08 10.42 (2).fodt"),
                                   QStringLiteral("Risultati 2026-12-08 10.42 (3).fodt"),
                                   QStringLiteral("Risultati 2026-12-08 10.42 (4).fodt")}));
    QVERIFY(suo.open(QIODevice::ReadOnly));
    QCOMPARE(suo.readAll(), QByteArray("i miei appunti"));
    QVERIFY(FMessaggi.isEmpty());
}

void TestScheda::resultsSheetHoldsTheDateAndTime()
{
    const QString f = ScriviSchedaRisultati(kModelli, *TSchedaPol::Istanza(), QDateTime(QDate(2026, 12, 8), QTime(10, 42)));
    QCOMPARE(Dopo(f, QStringLiteral("DATA_ORA")), QStringLiteral("martedì 8 dicembre 2026 alle 10:42"));
    QCOMPARE(DataOraScheda(QDateTime(QDate(2027, 1, 1), QTime(8, 5))), QStringLiteral("venerdì 1 gennaio 2027 alle 08:05"));
    // The tallies are those given, not the record's.
    TSchedaPol altri;
    altri.Aggiungi("S_POL_DIV", 1);
    const QString g = ScriviSchedaRisultati(kModelli, altri);
    QCOMPARE(Dopo(g, QStringLiteral("S_POL_DIV")), QStringLiteral("1"));
    QCOMPARE(Dopo(g, QStringLiteral("E_MON_DEF")), QStringLiteral("0"));
}

void TestScheda::resultsSheetWithNothingDoneHoldsZeros()
{
    const QString f = ScriviSchedaRisultati(kModelli);
    QVERIFY(!f.isEmpty());
    QCOMPARE(FConsegnati, QStringList{f});
    QVERIFY(FMessaggi.isEmpty());
    for (const char* n : TSchedaPol::Nomi())
        QCOMPARE(Dopo(f, QString::fromLatin1(n)), QStringLiteral("0"));
    // A second sheet is a new file beside the first.
    const QString g = ScriviSchedaRisultati(kModelli);
    QVERIFY(!g.isEmpty() && g != f);
    QVERIFY(QFile::exists(f));
    QCOMPARE(QFileInfo(g).absolutePath(), QFileInfo(f).absolutePath());
}

void TestScheda::twoVisitsAreAddedUp()
{
    TSchedaPol* s = TSchedaPol::Istanza();
    const int e = s->Valore("E_MON_SOMDIF"), r = s->Valore("S_MON_SOMDIF");
    s->Aggiungi("E_MON_SOMDIF", 3);
    s->Aggiungi("S_MON_SOMDIF", 1);
    s->Aggiungi("E_MON_SOMDIF", 2);
    s->Aggiungi("S_MON_SOMDIF", 0);
    const QString f = ScriviSchedaRisultati(kModelli);
    QCOMPARE(Dopo(f, QStringLiteral("E_MON_SOMDIF")), QString::number(e + 5));
    QCOMPARE(Dopo(f, QStringLiteral("S_MON_SOMDIF")), QString::number(r + 1));
    QCOMPARE(s->Valore("E_MON_SOMDIF"), e + 5); // writing the sheet changes nothing
}

void TestScheda::pupilsSheetHasNameClassAndTotals()
{
    TSchedaPol oggi;
    oggi.Aggiungi("E_MON_PROD", 2);
    oggi.Aggiungi("S_MON_PROD", 1);
    TAlunnoScheda anna{QStringLiteral("Anna Rossi"), QStringLiteral("2B"), {}};
    anna.totali["prodotto-monomi"] = {12, 4, QDate(2026, 12, 8)};
    anna.totali["divisione-polinomi"] = {1, 0, QDate(2026, 11, 30)};
    const QString f = ScriviSchedaRisultati(kModelli, oggi, anna, QDateTime(QDate(2026, 12, 8), QTime(10, 42)));
    QVERIFY(!f.isEmpty());
    QVERIFY(QFileInfo(f).fileName().startsWith(QStringLiteral("Risultati Anna Rossi 2026-12-08")));
    QFile file(f);
    QDomDocument d;
    QVERIFY(file.open(QIODevice::ReadOnly) && d.setContent(&file, true));
    const QString testo = d.documentElement().text();
    QVERIFY(testo.contains(QStringLiteral("Alunno: Anna Rossi")));
    QVERIFY(testo.contains(QStringLiteral("Classe: 2B")));
    QVERIFY(!testo.contains(QStringLiteral("____")));
    // This run's counts stay at their bookmarks.
    QCOMPARE(Dopo(f, QStringLiteral("E_MON_PROD")), QStringLiteral("2"));
    QCOMPARE(Dopo(f, QStringLiteral("S_MON_PROD")), QStringLiteral("1"));
    // Every row of the table has six cells (or one spanning six), and the
    // totals sit in the row of their topic; a topic never practised: 0, 0, a dash.
    const char* const kTab = "urn:oasis:names:tc:opendocument:xmlns:table:1.0";
    const QDomNodeList righe = d.elementsByTagNameNS(QLatin1String(kTab), QStringLiteral("table-row"));
    QCOMPARE(righe.size(), 15);
    QMap<QString, QStringList> perArgomento;
    for (int i = 0; i < righe.size(); ++i) {
        const QDomElement r = righe.at(i).toElement();
        const QDomNodeList celle = r.elementsByTagNameNS(QLatin1String(kTab), QStringLiteral("table-cell"));
        QStringList t;
        for (int j = 0; j < celle.size(); ++j)
            t << celle.at(j).toElement().text();
        if (celle.size() == 1)
            QCOMPARE(celle.at(0).toElement().attributeNS(QLatin1String(kTab), QStringLiteral("number-columns-spanned")),
                     QStringLiteral("6"));
        else
            QCOMPARE(t.size(), 6);
        perArgomento[t.first()] = t.mid(1);
    }
    QCOMPARE(perArgomento.value(QStringLiteral("Argomento")).mid(2),
             (QStringList{QStringLiteral("Esatte in tutto"), QStringLiteral("Errori in tutto"), QStringLiteral("Ultimo giorno")}));
    QCOMPARE(perArgomento.value(QStringLiteral("Prodotto di monomi")),
             (QStringList{QStringLiteral("2"), QStringLiteral("1"), QStringLiteral("12"), QStringLiteral("4"), QStringLiteral("8/12/2026")}));
    QCOMPARE(perArgomento.value(QStringLiteral("Divisione di polinomi")).mid(2),
             (QStringList{QStringLiteral("1"), QStringLiteral("0"), QStringLiteral("30/11/2026")}));
    QCOMPARE(perArgomento.value(QStringLiteral("Somma di polinomi")).mid(2),
             (QStringList{QStringLiteral("0"), QStringLiteral("0"), QStringLiteral("\u2014")}));
    // A guest's sheet is as before: blanks for the name, three columns.
    const QString g = ScriviSchedaRisultati(kModelli, oggi);
    QFile fg(g);
    QDomDocument dg;
    QVERIFY(fg.open(QIODevice::ReadOnly) && dg.setContent(&fg, true));
    QVERIFY(dg.documentElement().text().contains(QStringLiteral("Alunno: ____")));
    QCOMPARE(dg.elementsByTagNameNS(QLatin1String(kTab), QStringLiteral("table-row")).at(0).toElement()
                 .elementsByTagNameNS(QLatin1String(kTab), QStringLiteral("table-cell")).size(),
             3);
}

void TestScheda::windowSheetHoldsThePicture()
{
    const QString f = ScriviSchedaFinestra(kModelli, Finestra());
    QVERIFY(!f.isEmpty());
    QCOMPARE(Immagini(f), 1);
    QVERIFY(FMessaggi.isEmpty());
    QCOMPARE(qobject_cast<QGuiApplication*>(QCoreApplication::instance())->clipboard()->image().size(), QSize(400, 300));
}

void TestScheda::windowSheetSaysWhoAndWhen()
{
    const auto testo = [](const QString& f) {
        QFile file(f);
        QDomDocument d;
        return file.open(QIODevice::ReadOnly) && d.setContent(&file, true) ? d.documentElement().text() : QString();
    };
    const QDateTime quando(QDate(2026, 12, 8), QTime(10, 42));
    const QString f = ScriviSchedaFinestra(kModelli, Finestra(), QStringLiteral("Somma di monomi"), QStringLiteral("Anna Rossi"),
                                           QStringLiteral("2B"), quando);
    QVERIFY(FMessaggi.isEmpty());
    QCOMPARE(Immagini(f), 1);
    QVERIFY(QFileInfo(f).fileName().startsWith(QStringLiteral("Somma di monomi 2026-12-08 10.42")));
    const QString t = testo(f);
    QVERIFY2(t.contains(QStringLiteral("Alunno: Anna Rossi")), qPrintable(t));
    QVERIFY(t.contains(QStringLiteral("Classe: 2B")));
    QVERIFY(t.contains(QStringLiteral("Data: 8 dicembre 2026")));
    QVERIFY(!t.contains(QStringLiteral("Rossi____")) && !t.contains(QStringLiteral("2B____")));
    // A pupil without a class: a dash; a guest: the lines to write by hand, the day filled.
    QVERIFY(testo(ScriviSchedaFinestra(kModelli, Finestra(), QStringLiteral("Scheda"), QStringLiteral("Bruno"), {}, quando))
                .contains(QStringLiteral("Classe: \u2014")));
    const QString ospite = testo(ScriviSchedaFinestra(kModelli, Finestra(), QStringLiteral("Scheda"), {}, {}, quando));
    QVERIFY(ospite.contains(QStringLiteral("Alunno: ____")));
    QVERIFY(ospite.contains(QStringLiteral("Classe: ____")));
    QVERIFY(ospite.contains(QStringLiteral("Data: 8 dicembre 2026")));
}

void TestScheda::templateWithoutTabellaPastesNothingQuietly()
{
    QTemporaryDir d;
    QFile in(kModelli + QStringLiteral("/scheda.fodt"));
    QVERIFY(in.open(QIODevice::ReadOnly));
    QByteArray t = in.readAll();
    t.replace("text:name=\"TABELLA\"", "text:name=\"ALTRO\"");
    QFile out(d.filePath(QStringLiteral("scheda.fodt")));
    QVERIFY(out.open(QIODevice::WriteOnly));
    out.write(t);
    out.close();
    const QString f = ScriviSchedaFinestra(d.path(), Finestra());
    QVERIFY(!f.isEmpty());
    QCOMPARE(Immagini(f), 0);
    QVERIFY(FMessaggi.isEmpty());
}

void TestScheda::bookmarkNamesAreCaseSensitive()
{
    TQuibWord w;
    QVERIFY(w.ApriDocumento(kModelli + QStringLiteral("/schedaVEK.fodt"), true, true));
    w.ScriviInSegnalibro(QStringLiteral("e_mon_def"), QStringLiteral("7"));
    w.ScriviInSegnalibro(QStringLiteral("E_MON_DEF"), QStringLiteral("8"));
    const QString f = w.Consegna(QStringLiteral("prova"));
    QCOMPARE(Dopo(f, QStringLiteral("E_MON_DEF")), QStringLiteral("8"));
    QFile scritto(f);
    QVERIFY(scritto.open(QIODevice::ReadOnly));
    QVERIFY(!scritto.readAll().contains(">7<"));
    // After the word processor quits, writing does nothing and says nothing.
    w.WordChiuso();
    w.ScriviInSegnalibro(QStringLiteral("S_MON_DEF"), QStringLiteral("9"));
    QVERIFY(FMessaggi.isEmpty());
    w.MessaggiErrore = true;
    w.ScriviInSegnalibro(QStringLiteral("S_MON_DEF"), QStringLiteral("9"));
    QCOMPARE(FMessaggi, QStringList{QStringLiteral("Attenzione: Impossibile modificare il documento se Word è chiuso")});
}

void TestScheda::missingTemplateSaysSoAndWritesNothing()
{
    QTemporaryDir vuota;
    // Not in the folder, nor beside the program, nor installed: the message
    // names the file where it was looked for first.
    TQuibWord w;
    QVERIFY(!w.ApriDocumento(vuota.filePath(QStringLiteral("schedaVEK.fodt")), true, true));
    QCOMPARE(FMessaggi, QStringList{QStringLiteral("Attenzione: Impossibile aprire il documento ") +
                                    vuota.filePath(QStringLiteral("schedaVEK.fodt"))});
    QVERIFY(w.Consegna(QStringLiteral("x")).isEmpty());
    QVERIFY(FConsegnati.isEmpty());
    // A file that is not an OpenDocument text is no template either.
    FMessaggi.clear();
    QFile rotto(vuota.filePath(QStringLiteral("scheda.fodt")));
    QVERIFY(rotto.open(QIODevice::WriteOnly));
    rotto.write("<html>non un documento</html>");
    rotto.close();
    QVERIFY(ScriviSchedaFinestra(vuota.path(), Finestra()).isEmpty() || !FMessaggi.isEmpty());
    QVERIFY(FConsegnati.isEmpty() || TrovaModello(vuota.path(), QStringLiteral("scheda.fodt")) != rotto.fileName());
}

void TestScheda::sheetThatCannotBeWrittenSaysSo()
{
    // A file where the documents folder should be.
    QFile intralcio(FCasa.filePath(QStringLiteral("Documents")));
    QVERIFY(intralcio.open(QIODevice::WriteOnly));
    intralcio.close();
    const QString f = ScriviSchedaRisultati(kModelli);
    intralcio.remove();
    QVERIFY(f.isEmpty());
    QCOMPARE(FMessaggi, QStringList{QStringLiteral("Errore: Impossibile scrivere il documento: non si può creare la cartella ") +
                                    Documenti()});
    QVERIFY(FConsegnati.isEmpty());
}

void TestScheda::noWordProcessorSaysWhereTheDocumentIs()
{
    FConsegnaRiesce = false;
    const QString f = ScriviSchedaRisultati(kModelli);
    QVERIFY(!f.isEmpty());
    QVERIFY(QFile::exists(f));
    QCOMPARE(FMessaggi.size(), 1);
    QVERIFY(FMessaggi[0].startsWith(QStringLiteral("Attenzione: Non è stato possibile aprire il documento")));
    QVERIFY(FMessaggi[0].endsWith(QStringLiteral("salvato in:\n") + f));
}

namespace {

// A program of the stand-ins: records how it was called in "chiamate", then
// does `corpo` (shell builtins only: PATH holds nothing else).
void Controfigura(const QString& cartella, const QString& nome, const QString& corpo)
{
    QFile f(QDir(cartella).filePath(nome));
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(("#!/bin/sh\nprintf '%s\\n' \"" + nome + " $*\" >> \"" + QDir(cartella).filePath(QStringLiteral("chiamate")) +
             "\"\n" + corpo + "\n")
                .toUtf8());
    f.close();
    f.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
}

} // namespace

void TestScheda::openingTheDocument_data()
{
    // What dpkg-query says is installed, what xdg-mime names as the
    // desktop's application ("-": no xdg-open nor xdg-mime), how xdg-open
    // and soffice end; which of them are called, and the message's words.
    QTest::addColumn<QString>("installati");
    QTest::addColumn<QString>("gestore");
    QTest::addColumn<QString>("xdgOpen");
    QTest::addColumn<QString>("soffice");
    QTest::addColumn<QStringList>("chiamati");
    QTest::addColumn<QString>("messaggio");
    const QString nessuno;
    const QString writer = QStringLiteral("libreoffice-writer");
    const QString senzaFinestre = QStringLiteral("libreoffice-core-nogui libreoffice-writer-nogui");
    const QString bene = QStringLiteral("exit 0");
    QTest::newRow("the desktop opens it") << nessuno << "prova.desktop" << bene << bene << QStringList{"xdg-open"} << QString();
    QTest::newRow("xdg-open fails, no Writer")
        << nessuno << "prova.desktop" << "exit 4" << bene << QStringList{"xdg-open"} << "(xdg-open) ha risposto con il codice 4";
    QTest::newRow("xdg-open fails, the full Writer opens it")
        << writer << "prova.desktop" << "exit 3" << bene << QStringList{"xdg-open", "soffice"} << QString();
    QTest::newRow("the full Writer, no desktop application")
        << writer << "" << bene << bene << QStringList{"soffice"} << QString();
    QTest::newRow("the full Writer fails too")
        << writer << "prova.desktop" << "exit 4" << "exit 1" << QStringList{"xdg-open", "soffice"}
        << "(xdg-open) ha risposto con il codice 4; LibreOffice Writer (soffice) ha risposto con il codice 1";
    // The headless LibreOffice is never handed a document, even when the
    // desktop names one of its entries.
    QTest::newRow("only the headless LibreOffice")
        << senzaFinestre << "libreoffice-xsltfilter.desktop" << bene << bene << QStringList{}
        << "per vederli serve LibreOffice Writer (il pacchetto libreoffice-writer)";
    QTest::newRow("the headless LibreOffice beside another application")
        << senzaFinestre << "abiword.desktop" << bene << bene << QStringList{"xdg-open"} << QString();
    QTest::newRow("no application for the type")
        << nessuno << "" << bene << bene << QStringList{} << "non c'è un programma che apra i documenti di testo";
    QTest::newRow("no xdg-utils, no LibreOffice")
        << nessuno << "-" << bene << bene << QStringList{} << "non c'è un programma che apra i documenti di testo";
    // A launcher that waits for the word processor to close has opened it.
    QTest::newRow("xdg-open still running") << nessuno << "prova.desktop" << "/bin/sleep 4; exit 5" << bene
                                            << QStringList{"xdg-open"} << QString();
}

void TestScheda::openingTheDocument()
{
    QFETCH(QString, installati);
    QFETCH(QString, gestore);
    QFETCH(QString, xdgOpen);
    QFETCH(QString, soffice);
    QFETCH(QStringList, chiamati);
    QFETCH(QString, messaggio);
    QTemporaryDir bin;
    QString dpkg = QStringLiteral("for p in %1; do echo \"$p install ok installed\"; done\nexit 1").arg(installati);
    Controfigura(bin.path(), QStringLiteral("dpkg-query"), dpkg);
    if (gestore != QLatin1String("-")) {
        Controfigura(bin.path(), QStringLiteral("xdg-mime"), QStringLiteral("echo '%1'").arg(gestore));
        Controfigura(bin.path(), QStringLiteral("xdg-open"), xdgOpen);
    }
    Controfigura(bin.path(), QStringLiteral("soffice"), soffice);
    const QByteArray path = qgetenv("PATH");
    qputenv("PATH", QFile::encodeName(bin.path()));
    TQuibWord::ImpostaConsegna({});
    const int durata = TApertura::DurataAvviso, attesa = TApertura::AttesaEsito;
    TApertura::DurataAvviso = 300;
    TApertura::AttesaEsito = 1500;
    const QString f = ScriviSchedaRisultati(kModelli);
    QVERIFY(!f.isEmpty());
    // Nothing waits: the notice is up when the sheet has been written.
    QCOMPARE(FAvvisi, QStringList{QStringLiteral("Apertura del documento…")});
    QVERIFY(QGuiApplication::overrideCursor());
    QTRY_COMPARE_WITH_TIMEOUT(TApertura::InCorso(), 0, 10000);
    qputenv("PATH", path);
    TApertura::DurataAvviso = durata;
    TApertura::AttesaEsito = attesa;
    QCOMPARE(FAvvisi, (QStringList{QStringLiteral("Apertura del documento…"), QString()}));
    QVERIFY(!QGuiApplication::overrideCursor());
    // The programs called, each with the document.
    QFile c(bin.filePath(QStringLiteral("chiamate")));
    QStringList visti;
    if (c.open(QIODevice::ReadOnly))
        for (const QString& riga : QString::fromUtf8(c.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts))
            if (!riga.startsWith(QLatin1String("dpkg-query")) && !riga.startsWith(QLatin1String("xdg-mime"))) {
                QCOMPARE(riga.section(QLatin1Char(' '), 1), f);
                visti << riga.section(QLatin1Char(' '), 0, 0);
            }
    QCOMPARE(visti, chiamati);
    if (messaggio.isEmpty()) {
        QCOMPARE(FMessaggi, QStringList{});
    } else {
        // The user is told why, and where the document is.
        QCOMPARE(FMessaggi.size(), 1);
        QVERIFY2(FMessaggi[0].startsWith(QStringLiteral("Attenzione: Non è stato possibile aprire il documento: ")),
                 qPrintable(FMessaggi[0]));
        QVERIFY2(FMessaggi[0].contains(messaggio), qPrintable(FMessaggi[0]));
        QVERIFY(FMessaggi[0].endsWith(QStringLiteral("Il documento è salvato in:\n") + f));
        QVERIFY(!FCursoreOccupato); // the busy cursor went before the message came
    }
}

void TestScheda::aPdfIsOpenedByTheDesktopsViewerOnly()
{
    QCOMPARE(TipoDocumento(QStringLiteral("/a/Esercizi 2026-12-08.pdf")), TTipoDocumento::Pdf);
    QCOMPARE(TipoDocumento(QStringLiteral("/a/SCHEDA.PDF")), TTipoDocumento::Pdf);
    QCOMPARE(TipoDocumento(QStringLiteral("/a/pdf.fodt")), TTipoDocumento::Testo);
    // Whatever LibreOffice is there, a PDF goes to the desktop's viewer only.
    TProgrammiDocumento p;
    p.XdgOpen = true;
    p.WriterCompleto = true;
    p.SenzaFinestre = true;
    QCOMPARE(ProgrammiPerAprire(p, nullptr, TTipoDocumento::Pdf), std::vector<QString>{QStringLiteral("xdg-open")});
    p.GestoreNoto = true;
    p.Gestore = QStringLiteral("libreoffice-draw.desktop");
    QCOMPARE(ProgrammiPerAprire(p, nullptr, TTipoDocumento::Pdf), std::vector<QString>{QStringLiteral("xdg-open")});
    // No viewer chosen for PDF, or no xdg-open: nothing to try, and why.
    QString motivo;
    p.Gestore.clear();
    QVERIFY(ProgrammiPerAprire(p, &motivo, TTipoDocumento::Pdf).empty());
    QVERIFY(motivo.contains(QStringLiteral("PDF")));
    p = {};
    p.WriterCompleto = true;
    motivo.clear();
    QVERIFY(ProgrammiPerAprire(p, &motivo, TTipoDocumento::Pdf).empty());
    QVERIFY(!motivo.isEmpty());
}

void TestScheda::talliesAreTheTopicTablesInItsOrder()
{
    // The results sheet's bookmarks, two a topic, in the menus' order.
    const auto& nomi = TSchedaPol::Nomi();
    QCOMPARE(QString::fromLatin1(nomi[0]), QStringLiteral("E_MON_DEF"));
    QCOMPARE(QString::fromLatin1(nomi[3]), QStringLiteral("S_MON_SOMDIF"));
    QCOMPARE(QString::fromLatin1(nomi[TSchedaPol::Numero - 1]), QStringLiteral("S_POL_DIV"));
    QCOMPARE(TSchedaPol::Argomento("S_POL_DIFF"), std::string("differenza-polinomi"));
    QCOMPARE(TSchedaPol::Argomento("E_MON_SOMDIF"), std::string("somma-monomi"));
    QCOMPARE(TSchedaPol::Argomento("E_POL_XYZ"), std::string());
    QCOMPARE(std::string(TSchedaPol::ArgomentoDellaCoppia(TSchedaPol::Numero / 2)), std::string());
    QCOMPARE(std::string(TSchedaPol::ArgomentoDellaCoppia(-1)), std::string());
}

void TestScheda::aSpreadsheetIsOpenedWithCalc()
{
    QCOMPARE(TipoDocumento(QStringLiteral("/a/Registro di classe 2B.fods")), TTipoDocumento::FoglioDiCalcolo);
    QCOMPARE(TipoDocumento(QStringLiteral("/a/Risultati.fodt")), TTipoDocumento::Testo);
    const QByteArray path = qgetenv("PATH");
    const int durata = TApertura::DurataAvviso, attesa = TApertura::AttesaEsito;
    TApertura::DurataAvviso = 300;
    TApertura::AttesaEsito = 1500;
    QTemporaryDir cartella;
    const QString file = cartella.filePath(QStringLiteral("Registro di classe 2B.fods"));
    // Calc is installed where only the question about it says so; the
    // desktop names no application for the type.
    for (const bool calc : {true, false}) {
        QTemporaryDir bin;
        Controfigura(bin.path(), QStringLiteral("dpkg-query"),
                     calc ? QStringLiteral("case \"$*\" in *libreoffice-calc*) echo 'libreoffice-calc install ok installed';; esac")
                          : QStringLiteral("echo 'libreoffice-writer install ok installed'"));
        Controfigura(bin.path(), QStringLiteral("xdg-mime"), QStringLiteral("echo ''"));
        Controfigura(bin.path(), QStringLiteral("xdg-open"), QStringLiteral("exit 0"));
        Controfigura(bin.path(), QStringLiteral("soffice"), QStringLiteral("exit 0"));
        qputenv("PATH", QFile::encodeName(bin.path()));
        QString motivo;
        TApertura::Apri(file, [&motivo](const QString& m) { motivo = m; });
        QTRY_COMPARE_WITH_TIMEOUT(TApertura::InCorso(), 0, 10000);
        qputenv("PATH", path);
        QFile c(bin.filePath(QStringLiteral("chiamate")));
        QVERIFY(c.open(QIODevice::ReadOnly));
        const QString chiamate = QString::fromUtf8(c.readAll());
        QVERIFY2(chiamate.contains(QStringLiteral("xdg-mime query default application/vnd.oasis.opendocument.spreadsheet-flat-xml")),
                 qPrintable(chiamate));
        if (calc) {
            QVERIFY2(chiamate.contains(QStringLiteral("soffice ") + file), qPrintable(chiamate));
            QVERIFY(motivo.isEmpty());
        } else {
            // The full Writer does not show a spreadsheet.
            QVERIFY2(!chiamate.contains(QStringLiteral("soffice ")), qPrintable(chiamate));
            QVERIFY2(motivo.contains(QStringLiteral("LibreOffice Calc")), qPrintable(motivo));
        }
    }
    TApertura::DurataAvviso = durata;
    TApertura::AttesaEsito = attesa;
    FAvvisi.clear();
}

void TestScheda::libreOfficeReadsTheSheets()
{
    const QString soffice = QStandardPaths::findExecutable(QStringLiteral("soffice"));
    if (soffice.isEmpty())
        QSKIP("LibreOffice (libreoffice-writer-nogui) is not installed: the documents are not read back");
    TSchedaPol::Istanza()->Aggiungi("E_POL_DIV", 4);
    const QString risultati = ScriviSchedaRisultati(kModelli);
    const QString finestra = ScriviSchedaFinestra(kModelli, Finestra(), QStringLiteral("Somma di monomi"));
    QTemporaryDir out;
    const auto converti = [&](const QString& file, const QString& formato) {
        // A profile of its own for each run: a second run on the same
        // profile may hand its work to the first one as it ends.
        QTemporaryDir profilo;
        QProcess p;
        p.setStandardInputFile(QProcess::nullDevice());
        p.setProcessChannelMode(QProcess::MergedChannels);
        p.start(soffice, {QStringLiteral("-env:UserInstallation=file://") + profilo.path(), QStringLiteral("--headless"),
                          QStringLiteral("--convert-to"), formato, QStringLiteral("--outdir"), out.path(), file});
        const bool ok = p.waitForFinished(120000) && p.exitCode() == 0;
        if (!ok)
            qWarning() << p.readAllStandardOutput() << p.readAllStandardError();
        return ok;
    };
    // The converter may still be writing its file when it has exited.
    const auto file = [&](const QString& doc, const char* estensione) {
        return out.filePath(QFileInfo(doc).completeBaseName() + QLatin1String(estensione));
    };
    QVERIFY(converti(risultati, QStringLiteral("pdf")));
    QTRY_VERIFY_WITH_TIMEOUT(QFileInfo(file(risultati, ".pdf")).size() > 1000, 20000);
    QVERIFY(converti(risultati, QStringLiteral("txt:Text (encoded):UTF8")));
    QTRY_VERIFY_WITH_TIMEOUT(QFileInfo(file(risultati, ".txt")).size() > 100, 20000);
    QFile txt(file(risultati, ".txt"));
    QVERIFY(txt.open(QIODevice::ReadOnly));
    const QString testo = QString::fromUtf8(txt.readAll());
    // Each topic's line is followed by its right and wrong answers.
    const QStringList righe = testo.split(QLatin1Char('\n'));
    const int i = righe.indexOf(QStringLiteral("Divisione di polinomi"));
    QVERIFY(i >= 0 && i + 2 < righe.size());
    QCOMPARE(righe[i + 1].trimmed(), QString::number(TSchedaPol::Istanza()->Valore("E_POL_DIV")));
    QCOMPARE(righe[i + 2].trimmed(), QString::number(TSchedaPol::Istanza()->Valore("S_POL_DIV")));
    const int j = righe.indexOf(QStringLiteral("Definizione di monomio"));
    QVERIFY(j >= 0 && j + 2 < righe.size());
    QCOMPARE(righe[j + 1].trimmed(), QString::number(TSchedaPol::Istanza()->Valore("E_MON_DEF")));
    QVERIFY(testo.contains(QStringLiteral("Mevario")));
    QVERIFY(testo.contains(QStringLiteral("Scheda scritta ") + DataOraScheda(QDateTime::currentDateTime()).section(QStringLiteral(" alle "), 0, 0)));
    // The window sheet, exported to HTML, writes its picture beside it.
    QVERIFY(converti(finestra, QStringLiteral("html")));
    QTRY_VERIFY_WITH_TIMEOUT(QFileInfo(file(finestra, ".html")).size() > 100, 20000);
    QFile html(file(finestra, ".html"));
    QVERIFY(html.open(QIODevice::ReadOnly));
    QVERIFY(QString::fromUtf8(html.readAll()).contains(QStringLiteral("<img")));
}

void TestScheda::neverOverTheRecordADeviceOrAFolder()
{
    QTemporaryDir d;
    const QString registro = d.filePath(QStringLiteral("registro.sqlite"));
    QFile r(registro);
    QVERIFY(r.open(QIODevice::WriteOnly));
    r.write("SQLite format 3");
    r.close();
    ProteggiFile(registro);
    // The same file under another name (a hard link), another spelling of
    // its path, its journal files even before the engine makes them.
    QVERIFY(QFile::link(registro, d.filePath(QStringLiteral("link.sqlite"))));
    QVERIFY(::link(QFile::encodeName(registro).constData(), QFile::encodeName(d.filePath(QStringLiteral("copia"))).constData()) == 0);
    TModoScrittura sostituisci;
    sostituisci.sostituisci = true;
    for (const QString& f : {registro, d.path() + QStringLiteral("/./registro.sqlite"), d.filePath(QStringLiteral("copia")),
                             d.filePath(QStringLiteral("link.sqlite")), registro + QStringLiteral("-wal"),
                             registro + QStringLiteral("-shm"), registro + QStringLiteral("-journal")}) {
        const TEsitoScrittura e = ScriviFileIntero(f, "a,b\r\n", sostituisci);
        QVERIFY2(!e.scritto && e.vietato, qPrintable(f));
        QVERIFY2(e.errore.contains(QStringLiteral("registro degli alunni in uso")), qPrintable(e.errore));
    }
    QVERIFY(r.open(QIODevice::ReadOnly));
    QCOMPARE(r.readAll(), QByteArray("SQLite format 3"));
    QVERIFY(!QFileInfo::exists(registro + QStringLiteral("-wal")));

    const TEsitoScrittura dispositivo = ScriviFileIntero(QStringLiteral("/dev/null"), "x", sostituisci);
    QVERIFY(dispositivo.vietato && dispositivo.errore.contains(QStringLiteral("non è un file normale")));
    const TEsitoScrittura cartella = ScriviFileIntero(d.path(), "x", sostituisci);
    QVERIFY(cartella.vietato && cartella.errore.contains(QStringLiteral("è una cartella")));
    QVERIFY(QFile::link(d.filePath(QStringLiteral("nessuno")), d.filePath(QStringLiteral("rotto"))));
    QVERIFY(ScriviFileIntero(d.filePath(QStringLiteral("rotto")), "x", sostituisci).vietato);
    QCOMPARE(QDir(d.path()).entryList(QDir::Files | QDir::Hidden).filter(QStringLiteral(".tmp")), QStringList{});
}

void TestScheda::aFileIsReplacedWholeKeepingItsMode()
{
    const auto modo = [](const QString& f) {
        return QFile::permissions(f) & (QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner |
                                        QFileDevice::ReadGroup | QFileDevice::WriteGroup | QFileDevice::ExeGroup |
                                        QFileDevice::ReadOther | QFileDevice::WriteOther | QFileDevice::ExeOther);
    };
    QTemporaryDir d;
    const QString f = d.filePath(QStringLiteral("2B.csv"));
    QFile vecchio(f);
    QVERIFY(vecchio.open(QIODevice::WriteOnly));
    vecchio.write("vecchio");
    vecchio.close();
    QVERIFY(vecchio.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup));
    // Without leave to replace, a file there stays.
    TEsitoScrittura e = ScriviFileIntero(f, "nuovo");
    QVERIFY(!e.scritto && e.esiste && !e.vietato);
    QVERIFY(e.errore.contains(QStringLiteral("esiste già")));
    TModoScrittura sostituisci;
    sostituisci.sostituisci = true;
    e = ScriviFileIntero(f, "nuovo", sostituisci);
    QVERIFY2(e.scritto, qPrintable(e.errore));
    QVERIFY(vecchio.open(QIODevice::ReadOnly));
    QCOMPARE(vecchio.readAll(), QByteArray("nuovo"));
    QCOMPARE(modo(f), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup);
    TModoScrittura privato;
    privato.privato = true;
    QVERIFY(ScriviFileIntero(d.filePath(QStringLiteral("anna.json")), "{}", privato).scritto);
    QCOMPARE(modo(d.filePath(QStringLiteral("anna.json"))), QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    QCOMPARE(QDir(d.path()).entryList(QDir::Files | QDir::Hidden).size(), 2);
}

void TestScheda::documentsOnAFullDiskAreNotWritten()
{
    // A small file system of the test's own (tools/disco-pieno.sh makes it).
    const QString disco = qEnvironmentVariable("MEVARIO_DISCO_PIENO");
    if (disco.isEmpty())
        QSKIP("needs MEVARIO_DISCO_PIENO (run through tools/disco-pieno.sh)");
    const QByteArray casa = qgetenv("HOME");
    qputenv("HOME", QFile::encodeName(disco));
    const QString documenti = QDir(disco).filePath(QStringLiteral("Documents/Mevario"));
    QVERIFY(QDir().mkpath(documenti));
    const QString vecchio = QDir(documenti).filePath(QStringLiteral("2B.csv"));
    {
        QFile f(vecchio);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("com era");
    }
    {
        QFile riempi(QDir(disco).filePath(QStringLiteral("riempi")));
        QVERIFY(riempi.open(QIODevice::WriteOnly | QIODevice::Unbuffered));
        const QByteArray blocco(1024, 'x');
        while (riempi.write(blocco) == blocco.size()) {
        }
    }
    const QStringList prima = QDir(documenti).entryList(QDir::Files | QDir::Hidden);

    TModoScrittura sostituisci;
    sostituisci.sostituisci = true;
    const TEsitoScrittura e = ScriviFileIntero(vecchio, QByteArray(20000, 'a'), sostituisci);
    QVERIFY(!e.scritto && !e.vietato);
    QVERIFY2(e.errore.contains(QStringLiteral("il disco è pieno")), qPrintable(e.errore));
    QFile f(vecchio);
    QVERIFY(f.open(QIODevice::ReadOnly));
    QCOMPARE(f.readAll(), QByteArray("com era"));
    // The results sheet: a message, no document, nothing handed to a word processor.
    const QString scheda = ScriviSchedaRisultati(kModelli);
    qputenv("HOME", casa);
    QVERIFY(scheda.isEmpty());
    QCOMPARE(FMessaggi.size(), 1);
    QVERIFY2(FMessaggi[0].contains(QStringLiteral("il disco è pieno")), qPrintable(FMessaggi[0]));
    QVERIFY(FConsegnati.isEmpty());
    QCOMPARE(QDir(documenti).entryList(QDir::Files | QDir::Hidden), prima);
}

QTEST_MAIN(TestScheda)
#include "test_scheda.moc"
