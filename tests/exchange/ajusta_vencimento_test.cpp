#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "core/ptbr.h"
#include "exchange/feriados.h"
#include "support/fixture.h"

namespace tavrel {
namespace {

// December 2026: the 4th is a Friday, the 8th a Tuesday.
QDate dec(int day) {
    return QDate(2026, 12, day);
}

struct ShiftCase {
    std::string name;
    QDate deposit;
    std::vector<QDate> holidays;
    QDate expected;
};

class AjustaVencimentoTest : public test::AppFixture,
                             public ::testing::WithParamInterface<ShiftCase> {};

// Each case runs against the holidays held in memory and against the FERIADOS table.
TEST_P(AjustaVencimentoTest, MovesOffHolidaysAndWeekends) {
    const ShiftCase& c = GetParam();
    MemoryHolidays memory;
    for (const QDate& holiday : c.holidays) {
        memory.add(holiday);
        exec(QStringLiteral("INSERT INTO FERIADOS (DT_FERIADO) VALUES (?)"),
             {storageDate(holiday)});
    }
    EXPECT_EQ(AjustaVencimento(c.deposit, memory), c.expected) << "memory";

    Connection connection = connect();
    const DatabaseHolidays table(connection.db());
    EXPECT_EQ(AjustaVencimento(c.deposit, table), c.expected) << "table";
}

INSTANTIATE_TEST_SUITE_P(
    Exchange, AjustaVencimentoTest,
    ::testing::Values(
        ShiftCase{"weekday_stays", dec(8), {}, dec(8)},
        ShiftCase{"saturday_to_monday", dec(5), {}, dec(7)},
        ShiftCase{"sunday_to_monday", dec(6), {}, dec(7)},
        ShiftCase{"weekday_holiday_to_next_day", dec(8), {dec(8)}, dec(9)},
        ShiftCase{"friday_holiday_to_monday", dec(4), {dec(4)}, dec(7)},
        ShiftCase{"friday_and_monday_holidays_to_tuesday", dec(4), {dec(4), dec(7)}, dec(8)},
        // The first of three holidays in a row moves to the second, then once more to the third,
        // and stays there: no test runs twice.
        ShiftCase{
            "three_weekday_holidays_stop_on_the_third", dec(8), {dec(8), dec(9), dec(10)}, dec(10)},
        ShiftCase{"saturday_with_monday_holiday_to_tuesday", dec(5), {dec(7)}, dec(8)},
        ShiftCase{"sunday_holiday_to_monday", dec(6), {dec(6)}, dec(7)},
        // Thursday and Friday holidays: Thursday moves to Friday, Friday's holiday moves it to
        // the Saturday and the weekend tests have already run.
        ShiftCase{"thursday_and_friday_holidays_end_on_saturday", dec(3), {dec(3), dec(4)}, dec(5)},
        ShiftCase{
            "holiday_elsewhere_changes_nothing", dec(8), {dec(9), QDate(2025, 12, 8)}, dec(8)}),
    [](const auto& testInfo) { return testInfo.param.name; });

// Records the dates asked, answering from a fixed set.
class RecordingHolidays final : public HolidayLookup {
public:
    explicit RecordingHolidays(std::vector<QDate> holidays) : holidays_(std::move(holidays)) {}
    bool isHoliday(const QDate& date) const override {
        asked.push_back(date);
        return std::find(holidays_.begin(), holidays_.end(), date) != holidays_.end();
    }
    mutable std::vector<QDate> asked;

private:
    std::vector<QDate> holidays_;
};

TEST(AjustaVencimento, LooksHolidaysUpTwiceFirstAndLast) {
    RecordingHolidays holidays({dec(4), dec(7)});
    EXPECT_EQ(AjustaVencimento(dec(4), holidays), dec(8));
    // Step 1 asks about the Friday, step 4 about the Monday the weekend tests gave.
    EXPECT_EQ(holidays.asked, (std::vector<QDate>{dec(4), dec(7)}));
}

TEST(AjustaVencimento, InvalidDateIsLeftAlone) {
    RecordingHolidays holidays({});
    EXPECT_FALSE(AjustaVencimento(QDate(), holidays).isValid());
    EXPECT_TRUE(holidays.asked.empty());
}

}  // namespace
}  // namespace tavrel
