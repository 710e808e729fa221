// The deep-sky catalogue and the target finder: OpenNGC's rows read back against the lines of
// its own CSV files, its counts as it states them, and what each kind of name typed finds.

#include "sky/TargetFinder.h"

#include <QFile>
#include <QTest>

#include <cmath>
#include <stdexcept>

Q_DECLARE_METATYPE(std::string)

namespace {

const std::string Headings
    = "Name;Type;RA;Dec;Const;MajAx;MinAx;PosAng;B-Mag;V-Mag;SurfBr;M;Common names;Identifiers;Duplicates\n";

//! A catalogue of the given rows; `text` must outlive it.
Catalogue Read(const std::string& text)
{
    const std::string_view parts[] = {text};
    return Catalogue(parts);
}

double Given(std::optional<double> value)
{
    return value.value_or(qQNaN());
}

//! "+41:16:08.6" as a number, read here on its own.
double Sexagesimal(const QString& text)
{
    const QStringList parts = text.mid(text.startsWith(QLatin1Char('-')) || text.startsWith(QLatin1Char('+')) ? 1 : 0)
                                  .split(QLatin1Char(':'));
    const double value = parts[0].toDouble() + parts[1].toDouble() / 60 + parts[2].toDouble() / 3600;
    return text.startsWith(QLatin1Char('-')) ? -value : value;
}

//! An optional number of OpenNGC's CSV: empty where it gives none.
double CsvNumber(const QString& field)
{
    return field.isEmpty() ? qQNaN() : field.toDouble();
}

QStringList Texts(const std::vector<std::string_view>& items)
{
    QStringList texts;
    for (const std::string_view item : items)
        texts << QString::fromUtf8(item.data(), static_cast<qsizetype>(item.size()));
    return texts;
}

} // namespace

class tst_Catalogue : public QObject
{
    Q_OBJECT

private slots:
    void rowsAreOpenNgcs_data();
    void rowsAreOpenNgcs();
    void typesAreCountedAsOpenNgcCountsThem_data();
    void typesAreCountedAsOpenNgcCountsThem();
    void duplicatesLeadToTheirObject_data();
    void duplicatesLeadToTheirObject();
    void malformedRowsAreRefused_data();
    void malformedRowsAreRefused();
    void designations_data();
    void designations();
    void finder_data();
    void finder();
    void ranking_data();
    void ranking();
    void matchingFindsWhatTheFinderFinds_data();
    void matchingFindsWhatTheFinderFinds();
    void vSurfaceBrightness_data();
    void vSurfaceBrightness();
    void emissionNebulae_data();
    void emissionNebulae();
};

