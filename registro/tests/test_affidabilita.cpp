// The record under the faults of real life, with child processes: killed
// while writing, two writing at once, a disk that fills up, a read-only
// folder, a file damaged on disk.
#include <gtest/gtest.h>

#include <QDir>
#include <QProcess>
#include <QRandomGenerator>
#include <QSet>

#include <sys/stat.h>
#include <unistd.h>

#include "Aiuti.h"

using namespace mevario;
using namespace mevario::prova;

namespace {

QStringList Righe(const QByteArray& testo)
{
    QStringList righe = QString::fromLatin1(testo).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    return righe;
}

QSet<QString> UuidRegistrati(const QString& file, const QString& alunno)
{
    QSet<QString> uuid;
    auto r = Apri(file);
    if (!r)
        return uuid;
    const auto a = r->TrovaAlunno(alunno);
    if (!a)
        return uuid;
    for (const auto& s : r->Storico(a->id))
        uuid.insert(s.uuid.toString(QUuid::WithoutBraces));
    return uuid;
}

} // namespace

TEST(Affidabilita, UnProgrammaUccisoMentreScriveNonPerdeLeRisposteRegistrate)
{
    QTemporaryDir d;
    const QString file = d.filePath(QStringLiteral("r.sqlite"));
    QProcess figlio;
    figlio.start(QStringLiteral(MEVARIO_FIGLIO), {QStringLiteral("scrivi"), file, QStringLiteral("Anna"), QStringLiteral("1000")});
    ASSERT_TRUE(figlio.waitForStarted());
    QByteArray letto;
    while (letto.count('\n') < 300 && figlio.waitForReadyRead(10000))
        letto += figlio.readAllStandardOutput();
    ASSERT_GE(letto.count('\n'), 300) << figlio.readAllStandardError().toStdString();
    figlio.kill(); // SIGKILL
    figlio.waitForFinished();
    letto += figlio.readAllStandardOutput();
    ASSERT_EQ(figlio.exitStatus(), QProcess::CrashExit) << "killed before it finished";
    const QStringList tornati = Righe(letto.left(letto.lastIndexOf('\n') + 1));
    ASSERT_LT(tornati.size(), 1000);

    // Reopening runs the integrity check: it must say "ok".
    const QSet<QString> registrati = UuidRegistrati(file, QStringLiteral("Anna"));
    for (const QString& u : tornati)
        EXPECT_TRUE(registrati.contains(u)) << "lost: " << u.toStdString();
    EXPECT_LE(registrati.size(), tornati.size() + 1) << "at most the answer being recorded";
}

TEST(Affidabilita, DueProgrammiPerLoStessoAlunnoScrivonoEntrambi)
{
    QTemporaryDir d;
    const QString file = d.filePath(QStringLiteral("r.sqlite"));
    QProcess uno, due;
    const QStringList argomenti{QStringLiteral("scrivi"), file, QStringLiteral("Anna"), QStringLiteral("300")};
    uno.start(QStringLiteral(MEVARIO_FIGLIO), argomenti);
    due.start(QStringLiteral(MEVARIO_FIGLIO), argomenti);
    ASSERT_TRUE(uno.waitForFinished(120000));
    ASSERT_TRUE(due.waitForFinished(120000));
    EXPECT_EQ(uno.exitCode(), 0) << uno.readAllStandardError().toStdString();
    EXPECT_EQ(due.exitCode(), 0) << due.readAllStandardError().toStdString();
    const QStringList tutti = Righe(uno.readAllStandardOutput()) + Righe(due.readAllStandardOutput());
    ASSERT_EQ(tutti.size(), 600);
    const QSet<QString> registrati = UuidRegistrati(file, QStringLiteral("Anna"));
    EXPECT_EQ(registrati, QSet<QString>(tutti.begin(), tutti.end()));
    auto r = Apri(file);
    const auto anna = r->TrovaAlunno(QStringLiteral("Anna"));
    ASSERT_TRUE(anna);
    EXPECT_EQ(r->Alunni().size(), 1);
    int conte = 0;
    for (const auto& a : r->Progressi(anna->id, QDate::currentDate()).argomenti)
        conte += a.giuste + a.sbagliate;
    EXPECT_EQ(conte, 600) << "the figures count every answer of both";
}

