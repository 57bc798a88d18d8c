#include "plotmath/ticks.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <initializer_list>
#include <limits>
#include <string_view>

namespace {

constexpr int kMostDigits = 21;  // enough to tell any two long doubles apart

// The smallest of 1, 2 and 5 times a power of ten not below `rough` (> 0),
// allowing for the rounding in `rough` itself.
long double RoundStep(long double rough) {
    constexpr long double kSlack = 1 - 1e-12L;
    const long double power = std::pow(10.0L, std::floor(std::log10(rough)));
    for (const long double multiple : {1.0L, 2.0L, 5.0L}) {
        if (multiple * power >= rough * kSlack) {
            return multiple * power;
        }
    }
    return 10 * power;
}

// The gap between neighbouring doubles near the largest magnitude of the
// range: ticks closer than that would draw at one place.
long double UnitInLastPlace(long double low, long double high) {
    constexpr long double kLargest = std::numeric_limits<double>::max();
    const double largest =
        static_cast<double>(std::min(std::max(std::fabs(low), std::fabs(high)), kLargest));
    const double below = std::nextafter(largest, 0.0);
    return largest == 0 ? std::numeric_limits<double>::denorm_min()
                        : static_cast<long double>(largest) - below;
}

// The next smaller round step: 5 -> 2 -> 1 -> 0.5 times the power.
long double SmallerStep(long double step) {
    const long double power = std::pow(10.0L, std::floor(std::log10(step)));
    const long double multiple = std::round(step / power);
    return multiple >= 5 ? 2 * power : multiple >= 2 ? power : power / 2;
}

// The multiples of `step` within [low, high].
std::vector<long double> Multiples(long double low, long double high, long double step) {
    std::vector<long double> values;
    for (long double k = std::ceil(low / step); k * step <= high; ++k) {
        values.push_back(k * step == 0 ? 0.0L : k * step);
    }
    return values;
}

// Round values within [low, high], at least two, at most about `maxTicks`,
// and no two at one double.
std::vector<long double> RoundValues(long double low, long double high, int maxTicks) {
    const long double finest = UnitInLastPlace(low, high);
    if (!(high > low) || !std::isfinite(high - low) || !std::isfinite(finest)) {
        return {};
    }
    long double step = RoundStep(std::max((high - low) / std::max(maxTicks - 1, 1), finest));
    std::vector<long double> values = Multiples(low, high, step);
    while (values.size() < 2 && SmallerStep(step) >= finest) {
        step = SmallerStep(step);
        values = Multiples(low, high, step);
    }
    if (values.size() < 2) {
        return {low, high};  // a few units in the last place: no round values between
    }
    return values;
}

// Digits a label needs before the step's last digit.
int SignificantDigits(const std::vector<long double>& values, long double step) {
    long double largest = 0;
    for (long double value : values) {
        largest = std::max(largest, std::fabs(value));
    }
    if (largest == 0) {
        return 1;
    }
    const int digits =
        static_cast<int>(std::floor(std::log10(largest)) - std::floor(std::log10(step))) + 1;
    return std::clamp(digits, 1, kMostDigits);
}

// The labels of `values` with the fewest digits, from `digits` up, that tell
// neighbours apart.
std::vector<std::string> DistinctLabels(const std::vector<long double>& values, int digits) {
    std::vector<std::string> labels;
    for (; digits <= kMostDigits; ++digits) {
        labels.clear();
        for (long double value : values) {
            labels.push_back(CompactNumber(value, digits));
        }
        if (std::adjacent_find(labels.begin(), labels.end()) == labels.end()) {
            break;
        }
    }
    return labels;
}

std::vector<Tick> Ticks(const std::vector<long double>& positions,
                        const std::vector<std::string>& labels) {
    std::vector<Tick> ticks;
    for (size_t i = 0; i < positions.size(); ++i) {
        ticks.push_back({static_cast<double>(positions[i]), labels[i]});
    }
    return ticks;
}

// m times ten to the `power`: "0.002", "500", "1e-5", "2e300".
std::string DecadeLabel(int multiple, int power) {
    constexpr int kFixedPowers = 3;
    if (std::abs(power) <= kFixedPowers) {
        return CompactNumber(multiple * std::pow(10.0L, power), 1 + std::max(power, 0));
    }
    return std::to_string(multiple) + "e" + std::to_string(power);
}

// Ticks at m times powers of ten within the decades, for each m of `multiples`.
std::vector<Tick> MultiplesOfPowers(AxisRange decades, std::initializer_list<int> multiples) {
    std::vector<Tick> ticks;
    for (int power = static_cast<int>(std::floor(decades.low)); power <= decades.high; ++power) {
        for (int multiple : multiples) {
            const long double position = power + std::log10(static_cast<long double>(multiple));
            if (position >= decades.low && position <= decades.high) {
                ticks.push_back({static_cast<double>(position), DecadeLabel(multiple, power)});
            }
        }
    }
    return ticks;
}

// Drops the trailing zeros of a mantissa "1.2500" -> "1.25", "2.0" -> "2".
std::string WithoutTrailingZeros(std::string digits) {
    if (digits.find('.') == std::string::npos) {
        return digits;
    }
    digits.erase(digits.find_last_not_of('0') + 1);
    if (digits.back() == '.') {
        digits.pop_back();
    }
    return digits;
}

}  // namespace

