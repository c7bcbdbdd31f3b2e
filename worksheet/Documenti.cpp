#include "Documenti.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

namespace mevario {

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
        QFile f(nome);
        if (f.open(QIODevice::WriteOnly | QIODevice::NewOnly)) {
            if (f.write(testo) == testo.size() && f.flush())
                return nome;
            f.close();
            f.remove();
            *errore = QStringLiteral("Impossibile scrivere il documento ") + nome;
            return {};
        }
        if (!QFileInfo::exists(nome)) {
            *errore = QStringLiteral("Impossibile scrivere il documento ") + nome;
            return {};
        }
    }
    *errore = QStringLiteral("Impossibile scrivere il documento: nella cartella ") + cartella +
              QStringLiteral(" non si trova un nome libero per «") + cosa + QStringLiteral("»");
    return {};
}

} // namespace mevario