TEST(Affidabilita, UnDiscoPienoTieneLaRispostaInMemoriaSenzaRovinareIlFile)
{
    QTemporaryDir d;
    const QString file = d.filePath(QStringLiteral("r.sqlite"));
    QProcess figlio;
    figlio.start(QStringLiteral(MEVARIO_FIGLIO), {QStringLiteral("scrivi"), file, QStringLiteral("Anna"),
                                                  QStringLiteral("5000"), QStringLiteral("--limite"),
                                                  QStringLiteral("2000000")});
    ASSERT_TRUE(figlio.waitForFinished(120000));
    EXPECT_EQ(figlio.exitCode(), 3) << "an answer could not be written";
    const QString messaggio = QString::fromUtf8(figlio.readAllStandardError());
    EXPECT_TRUE(messaggio.contains(file)) << messaggio.toStdString();
    EXPECT_TRUE(messaggio.contains(QStringLiteral("tenute in memoria"))) << messaggio.toStdString();
    const QStringList tornati = Righe(figlio.readAllStandardOutput());
    EXPECT_GT(tornati.size(), 10);
    const QSet<QString> registrati = UuidRegistrati(file, QStringLiteral("Anna"));
    EXPECT_EQ(registrati, QSet<QString>(tornati.begin(), tornati.end()));
}

// A disk that fills up in mid-run and is freed: the answers given
// meanwhile wait in memory and are written, each once, when there is
// space again; the record never turns guest; the figures count every
// answer once; the messages say what happens.
TEST(Affidabilita, DopoUnDiscoPienoIlRegistroGuarisceSenzaPerdereRisposte)
{
    QTemporaryDir d;
    const QString file = d.filePath(QStringLiteral("r.sqlite"));
    constexpr int KRisposte = 3000;
    QProcess figlio;
    figlio.start(QStringLiteral(MEVARIO_FIGLIO), {QStringLiteral("guarisci"), file, QStringLiteral("Anna"),
                                                  QString::number(KRisposte), QStringLiteral("1500000")});
    ASSERT_TRUE(figlio.waitForFinished(120000));
    const QString messaggi = QString::fromUtf8(figlio.readAllStandardError());
    EXPECT_EQ(figlio.exitCode(), 0) << messaggi.toStdString();
    EXPECT_TRUE(messaggi.contains(QStringLiteral("tenute in memoria"))) << messaggi.toStdString();
    EXPECT_TRUE(messaggi.contains(QStringLiteral("si scrive di nuovo"))) << messaggi.toStdString();
    EXPECT_FALSE(messaggi.contains(QStringLiteral("ospite"))) << messaggi.toStdString();
    const QStringList date = Righe(figlio.readAllStandardOutput());
    ASSERT_EQ(date.size(), KRisposte);
    EXPECT_EQ(UuidRegistrati(file, QStringLiteral("Anna")), QSet<QString>(date.begin(), date.end()));
    auto r = Apri(file);
    ASSERT_TRUE(r);
    const auto anna = r->TrovaAlunno(QStringLiteral("Anna"));
    ASSERT_TRUE(anna);
    EXPECT_EQ(r->Storico(anna->id).size(), KRisposte) << "none twice";
    int contate = 0;
    for (const auto& p : r->Progressi(anna->id, QDate::currentDate()).argomenti)
        contate += p.giuste + p.sbagliate;
    EXPECT_EQ(contate, KRisposte) << "the figures count each answer once";
}

