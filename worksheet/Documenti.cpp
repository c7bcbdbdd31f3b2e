#include "Documenti.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMutex>
#include <QRandomGenerator>
#include <QStandardPaths>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace mevario {

namespace {

QMutex gProtetti;
QStringList& Protetti()
{
    static QStringList protetti;
    return protetti;
}

const char* const kAccanto[] = {"", "-wal", "-shm", "-journal"};

// `file` with its folder made absolute and free of links (the name kept as
// it is): two spellings of one place compare equal.
QString PercorsoPieno(const QString& file)
{
    const QFileInfo i(file);
    const QString cartella = QFileInfo(i.absolutePath()).canonicalFilePath();
    return cartella.isEmpty() ? i.absoluteFilePath() : QDir(cartella).filePath(i.fileName());
}

QString Citato(const QString& file)
{
    return QStringLiteral("«") + QDir::toNativeSeparators(file) + QStringLiteral("»");
}

// Why a system call failed, said for a user.
QString Perche(int e, const QString& cartella)
{
    switch (e) {
    case ENOSPC:
        return QStringLiteral("il disco è pieno");
    case EDQUOT:
        return QStringLiteral("lo spazio concesso su questo disco è finito");
    case EFBIG:
        return QStringLiteral("il file è troppo grande per questo disco");
    case EROFS:
        return QStringLiteral("il disco è di sola lettura");
    case EACCES:
    case EPERM:
        return QStringLiteral("non hai il permesso di scrivere nella cartella ") + Citato(cartella);
    case ENOENT:
    case ENOTDIR:
        return QStringLiteral("la cartella ") + Citato(cartella) + QStringLiteral(" non esiste");
    case EIO:
        return QStringLiteral("il disco ha dato un errore");
    default:
        return QString::fromLocal8Bit(std::strerror(e));
    }
}

bool ScriviTuttoFd(int fd, const QByteArray& testo)
{
    const char* p = testo.constData();
    qint64 resta = testo.size();
    while (resta > 0) {
        const ssize_t n = ::write(fd, p, static_cast<size_t>(resta));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        if (n == 0) {
            errno = ENOSPC;
            return false;
        }
        p += n;
        resta -= n;
    }
    return true;
}

} // namespace

void ProteggiFile(const QString& file)
{
    if (file.isEmpty())
        return;
    QMutexLocker l(&gProtetti);
    if (!Protetti().contains(file))
        Protetti() << file;
}

QStringList FileProtetti()
{
    QMutexLocker l(&gProtetti);
    return Protetti();
}

QString DestinazioneVietata(const QString& file)
{
    if (file.isEmpty())
        return QStringLiteral("manca il nome del file");
    const QByteArray nome = QFile::encodeName(file);
    struct stat st{};
    if (::lstat(nome.constData(), &st) == 0 && S_ISLNK(st.st_mode) && ::stat(nome.constData(), &st) != 0)
        return Citato(file) + QStringLiteral(" è un collegamento a un file che non c'è: scegli un altro nome");
    const bool esiste = ::stat(nome.constData(), &st) == 0;
    const int e = esiste ? 0 : errno;
    if (!esiste && e != ENOENT)
        return QStringLiteral("non si raggiunge ") + Citato(file) + QStringLiteral(": ") + Perche(e, QFileInfo(file).absolutePath());
    if (esiste && S_ISDIR(st.st_mode))
        return Citato(file) + QStringLiteral(" è una cartella: scegli il nome di un file");
    if (esiste && !S_ISREG(st.st_mode))
        return Citato(file) + QStringLiteral(" non è un file normale (è un dispositivo o simile): scegli un altro nome");
    const QString pieno = PercorsoPieno(esiste ? QFileInfo(file).canonicalFilePath() : file);
    for (const QString& p : FileProtetti())
        for (const char* accanto : kAccanto) {
            const QString protetto = p + QLatin1String(accanto);
            struct stat sp{};
            const bool stesso = esiste && ::stat(QFile::encodeName(protetto).constData(), &sp) == 0 &&
                                sp.st_dev == st.st_dev && sp.st_ino == st.st_ino;
            if (stesso || PercorsoPieno(protetto) == pieno)
                return Citato(file) + QStringLiteral(" è il registro degli alunni in uso (o un suo file): "
                                                     "non si scrive sopra, scegli un altro nome");
        }
    return {};
}

