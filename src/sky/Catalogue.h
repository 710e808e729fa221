#pragma once

// The deep-sky catalogue: every entry of OpenNGC (sky/data/Catalogue.csv), built into the
// program and read the first time it is asked for. Texts are UTF-8.

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

//! An object of the catalogue, as the catalogue gives it. Its texts are views of the table it
//! was read from. Kept small, as the catalogue holds thirteen thousand of them: a value the
//! catalogue does not give is held as a NaN and handed out as none.
class SkyObject
{
public:
    //! The catalogue's name of it: "NGC7000", "IC0434", "B033" (see Designation).
    std::string_view Entry() const { return m_entry; }
    //! OpenNGC's type code: "G", "HII", "OCl", "Cl+N", "*Ass"... (see KindText).
    std::string_view Type() const;
    double RightAscension() const { return m_rightAscension; } //!< ICRS (J2000), hours
    double Declination() const { return m_declination; } //!< ICRS (J2000), degrees
    //! "Cyg"; Serpens is "Se1" (Caput) or "Se2" (Cauda).
    std::string_view Constellation() const { return {m_constellation, sizeof m_constellation}; }
    std::optional<double> MajorArcmin() const { return Given(m_major); }
    //! Never above the major axis; none where the catalogue gives a major axis only.
    std::optional<double> MinorArcmin() const { return Given(m_minor); }
    //! Of the major axis, degrees from north through east, 0 to 180.
    std::optional<double> PositionAngle() const { return Given(m_angle); }
    std::optional<double> BMagnitude() const { return Given(m_b); }
    std::optional<double> VMagnitude() const { return Given(m_v); }
    //! Mean surface brightness within the 25 mag per square arcsecond isophote, B band,
    //! magnitudes per square arcsecond (see VSurfaceBrightness).
    std::optional<double> SurfaceBrightness() const { return Given(m_surface); }
    std::optional<int> Messier() const { return m_messier ? std::optional<int>(m_messier) : std::nullopt; }

    //! Its common names, the best known first: "Veil Nebula", "Filamentary Nebula", "Western Veil".
    std::vector<std::string_view> CommonNames() const { return Split(m_commonNames); }
    //! Its names in other catalogues as the catalogue writes them: "PGC 002557", "UGC 00454",
    //! "C 034" (Caldwell), "LBN 191".
    std::vector<std::string_view> Identifiers() const { return Split(m_identifiers); }

    //! A comma-separated list's items without the blanks around them, empty ones left out.
    static std::vector<std::string_view> Split(std::string_view list);

private:
    friend class Catalogue;
    static std::optional<double> Given(double value)
    {
        return std::isnan(value) ? std::nullopt : std::optional<double>(value);
    }

    std::string_view m_entry;
    std::string_view m_commonNames;
    std::string_view m_identifiers;
    double m_rightAscension = 0;
    double m_declination = 0;
    double m_major = 0;
    double m_minor = 0;
    double m_angle = 0;
    double m_b = 0;
    double m_v = 0;
    double m_surface = 0;
    unsigned char m_messier = 0; //!< 0 for none
    unsigned char m_type = 0; //!< its place in the program's table of types
    char m_constellation[3] = {};
};

//! The catalogue: its objects, and the entries that are none of their own.
class Catalogue
{
public:
    //! A second entry of an object listed elsewhere, and the object its names lead to.
    struct Duplicate
    {
        std::string_view Entry; //!< "IC0011", "M102"
        std::string_view Identifiers; //!< comma-separated, as SkyObject::Identifiers
        std::size_t Object = 0; //!< in Objects()
    };

    //! Reads the catalogue's table, given in parts that each hold whole lines (the build cuts
    //! the built-in table so): lines of fifteen fields separated by semicolons, as the header
    //! of sky/data/Catalogue.csv describes them, the first line after the comments their
    //! headings; lines starting with "#" are comments. The parts must outlive the catalogue.
    //! A malformed line, a value out of its range, a name given twice, or a duplicate leading
    //! nowhere is a fault of the program's data and throws std::invalid_argument naming the
    //! line.
    explicit Catalogue(std::span<const std::string_view> table);