void tst_Catalogue::rowsAreOpenNgcs_data()
{
    QTest::addColumn<QString>("csv");
    // Lines of OpenNGC's NGC.csv and addendum.csv at the commit the data file names, their
    // last column (Sources) cut short; the columns read are Name, Type, RA, Dec, Const, MajAx,
    // MinAx, PosAng, B-Mag, V-Mag, SurfBr (14th), M (24th), Identifiers (28th) and Common
    // names (29th).
    QTest::newRow("the first, a double star") << "IC0001;**;00:08:27.05;+27:43:03.6;Peg;;;;;;;;;;;;;;;;;;;;;;;;;;;"
                                                 "Type:1|RA:1|Dec:1|Const:99";
    QTest::newRow("south of the equator by less than a degree")
        << "IC0003;G;00:12:06.09;-00:24:54.8;Psc;0.93;0.67;53;14.78;;11.53;10.79;10.54;23.50;E;;;;5398;0.018170;;;;;;;;"
           "2MASX J00120604-0024543,MCG +00-01-038,PGC 000836,SDSS J001206.08-002454.7,SDSS J001206.09-002454.7,"
           "SDSS J001206.09-002454.8,SDSS J001206.10-002454.8;;;;Type:1";
    QTest::newRow("a name with a blank")
        << "NGC0190 NED01;G;00:38:54.68;+07:03:45.7;Psc;0.93;0.76;175;14.93;;10.97;10.23;"
           "9.24;23.39;Sab;;;;12147;0.041373;;;;;0190N;;;2MASX J00385467+0703458,"
           "MCG +01-02-041,PGC 002324,UGC 00397 NOTES01;;;;Type:1";
    QTest::newRow("every column")
        << "NGC0224;G;00:42:44.35;+41:16:08.6;And;177.83;69.66;35;4.29;3.44;2.09;1.28;0.98;23.63;"
           "Sb;6.0000;;;-300;-0.001000;;;;031;;;;2MASX J00424433+4116074,IRAS 00400+4059,"
           "MCG +07-02-016,PGC 002557,UGC 00454;Andromeda Galaxy;;;Type:1";
    QTest::newRow("two names") << "NGC0253;G;00:47:33.12;-25:17:17.6;Scl;26.79;4.58;53;7.94;11.11;4.81;4.09;3.77;22.42;"
           "SABc;;;;259;0.000864;;;;;;;;2MASX J00473313-2517196,C 065,ESO 474-029,ESO-LV 474-0290,"
           "IRAS 00450-2533,MCG -04-03-009,PGC 002789,UGCA 013;Sculptor Filament,Silver Coin;"
           "Extended HIPASS source;;Type:1";
    QTest::newRow("no minor axis") << "NGC6720;PN;18:53:35.01;+33:01:42.9;Lyr;1.27;;;9.70;8.80;16.40;;;;;1.2707;1.494;"
                                      "2.486;-19;-0.000064;;15.03;15.29;057;;;HD 175353;IRAS 18517+3257,"
                                      "PN G063.1+13.9;Ring Nebula;;;Type:1";
    QTest::newRow("three names") << "NGC6960;SNR;20:45:58.18;+30:35:42.5;Cyg;210.00;160.00;;7.00;;;;;;;;;;;;;;;;;;;"
                                    "C 034,LBN 191;Veil Nebula,Filamentary Nebula,Western Veil;;;Type:1";
    QTest::newRow("no V magnitude") << "NGC7000;HII;20:59:17.14;+44:31:43.6;Cyg;120.00;30.00;;4.00;;;;;;;;;;;;;;;;;;;"
                                       "C 020,LBN 373;North America Nebula;;;Type:1";
    QTest::newRow("the addendum, whole seconds")
        << "B033;DrkN;05:40:59.0;-02:27:30;Ori;6.00;4.00;90;;;;;;;;;;;;;;;;;;;;;"
           "Horsehead Nebula;;;Type:2";
    QTest::newRow("a Messier number in the addendum")
        << "Mel022;OCl;03:47:28.6;+24:06:19;Tau;150.00;150.00;90;;1.20;;;;;;7.3640;19.997;-45.548;7;0.000022;;;;045;;;;"
           "MWSC 0305;Pleiades;;;Type:2";
    QTest::newRow("a Messier entry")
        << "M040;**;12:22:16.1;+58:05:04;UMa;;;;;8.00;;;;;;;;;;;;;;040;;;;WDS J12222+5805AB;;;;"
           "Type:1";
    QTest::newRow("an apostrophe") << "HCG092;GGroup;22:35:59.0;+33:57:30;Peg;4.40;;;;;;;;;;;;;6376;0.021500;;;;;;;;"
                                      "IRAS 22337+3342;Stephan's Quintet;Contains the GPair NGC 7318.;;Type:1";
}

void tst_Catalogue::rowsAreOpenNgcs()
{
    QFETCH(QString, csv);
    const QStringList f = csv.split(QLatin1Char(';'));
    const SkyObject* object = TheCatalogue().Find(f[0].toStdString());
    QVERIFY(object);
    QCOMPARE(QString::fromStdString(std::string(object->Entry())), f[0]);
    QCOMPARE(QString::fromStdString(std::string(object->Type())), f[1]);
    QVERIFY(qAbs(object->RightAscension() - Sexagesimal(f[2])) < 1e-12);
    QVERIFY(qAbs(object->Declination() - Sexagesimal(f[3])) < 1e-12);
    QCOMPARE(QString::fromStdString(std::string(object->Constellation())), f[4]);
    QCOMPARE(Given(object->MajorArcmin()), CsvNumber(f[5]));
    QCOMPARE(Given(object->MinorArcmin()), CsvNumber(f[6]));
    QCOMPARE(Given(object->PositionAngle()), CsvNumber(f[7]));
    QCOMPARE(Given(object->BMagnitude()), CsvNumber(f[8]));
    QCOMPARE(Given(object->VMagnitude()), CsvNumber(f[9]));
    QCOMPARE(Given(object->SurfaceBrightness()), CsvNumber(f[13]));
    QCOMPARE(object->Messier().value_or(0), f[23].toInt());
    QCOMPARE(Texts(object->Identifiers()), f[27].isEmpty() ? QStringList() : f[27].split(QLatin1Char(',')));
    QCOMPARE(Texts(object->CommonNames()), f[28].isEmpty() ? QStringList() : f[28].split(QLatin1Char(',')));
}

