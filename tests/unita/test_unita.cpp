// Drive A: and the CD-ROM drives on this system's mount points.
#include "supporto/cartella_temporanea.h"
#include "unita/unita.h"

#include <QFile>
#include <gtest/gtest.h>

TEST(Unita, UnitaAEDischiOttici)
{
    qunsetenv("TRATTE_UNITA_A");
    EXPECT_EQ(unita::CartellaUnitaA(), "/media/floppy");
    qputenv("TRATTE_UNITA_A", "/tmp/dischetto");
    EXPECT_EQ(unita::CartellaUnitaA(), "/tmp/dischetto");
    qunsetenv("TRATTE_UNITA_A");

    CartellaTemporanea cartella;
    const QString tabella = cartella.file("mounts");
    QFile f(tabella);
    f.open(QIODevice::WriteOnly);
    f.write("/dev/vda / ext4 rw 0 0\n"
            "/dev/sr0 /media/cdrom0 iso9660 ro 0 0\n"
            "/dev/sr1 /media/Disco\\040Dati udf ro 0 0\n"
            "tmpfs /run tmpfs rw 0 0\n");
    f.close();
    EXPECT_EQ(unita::UnitaCdRom(tabella), (QStringList{"/media/cdrom0", "/media/Disco Dati"}));
    EXPECT_TRUE(unita::UnitaCdRom(cartella.file("manca")).isEmpty());
}
