#pragma once

// Finding a target as the user types: the catalogue's objects by any of their names, or a
// point typed as coordinates. Texts are UTF-8.

#include "sky/Catalogue.h"
#include "sky/Showpieces.h"
#include "sky/SkyPosition.h"

#include <cstddef>
#include <optional>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

//! A target the user may pick: an object of the catalogue, or a point of the sky.
struct SkyTarget
{
    const SkyObject* Object = nullptr; //!< none for a point typed as coordinates
    SkyPoint Position; //!< the object's, or the point's
    std::string ListText; //!< "M31, Andromeda Galaxy"; "RA 05h 35m 17s, Dec −05° 23′ 28″"
    //! "M31, Andromeda Galaxy (galaxy, And)"; a point's is its list text.
    std::string SuggestionText;
};

//! A target made of an object.
SkyTarget TargetOf(const SkyObject& object);

//! The showpiece a target is, or none (the Moon and Jupiter, a point, any other object): the
//! showpieces keep their own sizes, places and list texts. Reads the showpieces.
const Showpiece* ShowpieceOf(const std::optional<SkyTarget>& target);

//! What a text finds.
struct TargetSearch
{
    std::vector<SkyTarget> Suggestions; //!< best first, at most MaxSuggestions
    //! A sentence for the user where the text names nothing: `NGC 412: the catalogue lists no
    //! object there.`, `No object of the catalogue is called "xyz".`, or a refusal of
    //! coordinates. Empty otherwise. The entry the catalogue marks non-existent may still be
    //! the start of others', which then follow as suggestions (NGC 4120 and on).
    std::string Refusal;
};

//! Finds targets in a catalogue, through an index of every name of its objects built once.
class TargetFinder
{
public:
    static constexpr std::size_t MaxSuggestions = 50;

    //! Indexes the catalogue, which must outlive the finder.
    explicit TargetFinder(const Catalogue& catalogue);

    //! The targets a typed text finds, case, blanks and leading zeros of numbers aside:
    //! - coordinates (see ReadSkyPosition) make one point, or a refusal;
    //! - designations: the catalogue's entries ("NGC 7000", "ngc7000", "IC0434", "B 33",
    //!   "Mel 22"), Messier numbers ("M 31", "Messier 31"), and every identifier ("C 34" or
    //!   "Caldwell 34", "UGC 454", "PGC 2557", "LBN 191"); a duplicate's lead to its object;
    //! - common names, from their start or from any word of them ("north america", "veil").
    //! Ranked: an exact designation first, then the Messier numbers, the NGC and then the IC
    //! numbers that start so, in number order, then the other catalogues' designations that
    //! start so, in number order, then the common names: whole, from their start, from a later
    //! word. A target's own list or suggestion text finds it alone.
    TargetSearch Find(std::string_view typed) const;

    //! Which objects a typed text finds, as Find finds them but all of them and unranked: one
    //! flag per object of the catalogue, in its order. Coordinates find none; an empty text
    //! finds every object.
    std::vector<char> Matching(std::string_view typed) const;

    //! The bytes the index holds, for measuring.
    std::size_t IndexBytes() const;

private:
    //! A name of an object as the index holds it, its text in m_texts.
    struct Key
    {
        std::uint32_t Offset = 0;
        std::uint16_t Length = 0;
        std::uint8_t Tier = 0; //!< designations: Messier, NGC, IC, others; names: whole, later word
        bool Duplicate = false; //!< a duplicate's name, found only as a whole
        std::uint32_t Object = 0;
    };

    std::string_view Text(const Key& key) const { return {m_texts.data() + key.Offset, key.Length}; }
    //! The key whose text runs from `offset` to the end of m_texts.
    Key Add(std::size_t offset, std::uint8_t tier, bool duplicate, std::size_t object);
    //! Sorts keys by their texts.
    void Sort(std::vector<Key>& keys) const;
    std::vector<const Key*> Matches(const std::vector<Key>& keys, std::string_view text, bool whole) const;
    //! The object whose own list or suggestion text `text` is ("M31, Andromeda Galaxy"), or none.
    const SkyObject* OwnText(std::string_view text) const;

    const Catalogue& m_catalogue;
    std::string m_texts; //!< every key's text, one after another
    std::vector<Key> m_designations; //!< sorted by text
    std::vector<Key> m_names; //!< every common name from each of its words on, sorted by text
    std::vector<Key> m_nonExistent; //!< sorted by text; Object is the place in NonExistent()
    std::vector<std::uint32_t> m_rank; //!< each object's place in the order ties are broken in
};

//! The program's finder over TheCatalogue(), its index built the first time it is asked for.
const TargetFinder& TheTargetFinder();

//! TheTargetFinder().Find(typed).
TargetSearch FindTargets(std::string_view typed);