void tst_Catalogue::typesAreCountedAsOpenNgcCountsThem_data()
{
    QTest::addColumn<QString>("type");
    QTest::addColumn<int>("rows");

    // Counted in OpenNGC's two CSV files at the data file's commit: 14,033 rows.
    const std::pair<const char*, int> counts[]
        = {{"G", 10521},   {"OCl", 663}, {"*", 546},  {"Other", 419}, {"**", 244},  {"GPair", 231}, {"GCl", 208},
           {"PN", 130},    {"Neb", 94},  {"HII", 83}, {"Cl+N", 67},   {"*Ass", 64}, {"RfN", 38},    {"GTrpl", 26},
           {"GGroup", 13}, {"SNR", 11},  {"EmN", 8},  {"Nova", 3},    {"DrkN", 2},  {"Dup", 652},   {"NonEx", 10}};
    for (const auto& [type, rows] : counts)
        QTest::newRow(type) << QString::fromLatin1(type) << rows;
}

void tst_Catalogue::typesAreCountedAsOpenNgcCountsThem()
{
    QFETCH(QString, type);
    QFETCH(int, rows);
    const Catalogue& catalogue = TheCatalogue();
    QCOMPARE(catalogue.Objects().size(), std::size_t(13371));
    QCOMPARE(catalogue.Rows(), std::size_t(14033));
    int counted = 0;
    if (type == QLatin1String("Dup"))
        counted = static_cast<int>(catalogue.Duplicates().size());
    else if (type == QLatin1String("NonEx"))
        counted = static_cast<int>(catalogue.NonExistent().size());
    else
        for (const SkyObject& object : catalogue.Objects())
            counted += object.Type() == type.toStdString();
    QCOMPARE(counted, rows);

    // The data file read here on its own: what the build made of it holds every row.
    QFile file(QStringLiteral(CATALOGUE_TABLE_FILE));
    QVERIFY(file.open(QIODevice::ReadOnly | QIODevice::Text));
    qsizetype lines = 0;
    for (const QByteArray& line : file.readAll().split('\n'))
        lines += !line.isEmpty() && !line.startsWith('#');
    QCOMPARE(std::size_t(lines - 1), catalogue.Rows()); // less the headings
}

void tst_Catalogue::duplicatesLeadToTheirObject_data()
{
    QTest::addColumn<QString>("entry");
    QTest::addColumn<QString>("object"); // empty: none

    // OpenNGC's NGC, IC and M columns of each Dup row.
    QTest::newRow("its NGC column") << "IC0011" << "NGC0281";
    QTest::newRow("NGC and IC given: the NGC") << "IC0843" << "NGC4913";
    QTest::newRow("the other of the pair") << "IC4088" << "NGC4913";
    QTest::newRow("an NGC duplicate") << "NGC5620" << "NGC5607";
    QTest::newRow("its M column alone") << "M102" << "NGC5457";
    QTest::newRow("an object is itself") << "NGC0281" << "NGC0281";
    QTest::newRow("non-existent") << "NGC0412" << "";
    QTest::newRow("no such entry") << "NGC9999" << "";
}

void tst_Catalogue::duplicatesLeadToTheirObject()
{
    QFETCH(QString, entry);
    QFETCH(QString, object);
    const SkyObject* found = TheCatalogue().Find(entry.toStdString());
    QCOMPARE(found ? QString::fromStdString(std::string(found->Entry())) : QString(), object);
    QCOMPARE(TheCatalogue().IsNonExistent(entry.toStdString()), entry == QLatin1String("NGC0412"));

    // A duplicate of a duplicate leads on to the object.
    const std::string chain
        = Headings + "A1;Dup;;;;;;;;;;;;;A2\nA2;Dup;;;;;;;;;;;;;A3\nA3;G;00:00:00;+00:00:00;And;;;;;;;;;;\n";
    const Catalogue catalogue = Read(chain);
    QCOMPARE(catalogue.Find("A1"), &catalogue.Objects().front());
}

