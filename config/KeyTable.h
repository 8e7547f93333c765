#pragma once

// The keys an object reads from the lines of its section. A line belongs to
// the first key whose name it begins with: a table's keys are tried in order,
// then those of the table it chains to, its base class's. Each key says how
// long its value must be and how the value is applied; whatever a chain does
// not take is reported by Settle, the one place for it.

#include "config/Dialect.h"
#include "config/Values.h"

#include <concepts>
#include <cstddef>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

namespace config {

// How a line is read: the dialect of the reports, whether anything is
// reported at all, and the caption of the tables that have none of their own.
struct KeyReading {
    Dialect const& dialect;
    bool report = true;
    std::u16string_view caption = {};
};

// What became of a line, and the caption a report of it carries.
struct KeyVerdict {
    enum Kind { Taken, BadValue, UnknownKey, Ignored };
    Kind kind = UnknownKey;
    std::u16string_view caption = {};
};

// Reports a line that was not taken, when the reading reports; true when it was taken.
bool Settle(KeyVerdict verdict, std::u16string_view line, KeyReading const& reading);

// The value a key is given: from the first unit after the first '=' and the
// blanks behind it to the end of the line, when at least `minimum` units
// remain; none otherwise. A key with a minimum of 0 reads no value: it is
// given an empty one, with or without an '='.
std::optional<std::u16string_view> KeyValue(std::u16string_view line, size_t minimum);

template<typename Object>
struct Key {
    std::u16string_view name;
    // False refuses the value: the line is then a bad value.
    bool (*apply)(Object& object, std::u16string_view value);
    size_t minimumValue = kMinimumValue;
    // A missing or refused value leaves the line untaken, without a report.
    bool quiet = false;
};

template<typename Object>
struct KeyTable;

// The way from a table to another one whose object is a base of its own.
template<typename Object>
class KeyLink {
public:
    constexpr KeyLink() = default;
    template<typename Base>
        requires std::derived_from<Object, Base>
    constexpr KeyLink(KeyTable<Base> const& table)
        : table_(&table)
        , match_(&MatchIn<Base>)
        , names_(&NamesOf<Base>)
    {
    }

    explicit operator bool() const { return table_ != nullptr; }
    KeyVerdict Match(Object& object, std::u16string_view line) const { return match_(table_, object, line); }
    void AppendNames(std::vector<std::u16string_view>& names) const { names_(table_, names); }

private:
    // The table is handed back to the very type it was linked as.
    template<typename Base>
    static KeyVerdict MatchIn(void const* table, Object& object, std::u16string_view line)
    {
        return static_cast<KeyTable<Base> const*>(table)->Match(object, line);
    }
    template<typename Base>
    static void NamesOf(void const* table, std::vector<std::u16string_view>& names)
    {
        static_cast<KeyTable<Base> const*>(table)->AppendNames(names);
    }

    void const* table_ = nullptr;
    KeyVerdict (*match_)(void const*, Object&, std::u16string_view) = nullptr;
    void (*names_)(void const*, std::vector<std::u16string_view>&) = nullptr;
};

template<typename Object>
struct KeyTable {
    // Bad values of this table's keys are reported under it; a table without
    // one reports under the caption of the table or the reading that reads it.
    std::u16string_view caption;
    // Tried before the table's own keys.
    KeyLink<Object> first = {};
    std::span<Key<Object> const> keys;
    // Tried after them.
    KeyLink<Object> base = {};
    // At the end of a chain, the caption of an unknown key; none: `caption`.
    std::u16string_view unknownCaption = {};

    // Decides the line without reporting anything.
    KeyVerdict Match(Object& object, std::u16string_view line) const;
    bool Read(Object& object, std::u16string_view line, KeyReading const& reading) const
    {
        return Settle(Match(object, line), line, reading);
    }
    // The names of the keys in the order a line is tried against them.
    std::vector<std::u16string_view> Names() const
    {
        std::vector<std::u16string_view> names;
        AppendNames(names);
        return names;
    }
    void AppendNames(std::vector<std::u16string_view>& names) const;

private:
    KeyVerdict MatchOwn(Object& object, std::u16string_view line) const;
};

template<typename Object>
KeyVerdict KeyTable<Object>::Match(Object& object, std::u16string_view line) const
{
    KeyVerdict verdict = first ? first.Match(object, line) : KeyVerdict {};
    if (verdict.kind == KeyVerdict::UnknownKey)
        verdict = MatchOwn(object, line);
    if (verdict.kind == KeyVerdict::UnknownKey)
        verdict = base ? base.Match(object, line) : KeyVerdict { KeyVerdict::UnknownKey, unknownCaption };
    if (verdict.caption.empty())
        verdict.caption = caption;
    return verdict;
}

template<typename Object>
KeyVerdict KeyTable<Object>::MatchOwn(Object& object, std::u16string_view line) const
{
    for (Key<Object> const& key : keys) {
        if (!line.starts_with(key.name))
            continue;
        std::optional<std::u16string_view> value = KeyValue(line, key.minimumValue);
        if (value && key.apply(object, *value))
            return { KeyVerdict::Taken };
        return { key.quiet ? KeyVerdict::Ignored : KeyVerdict::BadValue };
    }
    return {};
}

template<typename Object>
void KeyTable<Object>::AppendNames(std::vector<std::u16string_view>& names) const
{
    if (first)
        first.AppendNames(names);
    for (Key<Object> const& key : keys)
        names.push_back(key.name);
    if (base)
        base.AppendNames(names);
}

}
