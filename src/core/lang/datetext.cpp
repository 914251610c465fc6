#include "datetext.h"

#include <array>
#include <ctime>

namespace vap {

DateText dateText(int year, int month) {
    std::tm date{};
    date.tm_year = year - 1900;
    date.tm_mon = month - 1;
    date.tm_mday = 1;
    std::array<char, 64> month3{};
    std::size_t length = std::strftime(month3.data(), month3.size(), "%b", &date);
    return DateText{std::string(month3.data(), length), year};
}

DateText todayText() {
    std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return dateText(local.tm_year + 1900, local.tm_mon + 1);
}

} // namespace vap
