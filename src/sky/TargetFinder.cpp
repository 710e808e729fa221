#include "sky/TargetFinder.h"

#include "sky/Showpieces.h"

#include <algorithm>
#include <array>
#include <numeric>
#include <tuple>
#include <utility>

namespace {

// The tiers of designations, in the order they are offered.
enum DesignationTier : std::uint8_t { MessierTier, NgcTier, IcTier, OtherTier };
// The tiers of common names.
enum NameTier : std::uint8_t { NameStartTier, LaterWordTier };

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

char Upper(char c)
{
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

char Lower(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

//! A designation as the index holds it: upper case, without blanks, and without the leading
//! zeros of its numbers, so that "NGC 0224", "ngc224" and "NGC224" are one, as are the
//! catalogue's zero-padded "PGC 002557" and the typed "PGC 2557". A number's decimals keep
//! theirs ("SDSS J100000.82+052009.5").
void AppendDesignationKey(std::string& key, std::string_view text)
{
    const std::size_t start = key.size();
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == ' ' || c == '\t')
            continue;
        const bool startsNumber = c == '0' && (key.size() == start || (!IsDigit(key.back()) && key.back() != '.'));
        if (startsNumber && i + 1 < text.size() && IsDigit(text[i + 1]))
            continue; // a leading zero, with a digit after it
        key += Upper(c);
    }
}

std::string DesignationKey(std::string_view text)
{
    std::string key;
    key.reserve(text.size());
    AppendDesignationKey(key, text);
    return key;
}

//! The names people give catalogues in full, and the catalogue's own letters for them.
struct CatalogueName
{
    std::string_view Full;
    std::string_view Letters;
};
constexpr std::array<CatalogueName, 7> CatalogueNames{{
    {"MESSIER", "M"},
    {"CALDWELL", "C"},
    {"BARNARD", "B"},
    {"MELOTTE", "MEL"},
    {"COLLINDER", "CL"},
    {"HICKSON", "HCG"},
    {"SHARPLESS", "SH"},
}};

//! A typed designation as the index holds it, a catalogue's name in full read as its letters:
//! "Messier 31" as "M31", "Caldwell 34" as "C34".
std::string TypedDesignationKey(std::string_view text)
{
    std::string key = DesignationKey(text);
    for (const CatalogueName& name : CatalogueNames)
        if (key.starts_with(name.Full) && key.size() > name.Full.size() && IsDigit(key[name.Full.size()]))
            return std::string(name.Letters).append(key, name.Full.size());
    return key;
}

//! A common name as the index holds it: lower case, its words parted by one blank,
//! apostrophes left out ("Stephan's Quintet" and "stephans quintet" are one) and other marks
//! read as blanks ("Bow-Tie nebula" as "bow tie nebula").
std::string NameKey(std::string_view text)
{
    std::string key;
    key.reserve(text.size());
    bool blank = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\'')
            continue;
        if (text.substr(i).starts_with("\u2019")) { // the typographic apostrophe
            i += 2;
            continue;
        }
        const bool letter
            = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || IsDigit(c) || static_cast<unsigned char>(c) >= 0x80;
        if (!letter) {
            blank = !key.empty();
            continue;
        }
        if (std::exchange(blank, false))
            key += ' ';
        key += Lower(c);
    }
    return key;
}

//! Whether a typed key may start designations: a catalogue's letters and a digit, so that a
//! word alone ("N", "veil") starts no designations but only names.
bool StartsDesignations(std::string_view key)
{
    return std::any_of(key.begin(), key.end(), IsDigit)
        && std::any_of(key.begin(), key.end(), [](char c) { return c >= 'A' && c <= 'Z'; });
}

DesignationTier TierOf(std::string_view key)
{
    std::size_t letters = 0;
    while (letters < key.size() && !IsDigit(key[letters]))
        ++letters;
    const std::string_view catalogue = key.substr(0, letters);
    if (letters == key.size())
        return OtherTier;
    return catalogue == "M" ? MessierTier : catalogue == "NGC" ? NgcTier : catalogue == "IC" ? IcTier : OtherTier;
}

//! A designation's letters, the number after them, and what follows it.
struct DesignationParts
{
    std::string_view Letters;
    std::string_view Number; //!< its digits, without leading zeros
    std::string_view Rest;

    explicit DesignationParts(std::string_view key)
    {
        std::size_t letters = 0;
        while (letters < key.size() && !IsDigit(key[letters]))
            ++letters;
        std::size_t digits = letters;
        while (digits < key.size() && IsDigit(key[digits]))
            ++digits;
        Letters = key.substr(0, letters);
        Number = key.substr(letters, digits - letters);
        Rest = key.substr(digits);
    }
};

