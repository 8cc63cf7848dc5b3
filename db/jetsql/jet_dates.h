// Jet's date serial: a double counting days since 1899-12-30, the fraction
// being the time of day. Before the base day the integer part still names the
// day and the fraction, taken as its absolute value, the time (-1.25 is
// 1899-12-29 06:00). Dates carry no time zone: they are wall-clock values,
// never converted through one (only Now() reads the local clock).
//
// Promises:
//  - Conversions round to whole milliseconds; a time that rounds up to
//    midnight moves to the next day.
//  - ParseDateText() accepts the forms Jet reads in #...# literals and in text
//    converted to a date: yyyy-mm-dd, yyyy/mm/dd, m/d/yyyy (US order), each
//    with an optional time hh:nn[:ss] [AM|PM], or a time alone.
#pragma once

#include <QDate>
#include <QString>
#include <QStringView>
#include <cstdint>
#include <optional>

namespace mt::engine {

// A date serial split into its calendar day and the milliseconds of that day.
struct CivilTime {
  QDate date;
  int msecs = 0;  // 0 .. 86,399,999
};

constexpr int64_t kMsPerDay = 86'400'000;

const QDate& JetBaseDate();  // 1899-12-30

CivilTime SerialToCivil(double serial);
double CivilToSerial(const QDate& date, int msecs);

// Milliseconds since the base day at midnight, running forward in time (unlike
// the serial, whose fraction runs backwards before the base day).
int64_t SerialToLinearMs(double serial);
double LinearMsToSerial(int64_t ms);

std::optional<double> ParseDateText(QStringView text);

// The clock service's local time as a serial, in whole seconds as Jet's
// Now() gives it.
double NowSerial();

}  // namespace mt::engine
