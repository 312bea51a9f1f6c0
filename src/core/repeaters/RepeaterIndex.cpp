// SPDX-License-Identifier: GPL-3.0-or-later
// RepeaterIndex: the repeater directory's index file, written and read back whole.
#include "repeaters/RepeaterIndex.h"

#include "base/LittleEndian.h"

#include <cstring>

namespace tamsel {

namespace {

// The index: this header, the lists it was made from, the files that are no list, then the
// repeaters. Anything that does not read back whole makes the index be rebuilt.
constexpr std::string_view kMagic("TMSLRPTR", 8);
constexpr std::uint32_t kVersion = 2;
constexpr std::size_t kHead = kMagic.size() + sizeof(std::uint32_t) + sizeof(std::uint64_t);

// The least bytes each entry takes: a list (an empty name, size, time, count), a file that is
// no list (the same without the count), a repeater (flags, duplex, UTC offset, four numbers
// and four empty texts).
constexpr std::size_t kListBytes = 4 + 8 + 8 + 4;
constexpr std::size_t kNotListBytes = 4 + 8 + 8;
constexpr std::size_t kRepeaterBytes = 1 + 1 + 2 + 4 * 8 + 4 * 4;

enum Flags : std::uint8_t { kDv = 1, kPosition = 2, kApproximate = 4, kUtc = 8 };

// Eight bytes at a time: the index is read at every start.
std::uint64_t checksum(std::string_view data) {
    std::uint64_t h = 0xcbf29ce484222325ULL;
    std::size_t i = 0;
    for (; i + 8 <= data.size(); i += 8) {
        std::uint64_t w;
        std::memcpy(&w, data.data() + i, 8);
        h = (h ^ w) * 0x100000001b3ULL;
        h ^= h >> 29;
    }
    for (; i < data.size(); ++i) {
        h = (h ^ static_cast<unsigned char>(data[i])) * 0x100000001b3ULL;
    }
    return h;
}

void putFile(LittleEndianWriter& w, const KeptList& l) {
    w.text(l.name);
    w.put(l.size);
    w.put(l.modified);
}

KeptList getFile(LittleEndianReader& in) {
    KeptList l;
    l.name = in.text();
    l.size = in.get<std::uint64_t>();
    l.modified = in.get<std::int64_t>();
    return l;
}

} // namespace

std::string writeRepeaterIndex(const std::vector<KeptList>& lists,
                               const std::vector<KeptList>& notLists,
                               const std::vector<Repeater>& repeaters) {
    LittleEndianWriter w;
    w.put(static_cast<std::uint32_t>(lists.size()));
    for (const KeptList& l : lists) {
        putFile(w, l);
        w.put(l.repeaters);
    }
    w.put(static_cast<std::uint32_t>(notLists.size()));
    for (const KeptList& l : notLists) {
        putFile(w, l);
    }
    for (const Repeater& r : repeaters) {
        const std::uint8_t flags = (r.dv ? kDv : 0) | (r.position ? kPosition : 0) |
                                   (r.approximate ? kApproximate : 0) |
                                   (r.utcOffsetMinutes ? kUtc : 0);
        w.put(flags);
        w.put(r.duplex);
        w.put(static_cast<std::int16_t>(r.utcOffsetMinutes.value_or(0)));
        w.put(r.frequencyMHz);
        w.put(r.offsetMHz);
        w.put(r.position ? r.position->latitude : 0.0);
        w.put(r.position ? r.position->longitude : 0.0);
        w.text(r.name);
        w.text(r.area);
        w.text(r.callsign);
        w.text(r.gateway);
    }
    LittleEndianWriter head;
    head.out.append(kMagic);
    head.put(kVersion);
    head.put(checksum(w.out));
    return head.out + w.out;
}

std::optional<RepeaterIndex> readRepeaterIndex(std::string_view file) {
    LittleEndianReader head(file.substr(0, kHead));
    head.expect(kMagic);
    const auto version = head.u32();
    const auto sum = head.get<std::uint64_t>();
    const std::string_view body = file.substr(std::min(kHead, file.size()));
    if (head.failed() || version != kVersion || sum != checksum(body)) {
        return std::nullopt;
    }
    return readRepeaterIndexBody(body);
}

std::optional<RepeaterIndex> readRepeaterIndexBody(std::string_view body) {
    // A checksum guards against damage, not against a file made to look whole: every count
    // is checked against the bytes left before anything is made for it.
    LittleEndianReader in(body);
    RepeaterIndex index;
    const std::uint32_t listCount = in.u32();
    if (!in.fits(listCount, kListBytes)) {
        return std::nullopt;
    }
    index.lists.resize(listCount);
    std::uint64_t total = 0;
    for (KeptList& l : index.lists) {
        l = getFile(in);
        l.repeaters = in.u32();
        total += l.repeaters;
    }
    const std::uint32_t notListCount = in.u32();
    if (!in.fits(notListCount, kNotListBytes)) {
        return std::nullopt;
    }
    index.notLists.resize(notListCount);
    for (KeptList& l : index.notLists) {
        l = getFile(in);
    }
    if (!in.fits(total, kRepeaterBytes)) {
        return std::nullopt;
    }
    index.repeaters.resize(total);
    std::uint32_t list = 0;
    std::uint32_t left = index.lists.empty() ? 0 : index.lists[0].repeaters;
    for (Repeater& r : index.repeaters) {
        while (left == 0) {
            left = index.lists[++list].repeaters;
        }
        --left;
        const auto flags = in.u8();
        r.duplex = in.get<char>();
        const auto utc = in.get<std::int16_t>();
        r.frequencyMHz = in.get<double>();
        r.offsetMHz = in.get<double>();
        const auto lat = in.get<double>();
        const auto lon = in.get<double>();
        r.name = in.text();
        r.area = in.text();
        r.callsign = in.text();
        r.gateway = in.text();
        if (in.failed()) {
            return std::nullopt;
        }
        r.list = list;
        r.dv = (flags & kDv) != 0;
        r.approximate = (flags & kApproximate) != 0;
        if ((flags & kPosition) != 0) {
            if (!isValidPosition({lat, lon})) {
                return std::nullopt; // no list gives such a position
            }
            r.position = LatLon{lat, lon};
        }
        if ((flags & kUtc) != 0) {
            r.utcOffsetMinutes = utc;
        }
    }
    if (!in.done()) {
        return std::nullopt;
    }
    return index;
}

} // namespace tamsel