//! Designations in number order: by their letters, then by the number after them (without
//! leading zeros, the shorter is the smaller), then by what follows it.
bool InNumberOrder(const DesignationParts& x, const DesignationParts& y)
{
    if (x.Letters != y.Letters)
        return x.Letters < y.Letters;
    if (x.Number.size() != y.Number.size())
        return x.Number.size() < y.Number.size();
    return x.Number != y.Number ? x.Number < y.Number : x.Rest < y.Rest;
}

std::string_view Trimmed(std::string_view text)
{
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t'))
        text.remove_suffix(1);
    return text;
}

} // namespace

SkyTarget TargetOf(const SkyObject& object)
{
    return {&object, {object.RightAscension(), object.Declination()}, ListText(object), SuggestionText(object)};
}

const Showpiece* ShowpieceOf(const std::optional<SkyTarget>& target)
{
    if (!target || !target->Object)
        return nullptr;
    for (const Showpiece& showpiece : Showpieces())
        if (showpiece.Entry == target->Object->Entry())
            return &showpiece;
    return nullptr;
}

TargetFinder::Key TargetFinder::Add(std::size_t offset, std::uint8_t tier, bool duplicate, std::size_t object)
{
    Key key;
    key.Offset = static_cast<std::uint32_t>(offset);
    key.Length = static_cast<std::uint16_t>(std::min<std::size_t>(m_texts.size() - offset, UINT16_MAX));
    key.Tier = tier;
    key.Duplicate = duplicate;
    key.Object = static_cast<std::uint32_t>(object);
    return key;
}

void TargetFinder::Sort(std::vector<Key>& keys) const
{
    // Nearly all keys differ within their first sixteen characters: sorted by those as two
    // numbers, big end first, held beside the key, the sort seldom reads the texts.
    struct Headed
    {
        std::uint64_t High;
        std::uint64_t Low;
        Key Held;
    };
    std::vector<Headed> headed;
    headed.reserve(keys.size());
    for (const Key& key : keys) {
        const std::string_view text = Text(key);
        const auto word = [text](std::size_t from) {
            std::uint64_t bytes = 0;
            for (std::size_t c = from; c < from + 8; ++c)
                bytes = bytes << 8 | (c < text.size() ? static_cast<unsigned char>(text[c]) : 0u);
            return bytes;
        };
        headed.push_back({word(0), word(8), key});
    }
    std::sort(headed.begin(), headed.end(), [this](const Headed& a, const Headed& b) {
        if (a.High != b.High || a.Low != b.Low)
            return std::pair(a.High, a.Low) < std::pair(b.High, b.Low);
        return Text(a.Held) < Text(b.Held);
    });
    for (std::size_t i = 0; i < keys.size(); ++i)
        keys[i] = headed[i].Held;
}

