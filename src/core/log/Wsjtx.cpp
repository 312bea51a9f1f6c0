// SPDX-License-Identifier: GPL-3.0-or-later
// Wsjtx: a logged contact announced the way WSJT-X announces one ("QSO Logged", "Logged ADIF"),
// and the messages that keep the console known to the server (Heartbeat, Status, Close).
#include "log/Wsjtx.h"

#include <QDataStream>
#include <QDateTime>
#include <QIODevice>
#include <cmath>

namespace tamsel {

namespace {

// Schema 2 is QDataStream's Qt 5.2 encoding; text goes as UTF-8 byte arrays.
class Message {
public:
    explicit Message(quint32 type) : out_(&bytes_, QIODevice::WriteOnly) {
        out_.setVersion(QDataStream::Qt_5_2);
        out_ << kWsjtxMagic << kWsjtxSchema << type;
        text(kWsjtxClientId);
    }
    Message& text(std::string_view utf8) {
        // Empty, never null: a null array would go out as length 0xFFFFFFFF.
        out_ << (utf8.empty() ? QByteArray("")
                              : QByteArray(utf8.data(), static_cast<qsizetype>(utf8.size())));
        return *this;
    }
    Message& time(UtcTime t) {
        const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(t.time_since_epoch());
        out_ << QDateTime::fromMSecsSinceEpoch(ms.count(), Qt::UTC);
        return *this;
    }
    // The width is the field's: quint8, quint32 or quint64.
    template <typename N> Message& number(N n) {
        out_ << n;
        return *this;
    }
    Message& flag(bool b) {
        out_ << b;
        return *this;
    }
    QByteArray bytes() const { return bytes_; }

private:
    QByteArray bytes_;
    QDataStream out_;
};

std::string_view propagationName(Propagation p) {
    switch (p) {
    case Propagation::Internet:
        return "INTERNET";
    case Propagation::Repeater:
        return "RPT";
    case Propagation::Direct:
        break;
    }
    return {};
}

quint64 hertz(const Contact& c) {
    return c.frequencyMHz ? static_cast<quint64>(std::llround(*c.frequencyMHz * 1e6)) : 0;
}

// The field value WSJT-X uses for "does not apply".
constexpr quint32 kNotApplicable = 0xFFFFFFFF;

} // namespace

QByteArray wsjtxHeartbeat(std::string_view version) {
    Message m(kWsjtxHeartbeat);
    m.number(kWsjtxSchema).text(version).text({}); // highest schema, version, revision
    return m.bytes();
}

QByteArray wsjtxStatus(const Contact& c) {
    Message m(kWsjtxStatus);
    m.number(hertz(c)).text("DSTAR").text(c.call).text(c.rstSent).text("DSTAR");
    m.flag(false).flag(false).flag(false);   // Tx enabled, transmitting, decoding
    m.number(quint32{0}).number(quint32{0}); // Rx and Tx audio offsets
    m.text(c.stationCallsign).text(c.myGridsquare).text(c.gridsquare);
    m.flag(false).text({}).flag(false).number(quint8{0}); // watchdog, sub-mode, fast, special
    m.number(kNotApplicable).number(kNotApplicable);      // frequency tolerance, T/R period
    m.text({}).text({});                                  // configuration, Tx message
    return m.bytes();
}

QByteArray wsjtxClose() {
    return Message(kWsjtxClose).bytes();
}

QByteArray wsjtxQsoLogged(const Contact& c) {
    Message m(kWsjtxQsoLogged);
    // ADIF's mode: a logger that records this message alone (without "Logged ADIF") keeps
    // it as it stands, and DSTAR is only a submode there.
    m.time(c.off).text(c.call).text(c.gridsquare).number(hertz(c)).text("DIGITALVOICE");
    m.text(c.rstSent).text(c.rstReceived).text({}).text(c.comment).text(c.name);
    m.time(c.on).text(c.stationCallsign).text(c.stationCallsign).text(c.myGridsquare);
    m.text({}).text({}).text(propagationName(c.propagation)); // exchanges, propagation
    return m.bytes();
}

QByteArray wsjtxLoggedAdif(const Contact& c, UtcTime now, std::string_view version) {
    Message m(kWsjtxLoggedAdif);
    m.text(adifHeader(now, version) + adifRecord(c));
    return m.bytes();
}

} // namespace tamsel
