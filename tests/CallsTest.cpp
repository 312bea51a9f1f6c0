// SPDX-License-Identifier: GPL-3.0-or-later
// Tests of the Call menu's logic: routes, replies, checked targets, route names, recent names,
// and how a header came as the route name, the reply and the ADIF log each see it.
#include "calls/RecentNames.h"
#include "calls/RouteNames.h"
#include "calls/Routes.h"
#include "calls/Targets.h"
#include "log/Adif.h"
#include "monitor/RadioHeader.h"
#include "monitor/ReceptionMachine.h"

#include <gtest/gtest.h>

inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}

namespace tamsel {

inline void PrintTo(const Route& r, std::ostream* out) {
    *out << '{' << r.your.toStdString() << '|' << r.rpt1.toStdString() << '|'
         << r.rpt2.toStdString() << '|' << (r.repeater ? "repeater" : "simplex") << '}';
}

namespace {

const RouteStart kHome{QStringLiteral("JR1YB  B"), QStringLiteral("JA1ABC  ")};

TEST(CallRoutes, EachItemFromRepeater1) {
    const struct {
        Call call;
        Route expected;
    } cases[] = {
        {Call::GatewayCq, {"CQCQCQ  ", "JR1YB  B", "JR1YB  G", true}},
        {Call::LocalCq, {"CQCQCQ  ", "JR1YB  B", "JR1YB  B", true}},
        {Call::Unlink, {"       U", "JR1YB  B", "JR1YB  G", true}},
        {Call::Info, {"       I", "JR1YB  B", "JR1YB  G", true}},
        {Call::EchoTest, {"       E", "JR1YB  B", "JR1YB  G", true}},
        {Call::Simplex, {"CQCQCQ  ", "DIRECT  ", "DIRECT  ", false}},
    };
    for (const auto& c : cases) {
        const Routing r = route(c.call, kHome);
        ASSERT_TRUE(r.route.has_value()) << int(c.call);
        EXPECT_EQ(*r.route, c.expected) << int(c.call);
    }
    // A six-letter repeater fills the 7 places before its module.
    EXPECT_EQ(viaGateway(QStringLiteral("DL1ABC"), {QStringLiteral("JP1YIU A"), {}}).route,
              (Route{"DL1ABC  ", "JP1YIU A", "JP1YIU G", true}));
}

TEST(CallRoutes, NoRepeaterNoRoute) {
    const struct {
        const char* repeater1;
        const QString& refusal;
    } cases[] = {{"", kNoRepeater},        {"        ", kNoRepeater}, {"DIRECT  ", kNoRepeater},
                 {" direct", kNoRepeater}, {"JR1YBB", kNoModule},     {"JR1YB   ", kNoModule},
                 {"JR1YB  1", kNoModule}};
    for (const auto& c : cases) {
        for (const Call call : {Call::GatewayCq, Call::LocalCq, Call::Unlink, Call::EchoTest}) {
            const Routing r = route(call, {QString::fromLatin1(c.repeater1), {}});
            EXPECT_FALSE(r.route.has_value()) << c.repeater1;
            EXPECT_EQ(r.refusal, c.refusal) << c.repeater1;
        }
    }
    EXPECT_TRUE(route(Call::Simplex, {}).route.has_value()) << "simplex needs no repeater";
}

TEST(CallRoutes, Repeater1InAnySpacingIsThatRepeaterAndModule) {
    const struct {
        const char* typed;
        const char* repeater; // nullptr: no repeater
    } cases[] = {
        {"JR1YB  B", "JR1YB  B"},  {"JR1YB B", "JR1YB  B"},
        {"jr1yb   b", "JR1YB  B"}, {" JR1YB B ", "JR1YB  B"},
        {"JP1YIU A", "JP1YIU A"},  {"DB0ABCD C", "DB0ABCDC"},
        {"DB0ABCDC", "DB0ABCDC"},  {"JR1YB  G", "JR1YB  G"},
        {"JR1YB  BX", "JR1YB  B"}, {"JR1YBB", nullptr},
        {"JR1YB", nullptr},        {"JR1YB   ", nullptr},
        {"JR1YB 1", nullptr},      {"JR1YB BC", nullptr},
        {"JR B", nullptr},         {"", nullptr},
        {"        ", nullptr},     {"DIRECT  ", nullptr},
        {"DIRECT B", nullptr},     {"  JR1YBB", nullptr},
    };
    for (const auto& c : cases) {
        const auto repeater = repeaterOf(QString::fromLatin1(c.typed));
        EXPECT_EQ(repeater.has_value(), c.repeater != nullptr) << '"' << c.typed << '"';
        if (repeater && c.repeater != nullptr) {
            EXPECT_EQ(*repeater, c.repeater) << '"' << c.typed << '"';
        }
    }
    // The calls go through the repeater so read, each field in its 8 places.
    EXPECT_EQ(route(Call::GatewayCq, {QStringLiteral("JR1YB B"), {}}).route,
              (Route{"CQCQCQ  ", "JR1YB  B", "JR1YB  G", true}));
    EXPECT_EQ(route(Call::LocalCq, {QStringLiteral("jp1yiu  a"), {}}).route,
              (Route{"CQCQCQ  ", "JP1YIU A", "JP1YIU A", true}));
}

TEST(CallRoutes, WithoutARepeaterTheLastOneServes) {
    const QString last = QStringLiteral("JR1YB  B");
    const struct {
        const char* repeater1;
        std::optional<Route> gatewayCq;
        const QString& refusal;
    } cases[] = {
        {"DIRECT  ", Route{"CQCQCQ  ", "JR1YB  B", "JR1YB  G", true}, {}},
        {"        ", Route{"CQCQCQ  ", "JR1YB  B", "JR1YB  G", true}, {}},
        // Repeater 1's own repeater comes first; something else typed there is refused.
        {"JP1YIU A", Route{"CQCQCQ  ", "JP1YIU A", "JP1YIU G", true}, {}},
        {"JR1YB", std::nullopt, kNoModule},
    };
    for (const auto& c : cases) {
        const Routing r = route(Call::GatewayCq, {QString::fromLatin1(c.repeater1), {}, last});
        EXPECT_EQ(r.route, c.gatewayCq) << c.repeater1;
        EXPECT_EQ(r.refusal, c.refusal) << c.repeater1;
    }
    EXPECT_EQ(viaGateway(QStringLiteral("DL1ABC"), {QStringLiteral("DIRECT  "), {}, last}).route,
              (Route{"DL1ABC  ", "JR1YB  B", "JR1YB  G", true}));
    EXPECT_EQ(
        route(Call::GatewayCq, {QStringLiteral("DIRECT  "), {}, QStringLiteral("JR1YB")}).refusal,
        kNoRepeater)
        << "a last repeater without its module is none";
}

TEST(CallRoutes, ReplyAnswersTheWayItCame) {
    const struct {
        const char* what;
        ReceivedRoute heard;
        std::optional<Route> expected;
    } cases[] = {
        {"reflector or gateway CQ",
         {"CQCQCQ  ", "JR1YB  G", "JR1YB  B", "DL1ABC  "},
         Route{"CQCQCQ  ", "JR1YB  B", "JR1YB  G", true}},
        {"routed to me",
         {"JA1ABC  ", "JR1YB  G", "JR1YB  B", "DL1ABC  "},
         Route{"DL1ABC  ", "JR1YB  B", "JR1YB  G", true}},
        {"local",
         {"CQCQCQ  ", "JR1YB  B", "JR1YB  B", "JA2XYZ"},
         Route{"JA2XYZ  ", "JR1YB  B", "JR1YB  B", true}},
        {"simplex",
         {"CQCQCQ  ", "DIRECT  ", "DIRECT  ", "ja3xyz  "},
         Route{"JA3XYZ  ", "DIRECT  ", "DIRECT  ", false}},
        {"simplex without repeaters",
         {"CQCQCQ  ", "", "", "JA3XYZ  "},
         Route{"JA3XYZ  ", "DIRECT  ", "DIRECT  ", false}},
        {"a header without a caller", {"CQCQCQ  ", "JR1YB  G", "JR1YB  B", "        "}, {}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(reply(c.heard, kHome).route, c.expected) << c.what;
    }
    EXPECT_EQ(reply(std::nullopt, kHome).refusal, kNobodyHeard);
    EXPECT_EQ(reply(ReceivedRoute{"CQCQCQ  ", "JR1YB  G", "JR1YB  B", "DL1ABC  "},
                    {QStringLiteral("DIRECT  "), {}})
                  .refusal,
              kNoRepeater);
}

// One header, three readers: the Route column, Reply and the ADIF log's PROP_MODE must tell
// the same way it came. The reply is "UR|RPT1|RPT2", the Repeater option on unless DIRECT.
TEST(CallHeaderWay, RouteNameReplyAndPropModeAgree) {
    const struct {
        const char *rpt1, *rpt2, *your;
        std::uint8_t flag1;
        const char *name, *reply, *propMode;
    } cases[] = {
        // A station on the repeater calling through its gateway.
        {"JR1YB  B", "JR1YB  G", "CQCQCQ  ", 0x40, "gateway CQ JR1YB", "CQCQCQ  |JR1YB  B|JR1YB  G",
         "INTERNET"},
        {"JR1YB  B", "JR1YB  G", "JA1ABC  ", 0x40, "call to JA1ABC", "JA2XYZ  |JR1YB  B|JR1YB  G",
         "INTERNET"},
        {"JR1YB  B", "JR1YB  G", "REF030CL", 0x40, "link REF030 C", "JA2XYZ  |JR1YB  B|JR1YB  G",
         "INTERNET"},
        // From the internet, sent out by the repeater.
        {"JR1YB  G", "JR1YB  B", "CQCQCQ  ", 0x40, "via gateway JR1YB",
         "CQCQCQ  |JR1YB  B|JR1YB  G", "INTERNET"},
        {"JR1YB  G", "JR1YB  B", "JA1ABC  ", 0x00, "call to JA1ABC", "JA2XYZ  |JR1YB  B|JR1YB  G",
         "INTERNET"},
        // Relayed by a repeater: the flag, or a hotspot naming itself twice with the flag clear.
        {"JR1YB  B", "JR1YB  B", "CQCQCQ  ", 0x40, "local JR1YB B", "JA2XYZ  |JR1YB  B|JR1YB  B",
         "RPT"},
        {"JR1YB  B", "JR1YB  B", "CQCQCQ  ", 0x00, "local JR1YB B", "JA2XYZ  |JR1YB  B|JR1YB  B",
         "RPT"},
        {"JR1YB  A", "JR1YB  B", "CQCQCQ  ", 0x40, "local JR1YB A", "JA2XYZ  |JR1YB  B|JR1YB  B",
         "RPT"},
        // Straight from the caller's radio.
        {"JR1YB  A", "JR1YB  B", "CQCQCQ  ", 0x00, "simplex", "JA2XYZ  |DIRECT  |DIRECT  ", ""},
        {"JR1YB   ", "JR1YB   ", "CQCQCQ  ", 0x00, "simplex", "JA2XYZ  |DIRECT  |DIRECT  ", ""},
        {"DIRECT  ", "DIRECT  ", "CQCQCQ  ", 0x40, "simplex", "JA2XYZ  |DIRECT  |DIRECT  ", ""},
        {"        ", "", "CQCQCQ  ", 0x40, "simplex", "JA2XYZ  |DIRECT  |DIRECT  ", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.rpt1) + "|" + c.rpt2 + "|" + c.your + " flag " +
                     std::to_string(c.flag1));
        StationReport header;
        header.caller = "JA2XYZ  ";
        header.called = c.your;
        header.rpt1 = c.rpt1;
        header.rpt2 = c.rpt2;
        header.flags = {c.flag1, 0, 0};
        EXPECT_EQ(routeName(receivedRoute(header)), QString::fromLatin1(c.name));

        const QStringList reply = QString::fromLatin1(c.reply).split(QLatin1Char('|'));
        EXPECT_EQ(tamsel::reply(receivedRoute(header), kHome).route,
                  (Route{reply[0], reply[1], reply[2], reply[1] != QLatin1String("DIRECT  ")}));

        const std::string record = adifRecord(contactFromReception(header));
        std::string propMode;
        if (const auto at = record.find("<PROP_MODE:"); at != std::string::npos) {
            const auto from = record.find('>', at) + 1;
            propMode = record.substr(from, record.find('<', from) - from);
        }
        EXPECT_EQ(propMode, c.propMode);
    }
}

TEST(CallTargets, CheckedOrRefused) {
    const struct {
        const char* kind;
        const char* text;
        const char* module;
        const char* value; // nullptr: refused
    } cases[] = {
        {"reflector", "REF030", "C", "REF030 C"},  {"reflector", " ref30 ", "c", "REF030 C"},
        {"reflector", "XLX7", "A", "XLX007 A"},    {"reflector", "DCS006 B", "A", "DCS006 B"},
        {"reflector", "XRF757C", "A", "XRF757 C"}, {"reflector", "XRFABC", "Z", "XRFABC Z"},
        {"reflector", "REF30C", "A", "REF030 C"},  {"reflector", "RF030", "C", nullptr},
        {"reflector", "REF0301", "C", nullptr},    {"reflector", "REF030CL", "C", nullptr},
        {"reflector", "REF-30", "C", nullptr},     {"reflector", "REF030", "1", nullptr},
        {"reflector", "REF030", "", nullptr},      {"reflector", "", "C", nullptr},
        {"callsign", "dl1abc", "", "DL1ABC"},      {"callsign", "DL1ABC/P", "", "DL1ABC/P"},
        {"callsign", "JR1YB  B ", "", "JR1YB  B"}, {"callsign", "DL1ABCDEF", "", nullptr},
        {"callsign", "/JR1YB B", "", nullptr},     {"callsign", "DL1-AB", "", nullptr},
        {"callsign", "AB", "", nullptr},           {"callsign", "", "", nullptr},
        {"repeater", "jr1yb", "b", "/JR1YB B"},    {"repeater", "JP1YIU", "A", "/JP1YIUA"},
        {"repeater", "JP1YIUX", "A", nullptr},     {"repeater", "JR1/YB", "A", nullptr},
        {"repeater", "JR1YB", "BB", nullptr},      {"repeater", "", "A", nullptr},
    };
    for (const auto& c : cases) {
        const QString text = QString::fromLatin1(c.text), module = QString::fromLatin1(c.module);
        const std::string kind = c.kind;
        const Checked got = kind == "reflector"  ? checkReflector(text, module)
                            : kind == "callsign" ? checkCallsign(text)
                                                 : checkRepeaterRoute(text, module);
        SCOPED_TRACE(kind + " \"" + c.text + "\" module \"" + c.module + "\"");
        if (c.value != nullptr) {
            EXPECT_TRUE(got.ok()) << got.error.toStdString();
            EXPECT_EQ(got.value, QString::fromLatin1(c.value));
        } else {
            EXPECT_FALSE(got.ok()) << got.value.toStdString();
            EXPECT_TRUE(got.value.isEmpty());
        }
    }
    EXPECT_EQ(linkCall(QStringLiteral("REF030 C")), "REF030CL");
    for (const QString& name : shippedReflectors()) {
        EXPECT_TRUE(checkReflector(name, QStringLiteral("A")).ok()) << name.toStdString();
    }
}

TEST(CallRouteNames, WhatEachHeaderAskedFor) {
    const struct {
        ReceivedRoute heard;
        const char* name;
    } cases[] = {
        {{"REF030CL", "JR1YB  B", "JR1YB  G", ""}, "link REF030 C"},
        {{"XLX307AL", "JR1YB  B", "JR1YB  G", ""}, "link XLX307 A"},
        {{"       U", "JR1YB  B", "JR1YB  G", ""}, "unlink"},
        {{"       E", "JR1YB  B", "JR1YB  G", ""}, "echo"},
        {{"       I", "JR1YB  B", "JR1YB  G", ""}, "info"},
        {{"/JR1YB B", "JP1YIU A", "JP1YIU G", ""}, "routed to JR1YB B"},
        {{"/JP1YIUA", "JR1YB  B", "JR1YB  G", ""}, "routed to JP1YIU A"},
        {{"DL1ABC  ", "JR1YB  B", "JR1YB  G", ""}, "call to DL1ABC"},
        {{"DL1ABC", "JR1YB  G", "JR1YB  B", ""}, "call to DL1ABC"},
        {{"CQCQCQ  ", "JR1YB  G", "JR1YB  B", ""}, "via gateway JR1YB"},
        {{"CQCQCQ  ", "JR1YB  B", "JR1YB  B", ""}, "local JR1YB B"},
        {{"CQCQCQ  ", "JR1YB  B", "JR1YB  G", ""}, "gateway CQ JR1YB"},
        {{"CQCQCQ  ", "DIRECT  ", "DIRECT  ", ""}, "simplex"},
        {{"CQCQCQ  ", "", "", ""}, "simplex"},
        {{"        ", "JR1YB  B", "JR1YB  B", ""}, "local JR1YB B"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(routeName(c.heard), QString::fromLatin1(c.name)) << c.name;
    }
}

TEST(CallRouteNames, ReadFromTheReceivedHeader) {
    std::vector<std::uint8_t> h(kHeaderSize, ' ');
    h[0] = h[1] = h[2] = 0;
    const std::string rpt2 = "JR1YB  B", rpt1 = "JR1YB  G", your = "CQCQCQ  ", my = "DL1ABC  ";
    std::copy(rpt2.begin(), rpt2.end(), h.begin() + kRpt2Offset);
    std::copy(rpt1.begin(), rpt1.end(), h.begin() + kRpt1Offset);
    std::copy(your.begin(), your.end(), h.begin() + kYourOffset);
    std::copy(my.begin(), my.end(), h.begin() + kMyOffset);
    ReceptionMachine machine([] { return std::string("2026/12/08 10:00:00"); });
    std::vector<ReceptionUpdate> updates;
    std::vector<StationReport> reports;
    ASSERT_EQ(machine.next().request, Request::GetRxHeader);
    machine.feed(static_cast<int>(h.size()), h, updates, reports);
    ASSERT_EQ(reports.size(), 1u);
    const ReceivedRoute heard = receivedRoute(reports.front());
    EXPECT_EQ(heard.rpt1, "JR1YB  G");
    EXPECT_EQ(heard.rpt2, "JR1YB  B");
    EXPECT_EQ(heard.caller, "DL1ABC  ");
    EXPECT_EQ(routeName(heard), "via gateway JR1YB");
}

TEST(CallRecentNames, NewestFirstEachOnceAtMostTen) {
    RecentNames recent;
    recent.setNames({"REF030 C", "", "XRF757 A", "REF030 C", "DCS006 B"});
    EXPECT_EQ(recent.names(), (QStringList{"REF030 C", "XRF757 A", "DCS006 B"}));
    EXPECT_TRUE(recent.use("DCS006 B"));
    EXPECT_EQ(recent.names(), (QStringList{"DCS006 B", "REF030 C", "XRF757 A"}));
    EXPECT_FALSE(recent.use("DCS006 B")) << "already first";
    EXPECT_FALSE(recent.use(" "));
    for (int i = 0; i < 12; ++i) {
        recent.use(QStringLiteral("REF%1 A").arg(i, 3, 10, QLatin1Char('0')));
    }
    ASSERT_EQ(recent.names().size(), RecentNames::kLimit);
    EXPECT_EQ(recent.names().first(), "REF011 A");
    EXPECT_EQ(recent.names().last(), "REF002 A");
    QStringList many;
    for (int i = 0; i < 15; ++i) {
        many << QStringLiteral("XLX%1 B").arg(i, 3, 10, QLatin1Char('0'));
    }
    recent.setNames(many);
    EXPECT_EQ(recent.names(), many.mid(0, RecentNames::kLimit));
}

} // namespace
} // namespace tamsel
