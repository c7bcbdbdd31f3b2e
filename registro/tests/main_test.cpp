// The record's tests run with a Qt core application and with HOME and the
// XDG folders in a temporary folder: nothing reaches the real user's files.
#include <QCoreApplication>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cstdlib>

int main(int argc, char** argv)
{
    QTemporaryDir casa;
    if (!casa.isValid())
        return 1;
    const QByteArray c = casa.path().toLocal8Bit();
    ::setenv("HOME", c.constData(), 1);
    ::setenv("XDG_DATA_HOME", (c + "/dati").constData(), 1);
    ::setenv("XDG_CONFIG_HOME", (c + "/config").constData(), 1);
    ::setenv("XDG_CACHE_HOME", (c + "/cache").constData(), 1);
    ::setenv("XDG_CONFIG_DIRS", (c + "/xdg").constData(), 1); // no computer's setting
    ::unsetenv("MEVARIO_DB");
    ::unsetenv("PGPASSFILE");
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
