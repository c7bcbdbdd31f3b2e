// The fixture of the tests on a school's server: a private PostgreSQL
// cluster of the test's own, and this test's folders for the computer's
// own record (the outbox) and settings. Skipped where PostgreSQL or Qt's
// driver for it is not installed.
#pragma once

#include <QSqlDatabase>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "Registro.h"
#include "ServerPg.h"

namespace mevario::prova {

class TProvaConServer : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (TServerPg::Programmi().isEmpty())
            GTEST_SKIP() << "PostgreSQL is not installed here (Debian package postgresql): "
                            "the tests of the record on a server are skipped";
        if (!QSqlDatabase::isDriverAvailable(QStringLiteral("QPSQL")))
            GTEST_SKIP() << "Qt's PostgreSQL driver is missing (Debian package libqt6sql6-psql)";
        QString errore;
        ASSERT_TRUE(FServer.Avvia(errore)) << errore.toStdString();
        ASSERT_TRUE(FCasa.isValid());
        qputenv("XDG_DATA_HOME", FCasa.filePath(QStringLiteral("dati")).toLocal8Bit());
        qputenv("XDG_CONFIG_DIRS", FCasa.filePath(QStringLiteral("xdg")).toLocal8Bit());
    }

    // A computer's options for the server at `url`: quick PINs, short waits.
    static TOpzioniRegistro Opzioni(const QString& url)
    {
        TOpzioniRegistro o;
        o.db = url;
        o.iterazioniPin = 1000;
        o.attesaMs = 2000;
        o.riprovaMs = 200;
        return o;
    }

    TServerPg FServer;
    QTemporaryDir FCasa;
};

} // namespace mevario::prova
