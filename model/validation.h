#pragma once
// The field rules that refuse implausible values: what a rule decides for one value, with the texts
// the user is shown. The handlers of PassportRules gather the partner values and apply the verdict.
#include <optional>

namespace tarvena::validation {

inline constexpr char Caption[] = "Неверное значение!";

inline constexpr char NotAboveZero[] = "Значение должно быть больше нуля.";
inline constexpr char AboveOne[] = "Значение не может быть больше единицы.";
inline constexpr char ZeroIsohypse[] = "Значение не должно быть равно нулю.";
inline constexpr char ShortAboveLong[] =
    "Значение для \"Короткой оси\" не может быть больше, чем для \"Длинной оси\".";
inline constexpr char MaxBelowMin[] = "Максимальное значение должно быть больше минимального.";
inline constexpr char MaxEqualsMin[] = "Максимальное значение не должно быть совпадать с минимальным.";
inline constexpr char MinAboveMax[] = "Минимальное значение должно быть меньше максимального.";
inline constexpr char MinEqualsMax[] = "Минимальное значение не должно быть совпадать с максимальным.";

// What a rule does with the value being assigned.
struct Verdict
{
    bool clear = false;            // empty the field
    const char *message = nullptr; // shown when not null
    bool operator==(const Verdict &other) const;
};

enum class AxisRole
{
    None,
    Long,
    Short
};
enum class PairRole
{
    None,
    Max,
    Min
};

// A float value under ValidateFloatFieldGrt0 (atMostOne false) or ValidateFloatFieldGrt0Lower1 (true).
struct FloatCheck
{
    double value = 0;
    bool atMostOne = false;
    AxisRole axis = AxisRole::None;
    std::optional<double> axisPartner; // the other axis of the same record
    PairRole pair = PairRole::None;
    std::optional<double> pairPartner; // the MIN or MAX partner of the same record
    bool loading = false;              // a passport is being opened: no messages, odd pairs kept
};

Verdict checkFloat(const FloatCheck &check);
// ValidateIntFieldGrt0.
Verdict checkPositiveInteger(long long value, bool loading);
// The isohypse mark must not be 0.
Verdict checkIsohypse(double value, bool loading);

// The years of the passport record; the one being validated holds its new value.
struct Years
{
    std::optional<int> showingUp, start, end, report, fund;
};
enum class YearKind
{
    Start,
    End,
    Report,
    Fund
};

// A year rule. A year outside 1930..currentYear is emptied without a message; then the first failing
// comparison with the other years empties it with its message.
Verdict checkYear(YearKind kind, const Years &years, int currentYear);
bool isPlausibleYear(int year, int currentYear);

// The year of the computer's local date, or the one a test has set.
int currentYear();
void setCurrentYear(std::optional<int> year);

} // namespace tarvena::validation