TargetFinder::TargetFinder(const Catalogue& catalogue) : m_catalogue(catalogue)
{
    const std::vector<SkyObject>& objects = catalogue.Objects();
    // Room for every key at once, counted from above, so that nothing grows twice its size.
    std::size_t keys = 0;
    std::size_t bytes = 0;
    const auto count = [&](std::string_view entry, const std::vector<std::string_view>& identifiers,
                           const std::vector<std::string_view>& names) {
        keys += 2 + identifiers.size(); // its entry, perhaps its Messier number, its identifiers
        bytes += entry.size() + 4;
        for (const std::string_view identifier : identifiers)
            bytes += identifier.size();
        for (const std::string_view name : names)
            bytes += name.size();
    };
    for (const SkyObject& object : objects)
        count(object.Entry(), object.Identifiers(), object.CommonNames());
    for (const Catalogue::Duplicate& duplicate : catalogue.Duplicates())
        count(duplicate.Entry, SkyObject::Split(duplicate.Identifiers), {});
    for (const std::string_view entry : catalogue.NonExistent())
        bytes += entry.size();
    m_designations.reserve(keys);
    m_texts.reserve(bytes);

    const auto designation = [this](std::string_view text, bool duplicate, std::size_t object) {
        const std::size_t offset = m_texts.size();
        AppendDesignationKey(m_texts, text);
        m_designations.push_back(Add(offset, TierOf(std::string_view(m_texts).substr(offset)), duplicate, object));
    };
    std::vector<Key> entryKeys; // each object's entry, for the order of ties below
    entryKeys.reserve(objects.size());
    for (std::size_t i = 0; i < objects.size(); ++i) {
        const SkyObject& object = objects[i];
        designation(object.Entry(), false, i);
        entryKeys.push_back(m_designations.back());
        if (object.Messier() && TierOf(Text(entryKeys.back())) != MessierTier) // not M040 again
            designation(MessierDesignation(*object.Messier()), false, i);
        for (const std::string_view identifier : object.Identifiers())
            designation(identifier, false, i);
        for (const std::string_view name : object.CommonNames()) {
            const std::size_t offset = m_texts.size();
            const std::string key = NameKey(name);
            m_texts += key;
            const Key whole = Add(offset, NameStartTier, false, i);
            m_names.push_back(whole);
            for (std::size_t at = key.find(' '); at != std::string::npos; at = key.find(' ', at + 1)) {
                Key word = whole; // the same text from a later word on
                word.Offset += static_cast<std::uint32_t>(at + 1);
                word.Length = static_cast<std::uint16_t>(word.Length - at - 1);
                word.Tier = LaterWordTier;
                m_names.push_back(word);
            }
        }
    }
    for (const Catalogue::Duplicate& duplicate : catalogue.Duplicates()) {
        designation(duplicate.Entry, true, duplicate.Object);
        for (const std::string_view identifier : SkyObject::Split(duplicate.Identifiers))
            designation(identifier, true, duplicate.Object);
    }
    for (std::size_t i = 0; i < catalogue.NonExistent().size(); ++i) {
        const std::size_t offset = m_texts.size();
        AppendDesignationKey(m_texts, catalogue.NonExistent()[i]);
        m_nonExistent.push_back(Add(offset, OtherTier, false, i));
    }
    for (std::vector<Key>* list : {&m_designations, &m_names, &m_nonExistent})
        Sort(*list);

    // Ties are broken by Messier number, then NGC, then IC number, then the rest by name.
    struct Order
    {
        int Messier;
        DesignationTier Tier;
        DesignationParts Parts;
    };
    std::vector<Order> orders;
    orders.reserve(objects.size());
    for (std::size_t i = 0; i < objects.size(); ++i) {
        const std::string_view key = Text(entryKeys[i]);
        const DesignationTier tier = TierOf(key);
        orders.push_back(
            {objects[i].Messier().value_or(1000), tier == MessierTier ? OtherTier : tier, DesignationParts(key)});
    }
    std::vector<std::uint32_t> order(objects.size());
    std::iota(order.begin(), order.end(), 0);
    std::sort(order.begin(), order.end(), [&orders](std::uint32_t a, std::uint32_t b) {
        const Order& x = orders[a];
        const Order& y = orders[b];
        if (x.Messier != y.Messier || x.Tier != y.Tier)
            return std::tie(x.Messier, x.Tier) < std::tie(y.Messier, y.Tier);
        return InNumberOrder(x.Parts, y.Parts);
    });
    m_rank.resize(objects.size());
    for (std::uint32_t place = 0; place < order.size(); ++place)
        m_rank[order[place]] = place;
}

namespace {

//! The key that the designations a typed key starts begin with: "PGC 00" on the way to
//! "PGC 002557" starts every PGC number, so its last zero is left off.
std::string_view StartKey(std::string_view key)
{
    if (key.ends_with('0') && (key.size() < 2 || (!IsDigit(key[key.size() - 2]) && key[key.size() - 2] != '.')))
        key.remove_suffix(1);
    return key;
}

} // namespace

std::vector<const TargetFinder::Key*> TargetFinder::Matches(const std::vector<Key>& keys, std::string_view text,
                                                            bool whole) const
{
    std::vector<const Key*> matches;
    auto at = std::lower_bound(keys.begin(), keys.end(), text,
                               [this](const Key& key, std::string_view t) { return Text(key) < t; });
    for (; at != keys.end() && Text(*at).starts_with(text); ++at) {
        if (whole && at->Length != text.size())
            break;
        matches.push_back(&*at);
    }
    return matches;
}

