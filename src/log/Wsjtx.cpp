// SPDX-License-Identifier: GPL-3.0-or-later
// Wsjtx: a logged contact announced the way WSJT-X announces one ("QSO Logged", "Logged ADIF").
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
    Message& number(quint64 n) {
        out_ << n;
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

} // namespace

QByteArray wsjtxQsoLogged(const Contact& c) {
    const quint64 hz =
        c.frequencyMHz ? static_cast<quint64>(std::llround(*c.frequencyMHz * 1e6)) : 0;
    Message m(kWsjtxQsoLogged);
    m.time(c.off).text(c.call).text(c.gridsquare).number(hz).text("DSTAR");
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
