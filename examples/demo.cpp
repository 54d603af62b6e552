// A small tour of the runtime's values: texts, numbers, arrays and random numbers.
#include <cstdio>

#include "zorvane.h"

namespace {

void Show(const RtString& line) { std::printf("%s\n", line.c_str()); }

double OnQuit() {
    Show("quit hook: the runtime is about to shut down");
    return 0;
}

}  // namespace

void ApplyProjectSettings() {
    GetProjectSettings().title = "Zorvane demo";
}

void ProgramMain() {
    Show(RtString("Running as: ") + GetCommandLineText());

    RtString greeting = "Hello";
    greeting += ", world";
    Show(greeting + " has " + static_cast<std::int32_t>(greeting.Length()) + " characters");
    Show(RtString("1/3 = ") + 1.0 / 3 + ", 1e10 = " + 1e10 + ", 0.05 = " + 0.05 + ", 2.0 = " + 2.0);
    Show(RtString("[") + FormatNumber(8, 2, 3.14159) + "] " + UpperCase("upper") + " " +
         ReplaceText("a-b-c", "-", "--"));
    Show(RtString("\"10\" > 9 as numbers: ") + static_cast<std::int32_t>(RtString("10") > 9) +
         ", as texts: " + static_cast<std::int32_t>(RtString("10") > "9"));

    RtStringArray words;
    const std::int32_t count = SplitString("the quick,brown fox", words, " ,");
    SortStringRange(&words(0), &words(count - 1), nullptr);
    RtString sorted;
    for (std::int32_t i = 0; i < count; ++i) sorted += words(i) + (i + 1 < count ? " " : "");
    Show(RtString("sorted words: ") + sorted);

    RtNumberArray table;
    DimArray(table, 3, 4);
    for (std::int32_t y = 0; y < 4; ++y) {
        for (std::int32_t x = 0; x < 3; ++x) table(x, y) = SinDeg(30.0 * (x + 3 * y));
    }
    Show(RtString("sin 30 = ") + table(1, 0) + ", last element = " + table(-1, 3));

    SeedRandom(42);
    RtString dice;
    for (int i = 0; i < 10; ++i) dice += RtString(i ? " " : "") + (RandomInt(5) + 1);
    Show(RtString("ten dice: ") + dice);
    Show(RtString("running for ") + FormatNumber(0, 1, ElapsedMs()) + " ms; " + GetErrorText());
}

const FunctionNameEntry FunctionNameTable[] = {
    {OnQuit, "ZRV_ON_QUIT"},
    {nullptr, nullptr},
};