TargetSearch TargetFinder::Find(std::string_view typed) const
{
    TargetSearch search;
    const std::string_view text = Trimmed(typed);
    if (text.empty())
        return search;

    const SkyPositionReading position = ReadSkyPosition(text);
    if (position.Coordinates) {
        if (position.Point) {
            const std::string listText = SkyPositionText(*position.Point);
            search.Suggestions.push_back({nullptr, *position.Point, listText, listText});
        }
        search.Refusal = position.Refusal;
        return search;
    }

    const std::vector<SkyObject>& objects = m_catalogue.Objects();
    const std::string key = TypedDesignationKey(text);
    const std::vector<const Key*> exact = Matches(m_designations, key, true);

    if (const SkyObject* own = OwnText(text)) {
        search.Suggestions.push_back(TargetOf(*own));
        return search;
    }

    std::vector<char> seen(objects.size(), 0);
    std::vector<std::uint32_t> found;
    // Takes the objects of one tier, best first, while there is room. Only the first few are
    // wanted of the thousands a short text may start ("PGC 1"), so they are picked fifty at a
    // time rather than all sorted.
    const auto take = [&](auto& items, auto better, auto object) {
        for (std::size_t i = 0, sorted = 0; i < items.size() && found.size() < MaxSuggestions; ++i) {
            if (i == sorted) {
                sorted = std::min(items.size(), i + MaxSuggestions);
                std::partial_sort(items.begin() + static_cast<std::ptrdiff_t>(i),
                                  items.begin() + static_cast<std::ptrdiff_t>(sorted), items.end(), better);
            }
            const std::uint32_t place = object(items[i]);
            if (!std::exchange(seen[place], char(1)))
                found.push_back(place);
        }
    };
    const auto objectOf = [](const Key* key) { return key->Object; };

    std::vector<const Key*> exactly = exact;
    take(
        exactly, [this](const Key* a, const Key* b) { return m_rank[a->Object] < m_rank[b->Object]; }, objectOf);
    if (StartsDesignations(key)) {
        const std::string_view start = StartKey(key);
        using Started = std::pair<DesignationParts, const Key*>;
        std::vector<Started> started;
        for (const Key* match : Matches(m_designations, start, false))
            if (!match->Duplicate)
                started.emplace_back(DesignationParts(Text(*match)), match);
        std::vector<Started> tier;
        for (const std::uint8_t designationTier : {MessierTier, NgcTier, IcTier, OtherTier}) {
            tier.clear();
            for (const Started& match : started)
                if (match.second->Tier == designationTier)
                    tier.push_back(match);
            take(
                tier, [](const Started& a, const Started& b) { return InNumberOrder(a.first, b.first); },
                [](const Started& match) { return match.second->Object; });
        }
    }
    const std::string name = NameKey(text);
    if (!name.empty()) {
        std::vector<const Key*> names = Matches(m_names, name, false);
        // Whole names first, then names from their start, then from a later word.
        const auto place
            = [&name](const Key* key) { return key->Tier == NameStartTier ? (key->Length == name.size() ? 0 : 1) : 2; };
        take(
            names,
            [&](const Key* a, const Key* b) {
                return std::pair(place(a), m_rank[a->Object]) < std::pair(place(b), m_rank[b->Object]);
            },
            objectOf);
    }

    for (const std::uint32_t object : found)
        search.Suggestions.push_back(TargetOf(objects[object]));
    if (exact.empty())
        if (const std::vector<const Key*> none = Matches(m_nonExistent, key, true); !none.empty())
            search.Refusal = Designation(m_catalogue.NonExistent()[none.front()->Object])
                + ": the catalogue lists no object there.";
    if (search.Suggestions.empty() && search.Refusal.empty())
        search.Refusal = "No object of the catalogue is called \"" + std::string(text) + "\".";
    return search;
}

const SkyObject* TargetFinder::OwnText(std::string_view text) const
{
    // The designation before the comma or bracket, or a showpiece's name, and then the whole text.
    if (text.find_first_of(",(") == std::string_view::npos)
        return nullptr;
    std::vector<const SkyObject*> candidates;
    for (const Key* match : Matches(m_designations, TypedDesignationKey(text.substr(0, text.find_first_of(",("))), true))
        candidates.push_back(&m_catalogue.Objects()[match->Object]);
    for (const Showpiece& showpiece : Showpieces())
        if (text.starts_with(showpiece.Name))
            candidates.push_back(m_catalogue.Find(showpiece.Entry));
    for (const SkyObject* candidate : candidates)
        if (candidate && (ListText(*candidate) == text || SuggestionText(*candidate) == text))
            return candidate;
    return nullptr;
}

std::vector<char> TargetFinder::Matching(std::string_view typed) const
{
    const std::string_view text = Trimmed(typed);
    std::vector<char> found(m_catalogue.Objects().size(), char(text.empty()));
    if (text.empty() || ReadSkyPosition(text).Coordinates)
        return found;
    if (const SkyObject* own = OwnText(text)) {
        found[static_cast<std::size_t>(own - m_catalogue.Objects().data())] = 1;
        return found;
    }
    const std::string key = TypedDesignationKey(text);
    for (const Key* match : Matches(m_designations, key, true))
        found[match->Object] = 1;
    if (StartsDesignations(key)) {
        for (const Key* match : Matches(m_designations, StartKey(key), false))
            if (!match->Duplicate)
                found[match->Object] = 1;
    }
    if (const std::string name = NameKey(text); !name.empty())
        for (const Key* match : Matches(m_names, name, false))
            found[match->Object] = 1;
    return found;
}

std::size_t TargetFinder::IndexBytes() const
{
    return sizeof(*this) + m_texts.capacity()
        + (m_designations.capacity() + m_names.capacity() + m_nonExistent.capacity()) * sizeof(Key)
        + m_rank.capacity() * sizeof(std::uint32_t);
}

const TargetFinder& TheTargetFinder()
{
    static const TargetFinder finder(TheCatalogue());
    return finder;
}

TargetSearch FindTargets(std::string_view typed)
{
    return TheTargetFinder().Find(typed);
}