void tst_Catalogue::malformedRowsAreRefused_data()
{
    QTest::addColumn<std::string>("rows");

    const std::string m31
        = "NGC0224;G;00:42:44.35;+41:16:08.6;And;177.83;69.66;35;4.29;3.44;23.63;031;Andromeda Galaxy;;\n";
    QTest::newRow("fourteen fields") << std::string("X;G;00:00:00;+00:00:00;And;;;;;;;;;\n");
    QTest::newRow("sixteen fields") << std::string("X;G;00:00:00;+00:00:00;And;;;;;;;;;;;\n");
    QTest::newRow("no name") << std::string(";G;00:00:00;+00:00:00;And;;;;;;;;;;\n");
    QTest::newRow("an unknown type") << std::string("X;Galaxy;00:00:00;+00:00:00;And;;;;;;;;;;\n");
    QTest::newRow("24 hours") << std::string("X;G;24:00:00;+00:00:00;And;;;;;;;;;;\n");
    QTest::newRow("60 seconds") << std::string("X;G;00:00:60;+00:00:00;And;;;;;;;;;;\n");
    QTest::newRow("beyond the pole") << std::string("X;G;00:00:00;+90:00:00.1;And;;;;;;;;;;\n");
    QTest::newRow("a declination without sign") << std::string("X;G;00:00:00;00:00:00;And;;;;;;;;;;\n");
    QTest::newRow("no constellation") << std::string("X;G;00:00:00;+00:00:00;;;;;;;;;;;\n");
    QTest::newRow("a decimal comma") << std::string("X;G;00:00:00;+00:00:00;And;1,5;;;;;;;;;\n");
    QTest::newRow("a zero axis") << std::string("X;G;00:00:00;+00:00:00;And;0;;;;;;;;;\n");
    QTest::newRow("minor above major") << std::string("X;G;00:00:00;+00:00:00;And;1;2;;;;;;;;\n");
    QTest::newRow("minor alone") << std::string("X;G;00:00:00;+00:00:00;And;;2;;;;;;;;\n");
    QTest::newRow("position angle 180.1") << std::string("X;G;00:00:00;+00:00:00;And;2;1;180.1;;;;;;;\n");
    QTest::newRow("magnitude 30.1") << std::string("X;G;00:00:00;+00:00:00;And;;;;30.1;;;;;;\n");
    QTest::newRow("surface brightness 9.9") << std::string("X;G;00:00:00;+00:00:00;And;;;;;;9.9;;;;\n");
    QTest::newRow("Messier 111") << std::string("X;G;00:00:00;+00:00:00;And;;;;;;;111;;;\n");
    QTest::newRow("Messier 31 twice") << m31 + "X;G;00:00:00;+00:00:00;And;;;;;;;31;;;\n";
    QTest::newRow("a name twice") << m31 + m31;
    QTest::newRow("a non-existent entry with data") << std::string("X;NonEx;00:00:00;;;;;;;;;;;;\n");
    QTest::newRow("a duplicate of nothing") << std::string("X;Dup;;;;;;;;;;;;;\n");
    QTest::newRow("a duplicate of no row") << std::string("X;Dup;;;;;;;;;;;;;NGC0224\n");
    QTest::newRow("a duplicate of a non-existent entry") << std::string("X;Dup;;;;;;;;;;;;;Y\nY;NonEx;;;;;;;;;;;;;\n");
    QTest::newRow("duplicates in a ring") << std::string("X;Dup;;;;;;;;;;;;;Y\nY;Dup;;;;;;;;;;;;;X\n");
    QTest::newRow("a duplicate with a position") << m31 + "X;Dup;00:00:00;;;;;;;;;;;;NGC0224\n";
}

void tst_Catalogue::malformedRowsAreRefused()
{
    QFETCH(std::string, rows);
    // The extremes every column allows, and a duplicate, read without complaint.
    const std::string good = Headings
        + "# a comment\nA;G;23:59:59.99;-90:00:00;Se1;10800;10800;180;-2;30;35;110;a,b;c;\r\n"
          "B;Dup;;;;;;;;;;;;d;A\nC;NonEx;;;;;;;;;;;;;\n";
    QCOMPARE(Read(good).Rows(), std::size_t(3));
    const std::string bad = Headings + rows;
    QVERIFY_THROWS_EXCEPTION(std::invalid_argument, Read(bad));
}

void tst_Catalogue::designations_data()
{
    QTest::addColumn<QString>("entry");
    QTest::addColumn<QString>("designation");

    QTest::newRow("NGC") << "NGC0224" << "NGC 224";
    QTest::newRow("zeros within") << "NGC7000" << "NGC 7000";
    QTest::newRow("Barnard") << "B033" << "B 33";
    QTest::newRow("a letter after") << "NGC0235A" << "NGC 235A";
    QTest::newRow("a component") << "IC1008 NED01" << "IC 1008 NED01";
    QTest::newRow("ESO") << "ESO056-115" << "ESO 56-115";
    QTest::newRow("Melotte") << "Mel022" << "Mel 22";
}

void tst_Catalogue::designations()
{
    QFETCH(QString, entry);
    QFETCH(QString, designation);
    QCOMPARE(QString::fromStdString(Designation(entry.toStdString())), designation);
}

