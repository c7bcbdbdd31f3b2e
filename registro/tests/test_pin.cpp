// The PIN: kept as a salted key, checked in constant time; three wrong
// tries cost 30 seconds.
#include <gtest/gtest.h>

#include "Pin.h"

using namespace mevario;

TEST(Pin, SoloQuattroCifre)
{
    EXPECT_TRUE(PinValido(QStringLiteral("0427")));
    for (const char* p : {"", "123", "12345", "12a4", " 123", "١٢٣٤"})
        EXPECT_FALSE(PinValido(QString::fromUtf8(p))) << p;
}

TEST(Pin, LaChiaveHaSaleProprioERiconosceSoloIlSuoPin)
{
    const TChiavePin a = NuovaChiavePin(QStringLiteral("0427"), 1000);
    const TChiavePin b = NuovaChiavePin(QStringLiteral("0427"), 1000);
    EXPECT_EQ(a.sale.size(), 16);
    EXPECT_EQ(a.chiave.size(), 32);
    EXPECT_NE(a.sale, b.sale);
    EXPECT_NE(a.chiave, b.chiave) << "the same PIN gives another key with another salt";
    EXPECT_FALSE(a.chiave.contains("0427"));
    EXPECT_TRUE(PinCorrisponde(QStringLiteral("0427"), a));
    EXPECT_FALSE(PinCorrisponde(QStringLiteral("0428"), a));
    TChiavePin altreIterazioni = a;
    altreIterazioni.iterazioni = 999;
    EXPECT_FALSE(PinCorrisponde(QStringLiteral("0427"), altreIterazioni));
    EXPECT_FALSE(PinCorrisponde(QStringLiteral("0427"), TChiavePin{}));
}

TEST(Pin, TreTentativiSbagliatiFannoAttendereTrentaSecondi)
{
    TTentativiPin t;
    qint64 ms = 1000;
    t.Tentativo(false, ms);
    t.Tentativo(false, ms);
    EXPECT_EQ(t.SecondiAttesa(ms), 0);
    t.Tentativo(false, ms);
    EXPECT_EQ(t.SecondiAttesa(ms), 30);
    EXPECT_EQ(t.SecondiAttesa(ms + 29001), 1);
    EXPECT_EQ(t.SecondiAttesa(ms + 30000), 0);
    // After the wait, three more tries.
    ms += 30000;
    t.Tentativo(false, ms);
    t.Tentativo(false, ms);
    EXPECT_EQ(t.SecondiAttesa(ms), 0);
    // A right try starts the count again.
    t.Tentativo(true, ms);
    t.Tentativo(false, ms);
    t.Tentativo(false, ms);
    EXPECT_EQ(t.SecondiAttesa(ms), 0);
}
