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

// Keys made by earlier versions, and by any other PBKDF2-HMAC-SHA-256, must
// still match: the derivation is checked against published vectors
// (RFC 7914, section 11, and the common c = 4096 vector).
TEST(Pin, LaDerivazioneEQuellaStandard)
{
    EXPECT_EQ(DerivaPbkdf2Sha256("passwd", "salt", 1).toHex(),
              "55ac046e56e3089fec1691c22544b605f94185216dde0465e68b9d57c20dacbc");
    EXPECT_EQ(DerivaPbkdf2Sha256("password", "salt", 4096).toHex(),
              "c5e478d59288c841aa530db6845c4c8d962893a001ce4e11a4963873aa98134a");
    EXPECT_EQ(DerivaPbkdf2Sha256("password", "salt", 2).toHex(),
              "ae4d0c95af6b46d32d0adff928f06dd02a303f8ef3c251dfd6e2d85a95474c43");
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