void tst_Catalogue::finder_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("first"); // the first suggestion's text; empty for none
    QTest::addColumn<QString>("refusal"); // empty for none
    QTest::addColumn<double>("ra"); // a point's, hours; -1 for an object
    QTest::addColumn<double>("dec");

    const QString ngc7000 = QStringLiteral("NGC 7000, North America Nebula (emission nebula, Cyg)");
    const QString m31 = QStringLiteral("M31, Andromeda Galaxy (galaxy, And)");
    const QString horsehead = QStringLiteral("Horsehead Nebula (Barnard 33) (dark nebula, Ori)");
    const QString veil = QStringLiteral("NGC 6960, Veil Nebula (supernova remnant, Cyg)");
    const QString quintet = QStringLiteral("HCG 92, Stephan's Quintet (group of galaxies, Peg)");
    QTest::newRow("NGC") << "NGC 7000" << ngc7000 << QString() << -1.0 << 0.0;
    QTest::newRow("NGC, lower case, joined") << "ngc7000" << ngc7000 << QString() << -1.0 << 0.0;
    QTest::newRow("NGC, a leading zero") << "  NGC 07000 " << ngc7000 << QString() << -1.0 << 0.0;
    QTest::newRow("IC") << "IC 434" << "IC 434, Flame Nebula (emission nebula, Ori)" << QString() << -1.0 << 0.0;
    QTest::newRow("IC, as the catalogue writes it") << "IC0434"
        << "IC 434, Flame Nebula (emission nebula, Ori)" << QString() << -1.0 << 0.0;
    QTest::newRow("no name") << "NGC 2541" << "NGC 2541 (galaxy, Lyn)" << QString() << -1.0 << 0.0;
    QTest::newRow("Messier") << "M 31" << m31 << QString() << -1.0 << 0.0;
    QTest::newRow("Messier, joined") << "m31" << m31 << QString() << -1.0 << 0.0;
    QTest::newRow("Messier in full") << "Messier 31" << m31 << QString() << -1.0 << 0.0;
    QTest::newRow("Messier, in Serpens Cauda") << "M16"
                                               << "M16, Eagle Nebula (nebula, Ser)" << QString() << -1.0 << 0.0;
    QTest::newRow("Messier, in the addendum") << "M 40" << "M40 (double star, UMa)" << QString() << -1.0 << 0.0;
    QTest::newRow("the addendum") << "B33" << horsehead << QString() << -1.0 << 0.0;
    QTest::newRow("the addendum, a blank") << "B 33" << horsehead << QString() << -1.0 << 0.0;
    QTest::newRow("Barnard in full") << "Barnard 33" << horsehead << QString() << -1.0 << 0.0;
    QTest::newRow("Melotte") << "Mel 22" << "M45, Pleiades (open cluster, Tau)" << QString() << -1.0 << 0.0;
    QTest::newRow("Collinder") << "Collinder 399"
                               << "Cl 399, Brocchi's Cluster (association of stars, Vul)" << QString() << -1.0 << 0.0;
    QTest::newRow("Caldwell, an addendum entry") << "C 9"
        << "C 9, Cave Nebula (emission nebula, Cep)" << QString() << -1.0 << 0.0;
    QTest::newRow("Caldwell, an identifier") << "C 34" << veil << QString() << -1.0 << 0.0;
    QTest::newRow("Caldwell in full") << "Caldwell 34" << veil << QString() << -1.0 << 0.0;
    QTest::newRow("a name") << "andromeda" << m31 << QString() << -1.0 << 0.0;
    QTest::newRow("two words") << "north america" << ngc7000 << QString() << -1.0 << 0.0;
    QTest::newRow("a showpiece's name") << "horsehead" << horsehead << QString() << -1.0 << 0.0;
    QTest::newRow("a name's later word") << "veil" << veil << QString() << -1.0 << 0.0;
    QTest::newRow("an apostrophe") << "Stephan's Quintet" << quintet << QString() << -1.0 << 0.0;
    QTest::newRow("an apostrophe left out") << "stephans" << quintet << QString() << -1.0 << 0.0;
    QTest::newRow("Hickson") << "HCG 92" << quintet << QString() << -1.0 << 0.0;
    QTest::newRow("UGC, zero-padded in the catalogue") << "UGC 454" << m31 << QString() << -1.0 << 0.0;
    QTest::newRow("PGC") << "PGC 2557" << m31 << QString() << -1.0 << 0.0;
    QTest::newRow("PGC, zero-padded") << "PGC 002557" << m31 << QString() << -1.0 << 0.0;
    QTest::newRow("LBN") << "LBN 191" << veil << QString() << -1.0 << 0.0;
    QTest::newRow("MCG") << "MCG +07-02-016" << m31 << QString() << -1.0 << 0.0;
    QTest::newRow("a duplicate") << "IC 11" << "NGC 281 (emission nebula, Cas)" << QString() << -1.0 << 0.0;
    QTest::newRow("a duplicate by Messier number") << "M 102"
                                                   << "M101, Pinwheel Galaxy (galaxy, UMa)" << QString() << -1.0 << 0.0;
    QTest::newRow("a list text") << "M31, Andromeda Galaxy" << m31 << QString() << -1.0 << 0.0;
    QTest::newRow("a suggestion text") << horsehead << horsehead << QString() << -1.0 << 0.0;
    QTest::newRow("non-existent, starting others") << "NGC 412" << "NGC 4120 (galaxy, Dra)"
                                                   << "NGC 412: the catalogue lists no object there." << -1.0 << 0.0;
    QTest::newRow("non-existent") << "ic1064" << QString() << "IC 1064: the catalogue lists no object there." << -1.0
                                  << 0.0;
    QTest::newRow("a miss") << "xyz" << QString() << "No object of the catalogue is called \"xyz\"." << -1.0 << 0.0;
    QTest::newRow("nothing typed") << "  " << QString() << QString() << -1.0 << 0.0;

    // Coordinates: 5h35m17.3s is 5.5881389 h, -5°23'28" is -5.3911111°, 83.82° is 5.588 h.
    const QString trapezium = QStringLiteral("RA 05h 35m 17s, Dec \u221205\u00B0 23\u2032 28\u2033");
    const QString degrees = QStringLiteral("RA 05h 35m 17s, Dec \u221205\u00B0 23\u2032 24\u2033");
    QTest::newRow("h m s, d m s") << "5h35m17.3s -5d23m28s" << trapezium << QString() << 5.5881389 << -5.3911111;
    QTest::newRow("marks") << "5h 35m 17.3s \u22125\u00B0 23\u2032 28\u2033" << trapezium << QString() << 5.5881389
                           << -5.3911111;
    QTest::newRow("colons") << "05:35:17.3 -05:23:28" << trapezium << QString() << 5.5881389 << -5.3911111;
    QTest::newRow("blanks") << "5 35 17.3 -5 23 28" << trapezium << QString() << 5.5881389 << -5.3911111;
    QTest::newRow("blanks, a comma, north") << "5 35 17.3, 5 23 28"
        << "RA 05h 35m 17s, Dec +05\u00B0 23\u2032 28\u2033" << QString() << 5.5881389 << 5.3911111;
    QTest::newRow("decimal hours") << "5.588h -5.3911111" << trapezium << QString() << 5.588 << -5.3911111;
    QTest::newRow("degrees marked") << "83.82\u00B0 -5.39" << degrees << QString() << 5.588 << -5.39;
    QTest::newRow("degrees with d") << "83.82d -5.39d" << degrees << QString() << 5.588 << -5.39;
    QTest::newRow("bare degrees") << "83.82 -5.39" << degrees << QString() << 5.588 << -5.39;
    QTest::newRow("its own text") << trapezium << trapezium << QString() << 5.5880556 << -5.3911111;
    QTest::newRow("rounded up to a new day, the pole") << "23:59:59.6 +90"
        << "RA 00h 00m 00s, Dec +90\u00B0 00\u2032 00\u2033" << QString() << 23.9998889 << 90.0;
    QTest::newRow("the south pole") << "5h -90"
                                    << "RA 05h 00m 00s, Dec \u221290\u00B0 00\u2032 00\u2033" << QString() << 5.0
                                    << -90.0;
    const QString ra = QStringLiteral("A right ascension is from 0 to 24 hours (0\u00B0 to 360\u00B0), its minutes and "
                                      "seconds below 60: 5h35m17s or 05:35:17.");
    const QString dec
        = QStringLiteral("A declination is from \u221290\u00B0 to +90\u00B0, its minutes and seconds below 60: "
                         "\u22125\u00B023\u203228\u2033 or \u221205:23:28.");
    const QString general = QStringLiteral("Coordinates are a right ascension, then a declination: 5h35m17s "
                                           "\u22125\u00B023\u203228\u2033, 05:35:17 \u221205:23:28, or in degrees "
                                           "83.82 \u22125.39.");
    QTest::newRow("24 hours") << "24h 0" << QString() << ra << -1.0 << 0.0;
    QTest::newRow("360 degrees") << "360d 0" << QString() << ra << -1.0 << 0.0;
    QTest::newRow("60 minutes") << "5h 60m -5" << QString() << ra << -1.0 << 0.0;
    QTest::newRow("beyond the pole") << "5h -90.01" << QString() << dec << -1.0 << 0.0;
    QTest::newRow("no declination") << "5h35m" << QString() << general << -1.0 << 0.0;
    QTest::newRow("a comma, nothing after") << "5 35 17," << QString() << general << -1.0 << 0.0;
    QTest::newRow("blanks that part nowhere") << "5 35 17 5 23" << QString()
                                              << "Give the declination its sign, or put a comma before it: "
                                                 "5 35 17 +5 23 28 or 5 35 17, 5 23 28."
                                              << -1.0 << 0.0;
    QTest::newRow("decimal commas") << "83,82 -5,39" << QString() << "Write decimals with a point: 5.588h \u22125.391."
                                    << -1.0 << 0.0;
}