std::string CompactNumber(long double value, int significant) {
    if (value == 0) {
        return "0";
    }
    significant = std::clamp(significant, 1, kMostDigits);
    char buffer[64];
    auto written = std::to_chars(buffer, buffer + sizeof buffer, value,
                                 std::chars_format::scientific, significant - 1);
    const std::string scientific(buffer, written.ptr);
    const size_t e = scientific.find('e');
    const int exponent = std::stoi(scientific.substr(e + 1));
    std::string compact = WithoutTrailingZeros(scientific.substr(0, e));
    if (exponent != 0) {
        compact.push_back('e');
        compact.append(std::to_string(exponent));
    }
    // Fixed where it is little longer, for values of everyday size: "0.05"
    // rather than "5e-2", "2000" rather than "2e3"; but "1e-5" and "1.23e6".
    if (exponent >= -4 && exponent < 6) {
        const int decimals = std::max(significant - 1 - exponent, 0);
        written = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed,
                                decimals);
        const std::string fixed = WithoutTrailingZeros(std::string(buffer, written.ptr));
        if (fixed.size() <= compact.size() + 2) {
            compact = fixed;
        }
    }
    return compact == "-0" ? "0" : compact;
}

std::string ShortestCompact(double value) {
    char buffer[32];
    const auto written = std::to_chars(buffer, buffer + sizeof buffer, value);
    const std::string shortest(buffer, written.ptr);
    const std::string_view mantissa = std::string_view(shortest).substr(0, shortest.find('e'));
    const int digits = static_cast<int>(std::count_if(
        mantissa.begin(), mantissa.end(), [](char c) { return c >= '0' && c <= '9'; }));
    return CompactNumber(value, std::max(digits, 1));
}

std::vector<Tick> LinearTicks(AxisRange shown, int maxTicks) {
    const std::vector<long double> values = RoundValues(shown.low, shown.high, maxTicks);
    const long double step = values.size() > 1 ? values[1] - values[0] : 1;
    return Ticks(values, DistinctLabels(values, SignificantDigits(values, step)));
}

AxisTicks OffsetTicks(AxisRange shown, int maxTicks, int maxDigits) {
    const std::vector<long double> values = RoundValues(shown.low, shown.high, maxTicks);
    const long double step = values.size() > 1 ? values[1] - values[0] : 1;
    const int digits = SignificantDigits(values, step);
    if (digits <= maxDigits) {
        return {Ticks(values, DistinctLabels(values, digits)), 0.0, {}};
    }
    // From the ticks as they lie, in doubles, so the first counts from exactly 0.
    const auto offset = static_cast<double>(values.front());
    std::vector<long double> differences;
    differences.reserve(values.size());
    for (long double value : values) {
        differences.push_back(static_cast<long double>(static_cast<double>(value)) - offset);
    }
    std::vector<std::string> labels =
        DistinctLabels(differences, SignificantDigits(differences, step));
    for (std::string& label : labels) {
        if (label.front() != '-') {
            label.insert(label.begin(), '+');
        }
    }
    return {Ticks(values, labels), offset, ShortestCompact(offset)};
}

std::vector<Tick> DecadeTicks(AxisRange decades, int maxTicks) {
    const long double firstPower = std::ceil(decades.low);
    const long double lastPower = std::floor(decades.high);
    if (lastPower - firstPower >= std::max(maxTicks - 1, 2)) {
        // Whole decades, every one or a round number of them apart.
        std::vector<long double> powers = RoundValues(firstPower, lastPower, maxTicks);
        std::erase_if(powers, [](long double power) { return power != std::round(power); });
        if (powers.size() >= 2) {
            std::vector<std::string> labels;
            labels.reserve(powers.size());
            for (long double power : powers) {
                labels.push_back(DecadeLabel(1, static_cast<int>(power)));
            }
            return Ticks(powers, labels);
        }
    }
    // From the densest: every digit, 1-2-5, whole decades.
    for (const auto& multiples :
         {std::initializer_list<int>{1, 2, 3, 4, 5, 6, 7, 8, 9},
          std::initializer_list<int>{1, 2, 5}, std::initializer_list<int>{1}}) {
        std::vector<Tick> ticks = MultiplesOfPowers(decades, multiples);
        if (ticks.size() >= 2 && static_cast<int>(ticks.size()) <= maxTicks) {
            return ticks;
        }
    }
    // Less than a decade or so: round values between, placed by their logarithms.
    const long double low = std::pow(10.0L, static_cast<long double>(decades.low));
    const long double high = std::pow(10.0L, static_cast<long double>(decades.high));
    const std::vector<long double> values = RoundValues(low, high, maxTicks);
    std::vector<long double> positions;
    positions.reserve(values.size());
    for (long double value : values) {
        positions.push_back(std::log10(value));
    }
    const long double step = values.size() > 1 ? values[1] - values[0] : 1;
    return Ticks(positions, DistinctLabels(values, SignificantDigits(values, step)));
}