TEsitoScrittura ScriviFileIntero(const QString& file, const QByteArray& testo, TModoScrittura modo)
{
    TEsitoScrittura esito;
    esito.errore = DestinazioneVietata(file);
    if (!esito.errore.isEmpty()) {
        esito.vietato = true;
        return esito;
    }
    // A link keeps pointing where it did: its target is what is written.
    const QString bersaglio = QFileInfo(file).isSymLink() ? QFileInfo(file).canonicalFilePath() : file;
    const QFileInfo info(bersaglio);
    const QString cartella = info.absolutePath();
    const auto fallito = [&](int e) {
        esito.errore = QStringLiteral("non si può scrivere il file ") + Citato(file) + QStringLiteral(": ") +
                       Perche(e, cartella) + QStringLiteral(" (nulla è stato scritto)");
        return esito;
    };
    struct stat prima{};
    const bool esisteva = ::stat(QFile::encodeName(bersaglio).constData(), &prima) == 0;
    if (esisteva && !modo.sostituisci) {
        esito.esiste = true;
        esito.errore = QStringLiteral("il file ") + Citato(file) + QStringLiteral(" esiste già: scegli un altro nome");
        return esito;
    }

    // The temporary file: hidden, beside the destination, made anew.
    QByteArray temporaneo;
    int fd = -1;
    const mode_t permessi = modo.privato ? 0600 : 0666;
    for (int prova = 0; prova < 100 && fd < 0; ++prova) {
        temporaneo = QFile::encodeName(QDir(cartella).filePath(
            QStringLiteral(".%1.%2.tmp").arg(info.fileName()).arg(QRandomGenerator::global()->generate(), 8, 16, QLatin1Char('0'))));
        fd = ::open(temporaneo.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, permessi);
        if (fd < 0 && errno != EEXIST)
            return fallito(errno);
    }
    if (fd < 0)
        return fallito(EEXIST);
    bool riuscito = ScriviTuttoFd(fd, testo);
    // A file replaced keeps its permissions (a private export stays private).
    if (riuscito && esisteva && !modo.privato)
        riuscito = ::fchmod(fd, prima.st_mode & 07777) == 0;
    riuscito = riuscito && ::fsync(fd) == 0;
    int e = errno;
    if (::close(fd) != 0 && riuscito) {
        riuscito = false;
        e = errno;
    }
    if (riuscito) {
        const QByteArray dove = QFile::encodeName(bersaglio);
        if (modo.sostituisci) {
            riuscito = ::rename(temporaneo.constData(), dove.constData()) == 0;
        } else {
            // Never over a file made meanwhile: a link fails on a taken name.
            riuscito = ::renameat2(AT_FDCWD, temporaneo.constData(), AT_FDCWD, dove.constData(), RENAME_NOREPLACE) == 0;
            if (!riuscito && (errno == EINVAL || errno == ENOSYS)) {
                riuscito = ::link(temporaneo.constData(), dove.constData()) == 0;
                const int el = errno;
                if (riuscito)
                    ::unlink(temporaneo.constData());
                errno = el;
            }
        }
        e = errno;
    }
    if (!riuscito) {
        ::unlink(temporaneo.constData());
        if (e == EEXIST && !modo.sostituisci) {
            esito.esiste = true;
            esito.errore = QStringLiteral("il file ") + Citato(file) + QStringLiteral(" esiste già: scegli un altro nome");
            return esito;
        }
        return fallito(e);
    }
    // The new name itself reaches the disk with the folder.
    const int dir = ::open(QFile::encodeName(cartella).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
    esito.scritto = true;
    return esito;
}

QString CartellaDocumenti()
{
    QString base = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (base.isEmpty())
        base = QDir::homePath();
    return QDir(base).filePath(QStringLiteral("Mevario"));
}

QString NuovoPercorsoDocumento(const QString& cartella, const QString& cosa, const QString& estensione,
                               const QDateTime& quando)
{
    // Characters that a file name cannot hold on the desktops a school uses
    // (a topic name never has them, a pupil's name might).
    QString nome = cosa;
    for (QChar& c : nome)
        if (c == QLatin1Char('/') || c == QLatin1Char('\\') || c == QLatin1Char(':') || c.category() == QChar::Other_Control)
            c = QLatin1Char('-');
    nome = nome.trimmed();
    if (nome.isEmpty())
        nome = QStringLiteral("Mevario");
    else if (nome.startsWith(QLatin1Char('.')))
        nome.prepend(QStringLiteral("Mevario "));
    const QString radice = nome + QLatin1Char(' ') + quando.toString(QStringLiteral("yyyy-MM-dd hh.mm"));
    const QDir d(cartella);
    for (int n = 1; n < 1000; ++n) {
        const QString prova =
            radice + (n == 1 ? QString() : QStringLiteral(" (%1)").arg(n)) + QLatin1Char('.') + estensione;
        const QString percorso = d.filePath(prova);
        if (!QFileInfo::exists(percorso))
            return percorso;
    }
    return {};
}

bool PreparaCartella(const QString& cartella)
{
    if (cartella.isEmpty() || !QDir().mkpath(cartella))
        return false;
    const QFileInfo i(cartella);
    return i.isDir() && i.isWritable();
}

QString ScriviNuovoDocumento(const QString& cartella, const QString& cosa, const QString& estensione,
                             const QByteArray& testo, const QDateTime& quando, QString* errore)
{
    if (!PreparaCartella(cartella)) {
        *errore = QStringLiteral("Impossibile scrivere il documento: non si può creare la cartella ") + cartella;
        return {};
    }
    for (int prova = 0; prova < 20; ++prova) {
        const QString nome = NuovoPercorsoDocumento(cartella, cosa, estensione, quando);
        if (nome.isEmpty())
            break;
        const TEsitoScrittura e = ScriviFileIntero(nome, testo);
        if (e.scritto)
            return nome;
        if (!e.esiste) {
            *errore = QStringLiteral("Impossibile scrivere il documento: ") + e.errore;
            return {};
        }
    }
    *errore = QStringLiteral("Impossibile scrivere il documento: nella cartella ") + cartella +
              QStringLiteral(" non si trova un nome libero per «") + cosa + QStringLiteral("»");
    return {};
}

} // namespace mevario