void tst_Catalogue::finder()
{
    QFETCH(QString, typed);
    QFETCH(QString, first);
    QFETCH(QString, refusal);
    QFETCH(double, ra);
    QFETCH(double, dec);
    const TargetSearch search = FindTargets(typed.toStdString());
    QCOMPARE(search.Suggestions.empty() ? QString() : QString::fromStdString(search.Suggestions.front().SuggestionText),
             first);
    QCOMPARE(QString::fromStdString(search.Refusal), refusal);
    if (ra < 0)
        return;
    QCOMPARE(search.Suggestions.size(), std::size_t(1));
    const SkyTarget& point = search.Suggestions.front();
    QVERIFY(!point.Object);
    QCOMPARE(point.ListText, point.SuggestionText);
    QVERIFY(qAbs(point.Position.RightAscension - ra) < 1e-7);
    QVERIFY(qAbs(point.Position.Declination - dec) < 1e-7);
}

void tst_Catalogue::ranking_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QStringList>("first");
    QTest::addColumn<int>("count");

    // M1, then M10 to M19 and M100 to M110 but M102, a duplicate of M101.
    QTest::newRow("exact, then Messier in number order")
        << "M 1" << QStringList{"M1, Crab Nebula", "M10", "M11, Amas de l'Ecu de Sobieski", "M12"} << 21;
    QTest::newRow("components, then NGC in number order")
        << "NGC 190" << QStringList{"NGC 190", "NGC 190 NED01", "NGC 190 NED02", "NGC 1900", "NGC 1901"} << 13;
    QTest::newRow("a duplicate's object, then IC in number order")
        << "IC 11" << QStringList{"NGC 281", "IC 110", "IC 111", "IC 112"} << 50;
    QTest::newRow("Caldwell in number order")
        << "C 9" << QStringList{"C 9, Cave Nebula", "NGC 2867", "NGC 3532, Wishing Well Cluster"} << 11;
    // The catalogue's lowest PGC numbers are 5 (IC 5370), 24 (IC 5371), 33 (NGC 7807); the
    // lowest starting with 1 are 101 (NGC 7803) and 102 (IC 5376).
    QTest::newRow("PGC in number order, at most fifty") << "PGC 1" << QStringList{"NGC 7803", "IC 5376"} << 50;
    QTest::newRow("zeros typed start every number") << "PGC 00" << QStringList{"IC 5370", "IC 5371", "NGC 7807"} << 50;
    QTest::newRow("names: from their start before a later word")
        << "veil" << QStringList{"NGC 6960, Veil Nebula", "NGC 6992, Eastern Veil", "NGC 6995, Eastern Veil"} << 3;
    QTest::newRow("names: Messier first among equals")
        << "orion" << QStringList{"M42, Orion Nebula", "IC 434, Flame Nebula"} << 2;
    QTest::newRow("names: at most fifty") << "nebula" << QStringList{"M1, Crab Nebula", "M8, Lagoon Nebula"} << 50;
}