    //! Every object, in the catalogue's order (IC, then NGC, then the addendum).
    const std::vector<SkyObject>& Objects() const { return m_objects; }
    const std::vector<Duplicate>& Duplicates() const { return m_duplicates; }
    //! The entries the catalogue lists with no object behind them: "NGC0412".
    const std::vector<std::string_view>& NonExistent() const { return m_nonExistent; }
    //! Its rows: objects, duplicates and non-existent entries.
    std::size_t Rows() const { return m_objects.size() + m_duplicates.size() + m_nonExistent.size(); }

    //! The object an entry names exactly ("NGC0224"; a duplicate's leads to its object), or
    //! none for a non-existent entry or a name the catalogue does not hold.
    const SkyObject* Find(std::string_view entry) const;
    //! Whether the catalogue lists the entry as non-existent.
    bool IsNonExistent(std::string_view entry) const;

private:
    //! A row's name. Rows are counted objects first, then duplicates, then non-existent entries.
    std::string_view EntryOf(std::uint32_t row) const;
    std::optional<std::uint32_t> FindRow(std::string_view entry) const;
    static SkyObject ReadObject(std::span<const std::string_view> fields, std::string_view line);

    std::vector<SkyObject> m_objects;
    std::vector<Duplicate> m_duplicates;
    std::vector<std::string_view> m_nonExistent;
    std::vector<std::uint32_t> m_names; //!< every row, in the order of their names
};

//! The program's catalogue, read from its built-in table the first time it is asked for, so
//! that nothing of it is read at start-up.
const Catalogue& TheCatalogue();

//! An entry written as people write it: a blank after the catalogue's letters and no leading
//! zeros, "NGC0224" as "NGC 224", "B033" as "B 33", "IC1008 NED01" as "IC 1008 NED01".
std::string Designation(std::string_view entry);

//! A Messier number as the program writes it: "M31".
std::string MessierDesignation(int number);

//! The object in a list of targets: a showpiece's own text ("M31, Andromeda Galaxy"); else its
//! Messier number or its designation, and its first common name where it has one:
//! "M16, Eagle Nebula", "NGC 7000, North America Nebula", "HCG 92, Stephan's Quintet",
//! "NGC 2541".
std::string ListText(const SkyObject& object);

//! The kind of object a type code stands for, in plain words: "HII" and "EmN" are
//! "emission nebula", "OCl" "open cluster", "GPair" "pair of galaxies".
std::string_view KindText(std::string_view type);

//! The constellation's abbreviation as people write it: "Cyg"; Serpens's two halves are "Ser".
std::string_view ConstellationText(const SkyObject& object);

//! The list text with the kind and the constellation:
//! "NGC 7000, North America Nebula (emission nebula, Cyg)". Serpens's two halves are "Ser".
std::string SuggestionText(const SkyObject& object);

//! Whether the object shines mostly in emission lines, hydrogen-alpha among them, which an
//! unmodified camera's infrared-cut filter largely stops: H II regions, emission nebulae,
//! planetary nebulae, supernova remnants, clusters with nebulae, and the catalogue's plain
//! nebulae (the Lagoon and the Eagle are among them).
bool IsEmissionNebula(const SkyObject& object);

//! A mean surface brightness and the band it is in.
struct SurfaceBrightness
{
    double MagnitudesPerSquareArcsecond = 0;
    bool BBand = false; //!< whether it stayed in the B band: no colour to carry it into V
};

//! The object's mean surface brightness in the V band: the catalogue's B-band figure less its
//! colour B − V, where it gives both magnitudes and B − V lies from −0.5 to 2.0 (M 31:
//! 23.63 − (4.29 − 3.44) = 22.78). Outside that range the two magnitudes come from different
//! measurements (NGC 253 would have B − V = −3.17), so the B-band figure stands, marked so.
//! None where the catalogue gives no surface brightness.
std::optional<SurfaceBrightness> VSurfaceBrightness(const SkyObject& object);

//! "22.8 mag per square arcsecond", or "22.4 mag per square arcsecond (B band)".
std::string SurfaceBrightnessText(const SurfaceBrightness& brightness);
