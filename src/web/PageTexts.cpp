// SPDX-License-Identifier: GPL-3.0-or-later
// PageTexts: every text the station's web page shows, by its English source; the page looks
// each up in /api/texts.
#include "PageTexts.h"

#include <QtGlobal>

namespace tamsel {

namespace {

const char* const kPageTexts[] = {
    QT_TRANSLATE_NOOP("Web", "Tamsel Console"),
    QT_TRANSLATE_NOOP("Web", "Skip to content"),
    QT_TRANSLATE_NOOP("Web", "Sections"),
    QT_TRANSLATE_NOOP("Web", "Now"),
    QT_TRANSLATE_NOOP("Web", "Heard Stations"),
    QT_TRANSLATE_NOOP("Web", "Map"),
    //: The section with the calls to make (not a callsign)
    QT_TRANSLATE_NOOP("Web", "Call"),
    QT_TRANSLATE_NOOP("Web", "Adapter"),
    QT_TRANSLATE_NOOP("Web", "Language"),
    QT_TRANSLATE_NOOP("Web", "Sign in"),
    QT_TRANSLATE_NOOP("Web", "Sign out"),
    QT_TRANSLATE_NOOP("Web", "Password"),
    //: On the sign-in button while wrong passwords lock it; %1: seconds
    QT_TRANSLATE_NOOP("Web", "Try again in %1 s"),
    QT_TRANSLATE_NOOP("Web", "Connection lost: reconnecting..."),
    QT_TRANSLATE_NOOP("Web", "The station does not answer."),
    //: An intent was carried out and the station had nothing more to say
    QT_TRANSLATE_NOOP("Web", "Done."),
    // Now
    QT_TRANSLATE_NOOP("Web", "Nothing received yet."),
    //: A reception is under way
    QT_TRANSLATE_NOOP("Web", "Receiving"),
    QT_TRANSLATE_NOOP("Web", "Last reception"),
    //: Said once per reception: %1 the caller with its suffix ("JA1XYZ /ID51"), %2 the called
    //: station
    QT_TRANSLATE_NOOP("Web", "%1 calling %2"),
    //: The station heard
    QT_TRANSLATE_NOOP("Web", "Caller"),
    //: The station that was called
    QT_TRANSLATE_NOOP("Web", "Called"),
    QT_TRANSLATE_NOOP("Web", "Message"),
    //: Which way the call came (gateway, repeater, simplex)
    QT_TRANSLATE_NOOP("Web", "Route"),
    QT_TRANSLATE_NOOP("Web", "Time"),
    QT_TRANSLATE_NOOP("Web", "Distance"),
    QT_TRANSLATE_NOOP("Web", "Bearing"),
    // Heard Stations
    QT_TRANSLATE_NOOP("Web", "Choose a station to reply to it."),
    QT_TRANSLATE_NOOP("Web", "No station heard yet."),
    QT_TRANSLATE_NOOP("Web", "Reply"),
    //: %1: a callsign
    QT_TRANSLATE_NOOP("Web", "Reply to %1"),
    // Map
    // One text over two lines:
    // NOLINTNEXTLINE(bugprone-suspicious-missing-comma)
    QT_TRANSLATE_NOOP("Web", "Arrow keys move the map, plus and minus zoom; Tab reaches the "
                             "markers."),
    QT_TRANSLATE_NOOP("Web", "Zoom in"),
    QT_TRANSLATE_NOOP("Web", "Zoom out"),
    //: The operator's own station on the map
    QT_TRANSLATE_NOOP("Web", "Your station"),
    //: A repeater's marker on the map; %1: its callsign and name
    QT_TRANSLATE_NOOP("Web", "Repeater %1"),
    // Call
    QT_TRANSLATE_NOOP("Web", "Gateway CQ"),
    QT_TRANSLATE_NOOP("Web", "Local CQ"),
    QT_TRANSLATE_NOOP("Web", "Link Reflector"),
    QT_TRANSLATE_NOOP("Web", "Unlink"),
    QT_TRANSLATE_NOOP("Web", "Info"),
    QT_TRANSLATE_NOOP("Web", "Echo Test"),
    QT_TRANSLATE_NOOP("Web", "Reply to Last Caller"),
    QT_TRANSLATE_NOOP("Web", "Simplex"),
    QT_TRANSLATE_NOOP("Web", "Use Nearest Repeater"),
    QT_TRANSLATE_NOOP("Web", "Reflector"),
    QT_TRANSLATE_NOOP("Web", "Module"),
    //: The button that links to the reflector
    QT_TRANSLATE_NOOP("Web", "Link"),
    QT_TRANSLATE_NOOP("Web", "Cancel"),
    QT_TRANSLATE_NOOP("Web", "Repeater directory"),
    QT_TRANSLATE_NOOP("Web", "Name, callsign or area"),
    QT_TRANSLATE_NOOP("Web", "Search"),
    //: %1: how many repeaters the search found
    QT_TRANSLATE_NOOP("Web", "Repeaters found: %1"),
    QT_TRANSLATE_NOOP("Web", "Use as My Repeater"),
    // Adapter
    QT_TRANSLATE_NOOP("Web", "Station Call"),
    QT_TRANSLATE_NOOP("Web", "Repeater 1"),
    QT_TRANSLATE_NOOP("Web", "Repeater 2"),
    QT_TRANSLATE_NOOP("Web", "My Call"),
    QT_TRANSLATE_NOOP("Web", "My Call suffix"),
    QT_TRANSLATE_NOOP("Web", "Send Message"),
    //: The header's flags: Repeater, Break, EMR
    QT_TRANSLATE_NOOP("Web", "Flags"),
    //: The header's flag
    QT_TRANSLATE_NOOP("Web", "Repeater"),
    QT_TRANSLATE_NOOP("Web", "Break"),
    QT_TRANSLATE_NOOP("Web", "EMR"),
    //: Above the values the adapter holds now
    QT_TRANSLATE_NOOP("Web", "The adapter now holds"),
    //: A flag is set
    QT_TRANSLATE_NOOP("Web", "On"),
    //: A flag is not set
    QT_TRANSLATE_NOOP("Web", "Off"),
};

} // namespace

std::span<const char* const> pageTexts() {
    return kPageTexts;
}

} // namespace tamsel