void tst_Catalogue::ranking()
{
    QFETCH(QString, typed);
    QFETCH(QStringList, first);
    QFETCH(int, count);
    const TargetSearch search = FindTargets(typed.toStdString());
    QCOMPARE(int(search.Suggestions.size()), count);
    QStringList texts;
    for (qsizetype i = 0; i < first.size(); ++i)
        texts << QString::fromStdString(search.Suggestions[static_cast<std::size_t>(i)].ListText);
    QCOMPARE(texts, first);
}

void tst_Catalogue::matchingFindsWhatTheFinderFinds_data()
{
    QTest::addColumn<QString>("typed");

    QTest::newRow("a list text") << "M31, Andromeda Galaxy";
    QTest::newRow("a showpiece's own text") << "Heart Nebula (IC 1805)";
    QTest::newRow("a suggestion's text") << "NGC 7000, North America Nebula (emission nebula, Cyg)";
    QTest::newRow("a common name") << "north america";
    QTest::newRow("a word of names") << "veil";
    QTest::newRow("an identifier") << "UGC 454";
    QTest::newRow("a Caldwell number") << "Caldwell 34";
    QTest::newRow("coordinates name no object") << "5 35 17 -5 23 28";
    QTest::newRow("nothing") << "xyz";
}

void tst_Catalogue::matchingFindsWhatTheFinderFinds()
{
    // The name filter of Targets Tonight finds the objects the target box suggests, and no
    // others (each text here finds fewer than the fifty the box shows).
    QFETCH(QString, typed);
    const std::string text = typed.toStdString();
    const std::vector<char> matching = TheTargetFinder().Matching(text);
    int objects = 0;
    for (const SkyTarget& found : FindTargets(text).Suggestions)
        if (found.Object) {
            ++objects;
            QVERIFY(matching[static_cast<std::size_t>(found.Object - TheCatalogue().Objects().data())]);
        }
    QVERIFY(objects < static_cast<int>(TargetFinder::MaxSuggestions));
    QCOMPARE(static_cast<int>(std::count(matching.begin(), matching.end(), char(1))), objects);
}