TEST(Affidabilita, ByteCasualiNelMezzoDelFile)
{
    QTemporaryDir d;
    const QString file = d.filePath(QStringLiteral("r.sqlite"));
    {
        auto r = Apri(file);
        r->ScegliAlunno(r->CreaAlunno(QStringLiteral("Anna"), {}));
        for (int i = 0; i < 400; ++i)
            ASSERT_TRUE(r->Registra(Risposta(QStringLiteral("somma-monomi"), i % 2 == 0)));
    }
    ASSERT_FALSE(QFile::exists(file + QStringLiteral("-wal"))) << "closed cleanly";
    {
        QFile f(file);
        ASSERT_TRUE(f.open(QIODevice::ReadWrite));
        ASSERT_GT(f.size(), 8 * 4096);
        QByteArray caso(4096, '\0');
        QRandomGenerator g(29);
        for (auto& c : caso)
            c = static_cast<char>(g.bounded(256));
        f.seek(f.size() / 2 / 4096 * 4096);
        f.write(caso);
    }
    const QByteArray prima = Contenuto(file);
    QStringList avvisi;
    TOpzioniRegistro o;
    o.db = file;
    auto r = ApriRegistro(o, [&](const QString& m) { avvisi << m; });
    EXPECT_TRUE(r->Ospite());
    r->ScegliAlunno(TAlunno{1, QStringLiteral("Anna"), {}, false});
    EXPECT_FALSE(r->Registra(Risposta(QStringLiteral("somma-monomi"), true)));
    ASSERT_EQ(avvisi.size(), 1);
    EXPECT_TRUE(avvisi[0].contains(QStringLiteral("danneggiato"))) << avvisi[0].toStdString();
    EXPECT_TRUE(avvisi[0].contains(file));
    r.reset();
    EXPECT_EQ(Contenuto(file), prima) << "not a byte changed";
}

TEST(Affidabilita, UnaCartellaDiSolaLettura)
{
    QTemporaryDir d;
    // Open to the user nobody, whom the child becomes when run as root
    // (root writes into read-only folders).
    ASSERT_EQ(::chmod(QFile::encodeName(d.path()).constData(), 0755), 0);
    const QString dati = d.filePath(QStringLiteral("dati"));
    ASSERT_TRUE(QDir().mkpath(dati + QStringLiteral("/Mevario")));
    for (const QString& c : {dati, dati + QStringLiteral("/Mevario")})
        ASSERT_EQ(::chmod(QFile::encodeName(c).constData(), 0555), 0);
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("XDG_DATA_HOME"), dati);
    env.insert(QStringLiteral("HOME"), d.path());
    QProcess figlio;
    figlio.setProcessEnvironment(env);
    figlio.start(QStringLiteral(MEVARIO_FIGLIO), {QStringLiteral("apri"), QStringLiteral("--nessuno")});
    ASSERT_TRUE(figlio.waitForFinished(60000));
    ASSERT_EQ(figlio.exitCode(), 0);
    EXPECT_EQ(figlio.readAllStandardOutput(), QByteArray("ospite\n"));
    const QString messaggio = QString::fromUtf8(figlio.readAllStandardError());
    EXPECT_TRUE(messaggio.contains(QStringLiteral("sola lettura"))) << messaggio.toStdString();
    EXPECT_EQ(messaggio.count(QLatin1Char('\n')), 1) << "once";
    EXPECT_TRUE(QDir(dati + QStringLiteral("/Mevario")).isEmpty());
    ::chmod(QFile::encodeName(dati + QStringLiteral("/Mevario")).constData(), 0755);
    ::chmod(QFile::encodeName(dati).constData(), 0755);
}

TEST(Affidabilita, UnRegistroIlleggibile)
{
    QTemporaryDir d;
    ASSERT_EQ(::chmod(QFile::encodeName(d.path()).constData(), 0755), 0);
    const QString file = d.filePath(QStringLiteral("r.sqlite"));
    Apri(file)->CreaAlunno(QStringLiteral("Anna"), {});
    const QByteArray prima = Contenuto(file);
    // Unreadable to its owner, and to nobody, who is not its owner.
    ASSERT_EQ(::chmod(QFile::encodeName(file).constData(), 0), 0);
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("MEVARIO_DB"), file);
    QProcess figlio;
    figlio.setProcessEnvironment(env);
    figlio.start(QStringLiteral(MEVARIO_FIGLIO), {QStringLiteral("apri"), QStringLiteral("--nessuno")});
    ASSERT_TRUE(figlio.waitForFinished(60000));
    EXPECT_EQ(figlio.readAllStandardOutput(), QByteArray("ospite\n"));
    const QString messaggio = QString::fromUtf8(figlio.readAllStandardError());
    EXPECT_TRUE(messaggio.contains(QStringLiteral("non si può leggere"))) << messaggio.toStdString();
    EXPECT_TRUE(messaggio.contains(QStringLiteral("permesso negato"))) << messaggio.toStdString();
    ASSERT_EQ(::chmod(QFile::encodeName(file).constData(), 0600), 0);
    EXPECT_EQ(Contenuto(file), prima);
}
