#pragma once

#include <QDate>
#include <QSet>
#include <QSqlQuery>

class QSqlDatabase;

namespace tavrel {

// Answers whether a date is in the holidays register (FERIADOS).
class HolidayLookup {
public:
    virtual ~HolidayLookup() = default;
    virtual bool isHoliday(const QDate& date) const = 0;
};

// Looks each date up in FERIADOS of the main database: one exact-date query on the indexed
// DT_FERIADO ('YYYY-MM-DD'), prepared once. The connection must outlive the lookup.
class DatabaseHolidays final : public HolidayLookup {
public:
    explicit DatabaseHolidays(const QSqlDatabase& db);
    bool isHoliday(const QDate& date) const override;

private:
    mutable QSqlQuery query_;
};

// A fixed set of dates held in memory (tests, the demo data).
class MemoryHolidays final : public HolidayLookup {
public:
    MemoryHolidays() = default;
    explicit MemoryHolidays(const QList<QDate>& dates);
    void add(const QDate& date) { dates_.insert(date); }
    bool isHoliday(const QDate& date) const override { return dates_.contains(date); }

private:
    QSet<QDate> dates_;
};

// Moves a deposit date off holidays and weekends. Four tests, each run once and in this order:
// a holiday moves one day; then a Sunday one day; then a Saturday two days; then a holiday one
// day. Nothing is repeated, so a Friday holiday lands on Monday (Tuesday when that Monday is a
// holiday too) and the first of three weekday holidays in a row lands on the third.
// An invalid date is returned as it is.
QDate AjustaVencimento(QDate date, const HolidayLookup& holidays);

}  // namespace tavrel
