// The results sheet and the window sheet: what the documents hold at their
// bookmarks, the messages when something is missing, and (where LibreOffice
// is installed) the documents as the word processor reads them.
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
    void init();
    void cleanup();
    void resultsSheetWithNothingDoneHoldsZeros();
    void twoVisitsAreAddedUp();
    void windowSheetHoldsThePicture();
    void templateWithoutTabellaPastesNothingQuietly();
    void bookmarkNamesAreCaseSensitive();
    void missingTemplateSaysSoAndWritesNothing();
    void sheetThatCannotBeWrittenSaysSo();
    void noWordProcessorSaysWhereTheDocumentIs();
    void libreOfficeReadsTheSheets();

private:
    QStringList FMessaggi;
    QStringList FConsegnati;
    bool FConsegnaRiesce = true;
};

void TestScheda::init()
{
    TSchedaPol::Crea();
    FMessaggi.clear();
    FConsegnati.clear();
    FConsegnaRiesce = true;
    TQuibWord::ImpostaMessaggi([this](TQuibWord::TTipoMessaggio t, const QString& m) {
        FMessaggi << TQuibWord::Titolo(t) + QStringLiteral(": ") + m;
    });
    TQuibWord::ImpostaConsegna([this](const QString& f) {
        FConsegnati << f;
        return FConsegnaRiesce;
    });
}

void TestScheda::cleanup()
{
    if (qEnvironmentVariableIsSet("MEVARIO_TENERE"))
        return; // the documents stay, to look at them
    for (const QString& f : FConsegnati)
        QDir(QFileInfo(f).absolutePath()).removeRecursively();
}

void TestScheda::resultsSheetWithNothingDoneHoldsZeros()
{
    const QString f = ScriviSchedaRisultati(kModelli);
    QVERIFY(!f.isEmpty());
    QCOMPARE(FConsegnati, QStringList{f});
    QVERIFY(FMessaggi.isEmpty());
    for (const char* n : TSchedaPol::Nomi())
        QCOMPARE(Dopo(f, QString::fromLatin1(n)), QStringLiteral("0"));
    // A second sheet is a new file in a new folder.
    const QString g = ScriviSchedaRisultati(kModelli);
    QVERIFY(!g.isEmpty() && g != f);
    QVERIFY(QFile::exists(f));
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

void TestScheda::windowSheetHoldsThePicture()
{
    const QString f = ScriviSchedaFinestra(kModelli, Finestra());
    QVERIFY(!f.isEmpty());
    QCOMPARE(Immagini(f), 1);
    QVERIFY(FMessaggi.isEmpty());
    QCOMPARE(qobject_cast<QGuiApplication*>(QCoreApplication::instance())->clipboard()->image().size(), QSize(400, 300));
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
    const QString f = w.Consegna(QStringLiteral("prova.fodt"));
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
    QVERIFY(w.Consegna(QStringLiteral("x.fodt")).isEmpty());
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
    const bool cera = qEnvironmentVariableIsSet("TMPDIR");
    const QByteArray prima = qgetenv("TMPDIR");
    const auto lasciate = [] {
        return QDir::current().entryList({QStringLiteral("mevario-*")}, QDir::Dirs | QDir::NoDotAndDotDot);
    };
    const QStringList cartellePrima = lasciate();
    qputenv("TMPDIR", "/nonesiste/mevario");
    const QString f = ScriviSchedaRisultati(kModelli);
    QCOMPARE(lasciate(), cartellePrima);  // no stray folder where the program runs
    if (cera)
        qputenv("TMPDIR", prima);
    else
        qunsetenv("TMPDIR");
    QVERIFY(f.isEmpty());
    QCOMPARE(FMessaggi.size(), 1);
    QVERIFY(FMessaggi[0].startsWith(QStringLiteral("Errore: Impossibile scrivere il documento")));
    QVERIFY(FConsegnati.isEmpty());
}

void TestScheda::noWordProcessorSaysWhereTheDocumentIs()
{
    FConsegnaRiesce = false;
    const QString f = ScriviSchedaRisultati(kModelli);
    QVERIFY(!f.isEmpty());
    QVERIFY(QFile::exists(f));
    QCOMPARE(FMessaggi.size(), 1);
    QVERIFY(FMessaggi[0].startsWith(QStringLiteral("Informazione: ")));
    QVERIFY(FMessaggi[0].endsWith(f));
}

void TestScheda::libreOfficeReadsTheSheets()
{
    const QString soffice = QStandardPaths::findExecutable(QStringLiteral("soffice"));
    if (soffice.isEmpty())
        QSKIP("LibreOffice (libreoffice-writer-nogui) is not installed: the documents are not read back");
    TSchedaPol::Istanza()->Aggiungi("E_POL_DIV", 4);
    const QString risultati = ScriviSchedaRisultati(kModelli);
    const QString finestra = ScriviSchedaFinestra(kModelli, Finestra());
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
    // The window sheet, exported to HTML, writes its picture beside it.
    QVERIFY(converti(finestra, QStringLiteral("html")));
    QTRY_VERIFY_WITH_TIMEOUT(QFileInfo(file(finestra, ".html")).size() > 100, 20000);
    QFile html(file(finestra, ".html"));
    QVERIFY(html.open(QIODevice::ReadOnly));
    QVERIFY(QString::fromUtf8(html.readAll()).contains(QStringLiteral("<img")));
}

QTEST_MAIN(TestScheda)
#include "test_scheda.moc"
