#include "DiaryGenerator.h"

#include "store/engine/Table.h"

#include <array>
#include <cstdio>
#include <random>

namespace dayvell::bench {
namespace {

constexpr std::array<const char*, 48> kWords = {
    "today", "the", "weather", "was", "cold", "and", "bright", "we", "walked", "to", "market", "with",
    "Anna", "after", "lunch", "I", "finished", "reading", "a", "long", "letter", "from", "home", "felt",
    "tired", "but", "happy", "garden", "needs", "work", "again", "meeting", "ran", "late", "phoned", "mother",
    "dinner", "friends", "quiet", "evening", "rain", "morning", "train", "office", "plans", "for", "weekend", "book"};

}  // namespace

std::string syntheticEntry(std::uint64_t seed)
{
    std::mt19937_64 random(seed);
    const std::size_t target = 1024 + random() % 2048;
    std::string rtf = "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\fswiss Arial;}{\\f1\\froman Times New Roman;}}"
                      "{\\colortbl ;\\red0\\green0\\blue0;\\red128\\green0\\blue0;}\\viewkind4\\uc1\\pard\\f0\\fs20 ";
    while (rtf.size() < target) {
        const auto style = random() % 10;
        if (style == 0)
            rtf += "\\b ";
        else if (style == 1)
            rtf += "\\i ";
        for (int words = 8 + int(random() % 30); words > 0; --words) {
            rtf += kWords[random() % kWords.size()];
            rtf += ' ';
        }
        if (style == 0)
            rtf += "\\b0 ";
        else if (style == 1)
            rtf += "\\i0 ";
        rtf += "\\par\n";
    }
    return rtf + "}";
}

std::string dateKey(std::chrono::sys_days day)
{
    const std::chrono::year_month_day date(day);
    char key[16];
    std::snprintf(key, sizeof key, "%04d%02u%02u", int(date.year()), unsigned(date.month()), unsigned(date.day()));
    return key;
}

std::chrono::sys_days today()
{
    return std::chrono::floor<std::chrono::days>(std::chrono::system_clock::now());
}

void generateDiary(const std::filesystem::path& folder, std::size_t days, std::chrono::sys_days lastDay,
                   std::size_t deletedEvery)
{
    const auto file = folder / "DAYVELL.DBF";
    engine::Table::create(file, {{"DATE", 'C', 8, 0}, {"ENTRY", 'M', 10, 0}});
    engine::Table table(file, engine::TableOptions {false});
    table.createIndexTag({}, "DATE", "date");
    const std::chrono::sys_days firstDay = lastDay - std::chrono::days(days - 1);
    for (std::size_t i = 0; i < days; ++i) {
        table.append();
        table.setFieldText("DATE", dateKey(firstDay + std::chrono::days(i)));
        table.setMemoText("ENTRY", syntheticEntry(i));
        table.post();
    }
    if (deletedEvery == 0)
        return;
    for (std::size_t i = 0; i < days; i += deletedEvery) {
        table.seek(dateKey(firstDay + std::chrono::days(i)));
        table.edit();
        table.setFieldText("DATE", "");
        table.setMemoText("ENTRY", "");
        table.post();
        table.deleteRecord();
    }
}

}  // namespace dayvell::bench
