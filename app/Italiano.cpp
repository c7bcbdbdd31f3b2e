#include "Italiano.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include "ExprAtoms.h"

namespace mevario {

QString ImpostaItaliano()
{
    const QLocale italiano(QLocale::Italian, QLocale::Italy);
    QLocale::setDefault(italiano);
    SetDecimalSeparator(',');
    // Once for the application, however often the windows are made.
    if (const auto* gia = QCoreApplication::instance()->findChild<QTranslator*>(QStringLiteral("qtbase_it")))
        return gia->filePath();
    auto* qt = new QTranslator(QCoreApplication::instance());
    qt->setObjectName(QStringLiteral("qtbase_it"));
    const QString cartella = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    if (!qt->load(italiano, QStringLiteral("qtbase"), QStringLiteral("_"), cartella)) {
        delete qt;
        return {};
    }
    QCoreApplication::installTranslator(qt);
    return qt->filePath();
}

} // namespace mevario