void tst_Catalogue::vSurfaceBrightness_data()
{
    QTest::addColumn<std::string>("row");
    QTest::addColumn<double>("value"); // -1: none
    QTest::addColumn<bool>("bBand");
    QTest::addColumn<QString>("text");

    // OpenNGC's B, V and SurfBr of M 31, NGC 253, IC 1768 and NGC 7000, and made-up rows at
    // the ends of the range of B - V.
    QTest::newRow("M 31: 23.63 - 0.85") << std::string("NGC0224;G;00:42:44.35;+41:16:08.6;And;;;;4.29;3.44;23.63;;;;")
                                        << 22.78 << false << "22.8 mag per square arcsecond";
    QTest::newRow("NGC 253: B - V = -3.17")
        << std::string("NGC0253;G;00:47:33.12;-25:17:17.6;Scl;;;;7.94;11.11;22.42;;;;") << 22.42 << true
        << "22.4 mag per square arcsecond (B band)";
    QTest::newRow("IC 1768: B - V = -0.51")
        << std::string("IC1768;G;02:16:36.73;-25:01:27.4;For;;;;14.29;14.80;23.84;;;;") << 23.84 << true
        << "23.8 mag per square arcsecond (B band)";
    QTest::newRow("B - V = -0.50") << std::string("X;G;00:00:00;+00:00:00;And;;;;14.00;14.50;23.00;;;;") << 23.5
                                   << false << "23.5 mag per square arcsecond";
    QTest::newRow("B - V = 2.00") << std::string("X;G;00:00:00;+00:00:00;And;;;;16.00;14.00;23.00;;;;") << 21.0 << false
                                  << "21.0 mag per square arcsecond";
    QTest::newRow("B - V = 2.01") << std::string("X;G;00:00:00;+00:00:00;And;;;;16.01;14.00;23.00;;;;") << 23.0 << true
                                  << "23.0 mag per square arcsecond (B band)";
    QTest::newRow("no V magnitude") << std::string("X;G;00:00:00;+00:00:00;And;;;;14.78;;23.50;;;;") << 23.5 << true
                                    << "23.5 mag per square arcsecond (B band)";
    QTest::newRow("none") << std::string("NGC7000;HII;20:59:17.14;+44:31:43.6;Cyg;;;;4.00;;;;;;") << -1.0 << false
                          << "";
}

void tst_Catalogue::vSurfaceBrightness()
{
    QFETCH(std::string, row);
    QFETCH(double, value);
    QFETCH(bool, bBand);
    QFETCH(QString, text);
    const std::string table = Headings + row + "\n";
    const Catalogue catalogue = Read(table);
    const std::optional<SurfaceBrightness> brightness = VSurfaceBrightness(catalogue.Objects().front());
    QCOMPARE(brightness.has_value(), value >= 0);
    if (!brightness)
        return;
    QVERIFY(qAbs(brightness->MagnitudesPerSquareArcsecond - value) < 1e-12);
    QCOMPARE(brightness->BBand, bBand);
    QCOMPARE(QString::fromStdString(SurfaceBrightnessText(*brightness)), text);
}

void tst_Catalogue::emissionNebulae_data()
{
    QTest::addColumn<QString>("entry");
    QTest::addColumn<bool>("emission");

    QTest::newRow("HII") << "NGC7000" << true;
    QTest::newRow("EmN") << "NGC1715" << true;
    QTest::newRow("PN") << "NGC6720" << true;
    QTest::newRow("SNR") << "NGC1952" << true;
    QTest::newRow("Cl+N") << "NGC1976" << true;
    QTest::newRow("Neb") << "NGC1499" << true;
    QTest::newRow("RfN") << "NGC1909" << false;
    QTest::newRow("DrkN") << "B033" << false;
    QTest::newRow("G") << "NGC0224" << false;
    QTest::newRow("OCl") << "Mel022" << false;
}

void tst_Catalogue::emissionNebulae()
{
    QFETCH(QString, entry);
    QFETCH(bool, emission);
    const SkyObject* object = TheCatalogue().Find(entry.toStdString());
    QVERIFY(object);
    QCOMPARE(IsEmissionNebula(*object), emission);
}

QTEST_APPLESS_MAIN(tst_Catalogue)

#include "tst_Catalogue.moc"
